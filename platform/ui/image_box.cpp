#include "image_box.h"

#include <algorithm>

#include <QImageReader>
#include <QMouseEvent>
#include <QString>

namespace ui {

namespace {

// A texture's preview may be larger than the image reader allows by default (256 MiB, an
// 8192 x 8192 texture): up to 1 GiB is read, then shrunk to a side a box can show.
constexpr int kMostPreviewMiB = 1024;
constexpr int kLargestPreviewSide = 2048;

QImage ReadPicture(const std::filesystem::path& bitmap) {
  QImageReader reader(QString::fromStdString(bitmap.string()));
  const int defaultLimit = QImageReader::allocationLimit();
  QImageReader::setAllocationLimit(std::max(defaultLimit, kMostPreviewMiB));
  QImage image = reader.read();
  QImageReader::setAllocationLimit(defaultLimit);
  if (image.isNull()) {
    throw PictureError("The preview of \"" + bitmap.string() +
                       "\" could not be shown: " + reader.errorString().toStdString());
  }
  return image;
}

}  // namespace

QSize BitmapPixelSize(const std::filesystem::path& bitmap) {
  const QSize size = QImageReader(QString::fromStdString(bitmap.string())).size();
  return size.isValid() ? size : ReadPicture(bitmap).size();
}

ImageBox::ImageBox(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  setMinimumSize(48, 48);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setFrameShape(QFrame::StyledPanel);
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
