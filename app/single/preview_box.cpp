#include "preview_box.h"

#include <QResizeEvent>

#include "single_texture_steps.h"

namespace texel {

namespace {
constexpr int kPreviewSide = 256;
}

PreviewBox::PreviewBox() {
  setMinimumSize(kPreviewSide, kPreviewSide);
  setAlignment(Qt::AlignCenter);
  setFrameShape(QFrame::StyledPanel);
}

void PreviewBox::ShowPicture(const std::filesystem::path& bitmap) {
  QPixmap picture;
  if (!picture.load(ToText(bitmap))) {
    throw StepFailure("Cannot show the picture \"" + bitmap.string() + "\".");
  }
  m_picture = std::move(picture);
  Rescale();
}

void PreviewBox::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Rescale();
}

void PreviewBox::Rescale() {
  if (m_picture.isNull()) return;
  const QSize box = contentsRect().size().expandedTo(QSize(1, 1));
  setPixmap(m_picture.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace texel
