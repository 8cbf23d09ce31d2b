#include "image_box.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <string>

#include <QFile>
#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QString>

#include "accessibility.h"
#include "regular_qfile.h"

namespace ui {

namespace {

// A texture's preview may be larger than the image reader allows by default (256 MiB, an
// 8192 x 8192 texture): up to 1 GiB is read, then shrunk to a side a box can show.
constexpr int kMostPreviewMiB = 1024;
constexpr int kLargestPreviewSide = 2048;

[[noreturn]] void FailToShow(const std::filesystem::path& bitmap, const std::string& why) {
  throw PictureError("The preview of \"" + bitmap.string() + "\" could not be shown: " + why);
}

// The bitmap opened for reading only when it is a regular file: a pipe would make the read wait.
std::unique_ptr<QFile> OpenBitmap(const std::filesystem::path& bitmap) {
  files::OpenedFile opened;
  auto file = OpenRegularQFile(bitmap, QIODevice::ReadOnly, opened);
  if (opened.notAFile != nullptr) FailToShow(bitmap, files::NotAFileText(bitmap, opened.notAFile));
  if (!file) {
    FailToShow(bitmap, opened.error == ENOENT ? "File not found" : std::strerror(opened.error));
  }
  return file;
}

QImage ReadPicture(const std::filesystem::path& bitmap) {
  const std::unique_ptr<QFile> file = OpenBitmap(bitmap);
  QImageReader reader(file.get());
  const int defaultLimit = QImageReader::allocationLimit();
  QImageReader::setAllocationLimit(std::max(defaultLimit, kMostPreviewMiB));
  QImage image = reader.read();
  QImageReader::setAllocationLimit(defaultLimit);
  if (image.isNull()) FailToShow(bitmap, reader.errorString().toStdString());
  return image;
}

}  // namespace

QSize BitmapPixelSize(const std::filesystem::path& bitmap) {
  const QSize size = QImageReader(OpenBitmap(bitmap).get()).size();
  return size.isValid() ? size : ReadPicture(bitmap).size();
}

ImageBox::ImageBox(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  setMinimumSize(48, 48);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setFrameShape(QFrame::StyledPanel);
  // Before any reader asks: an interface once made for the box is kept for its life.
  ProvideImageBoxAccess();
}

void ImageBox::SetClickable(bool clickable) {
  m_clickable = clickable;
  setFocusPolicy(clickable ? Qt::StrongFocus : Qt::NoFocus);
}

void ImageBox::LoadPicture(const std::filesystem::path& bitmap) {
  QImage image = ReadPicture(bitmap);
  if (image.width() > kLargestPreviewSide || image.height() > kLargestPreviewSide) {
    image = image.scaled(kLargestPreviewSide, kLargestPreviewSide, Qt::KeepAspectRatio,
                         Qt::SmoothTransformation);
  }
  SetPicture(QPixmap::fromImage(std::move(image)));
}

void ImageBox::SetPicture(const QPixmap& picture) {
  m_picture = picture;
  Rescale();
}

QSize ImageBox::sizeHint() const { return {128, 128}; }

void ImageBox::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Rescale();
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    Q_EMIT clicked();
  }
}

void ImageBox::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (!m_clickable || (key != Qt::Key_Space && key != Qt::Key_Return && key != Qt::Key_Enter)) {
    QLabel::keyPressEvent(event);
    return;
  }
  if (!event->isAutoRepeat()) Click();
  event->accept();
}

void ImageBox::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  // Painted over the picture in the highlight (the skin's accent): no style sheet can hide it.
  constexpr int kFocusFrameWidth = 2;
  QPainter painter(this);
  painter.setPen(QPen(palette().color(QPalette::Highlight), kFocusFrameWidth));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void ImageBox::Rescale() {
  if (m_picture.isNull()) {
    clear();
    return;
  }
  const QSize room = contentsRect().size();
  if (room.width() <= 0 || room.height() <= 0) return;
  setPixmap(m_picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace ui
