#include "image_box.h"

#include <QImageReader>
#include <QMouseEvent>
#include <QString>

namespace ui {

namespace {

QImage ReadPicture(const std::filesystem::path& bitmap) {
  QImageReader reader(QString::fromStdString(bitmap.string()));
  QImage image = reader.read();
  if (image.isNull()) {
    throw PictureError("Cannot load the picture \"" + bitmap.string() +
                       "\": " + reader.errorString().toStdString());
  }
  return image;
}

}  // namespace

QSize BitmapPixelSize(const std::filesystem::path& bitmap) { return ReadPicture(bitmap).size(); }

ImageBox::ImageBox(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignCenter);
  setMinimumSize(48, 48);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setFrameShape(QFrame::StyledPanel);
}

void ImageBox::LoadPicture(const std::filesystem::path& bitmap) {
  SetPicture(QPixmap::fromImage(ReadPicture(bitmap)));
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
