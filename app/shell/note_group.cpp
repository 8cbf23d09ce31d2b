#include "note_group.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "child.h"
#include "image_box.h"

namespace texel {

namespace {

QStringList NoteLines(NoteKind kind) {
  const QStringList head = {"The DDS that you ", "opened here must be in "};
  switch (kind) {
    case NoteKind::Square1024:
      return head + QStringList{"DXT-5 & No Mip Setting ", "& Size Must Be 1024*1024"};
    case NoteKind::Boot1024x512:
      return head + QStringList{"DXT-5 & No Mip Setting ", "& Size Must Be 1024*512"};
    case NoteKind::Truf4096x2048:
      return head + QStringList{"DXT-1 & With Mip Map Setting ", "& Size Must Be 4096*2048"};
    case NoteKind::Boot3d:
      return head + QStringList{"DXT-5 & No Mip Setting ", "& Size For ",
                                "Texture & Bump & HTexture= 1024 * 512", "Other 1 = 512 * 256",
                                "Other2 & Other 3 = 256 * 128"};
  }
  return head;
}

const char* PictureName(NoteKind kind) {
  switch (kind) {
    case NoteKind::Square1024:
      return "note-1024x1024.bmp";
    case NoteKind::Boot1024x512:
      return "note-1024x512.bmp";
    case NoteKind::Truf4096x2048:
      return "note-4096x2048.bmp";
    case NoteKind::Boot3d:
      return "note-boot3d.bmp";
  }
  return "";
}

// A read-only text exactly as tall as its lines in the font the skin gives it.
class NoteBox : public QPlainTextEdit {
 public:
  NoteBox(QWidget* parent, int lines) : QPlainTextEdit(parent), m_lines(lines) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  QSize sizeHint() const override {
    const int margins = 2 * static_cast<int>(document()->documentMargin()) + 2 * frameWidth() +
                        contentsMargins().top() + contentsMargins().bottom() + 4;
    return {QPlainTextEdit::sizeHint().width(), fontMetrics().lineSpacing() * m_lines + margins};
  }
  QSize minimumSizeHint() const override { return sizeHint(); }

 private:
  int m_lines;
};

}  // namespace

QString NoteText(NoteKind kind) {
  QString text;
  for (const QString& line : NoteLines(kind)) text += line + "\r\n";
  return text;
}

QGroupBox* CreateNoteGroup(QWidget* parent, NoteKind kind, int index,
                           const std::filesystem::path& pictures) {
  auto* group = ui::Child<QGroupBox>(parent, QStringLiteral("Note"));
  group->setObjectName("GroupBox30");
  group->setProperty("Index", index);
  auto* layout = ui::Child<QVBoxLayout>(group);
  group->setLayout(layout);

  const int lines = static_cast<int>(NoteLines(kind).size());
  auto* text = ui::Child<NoteBox>(group, group, lines);
  text->setObjectName("Text1");
  text->setProperty("Index", index);
  text->setReadOnly(true);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The exact text, line breaks as the window stores them; the box shows them as lines.
  const QString exact = NoteText(kind);
  text->setProperty("Text", exact);
  text->setPlainText(NoteLines(kind).join('\n'));
  text->setAccessibleName("Note");

  auto* image = ui::Child<ui::ImageBox>(group);
  image->setObjectName("Image1");
  image->setProperty("Index", index);
  image->setAccessibleName("Note picture");
  image->setFrameShape(QFrame::NoFrame);
  image->setFixedHeight(170);
  try {
    image->LoadPicture(pictures / PictureName(kind));
  } catch (const ui::PictureError&) {
    // The picture only illustrates the note; the window works without it.
  }

  layout->addWidget(text);
  layout->addWidget(image);
  return group;
}

}  // namespace texel
