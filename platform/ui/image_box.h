// An image box: shows a picture loaded from a bitmap file, scaled to fit and keeping its
// aspect ratio; the picture's pixel size is the bitmap's.
#pragma once

#include <filesystem>
#include <stdexcept>

#include <QLabel>
#include <QPixmap>
#include <QSize>

namespace ui {

class PictureError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The bitmap's width and height in pixels, from its header where it has one; throws
// PictureError when it cannot be read.
QSize BitmapPixelSize(const std::filesystem::path& bitmap);

class ImageBox : public QLabel {
  Q_OBJECT

 public:
  explicit ImageBox(QWidget* parent = nullptr);

  // Loads the picture from a bitmap file; throws PictureError when it cannot be read, and the
  // box keeps what it showed.
  void LoadPicture(const std::filesystem::path& bitmap);
  // Shows a picture taken from another box (a thumbnail click).
  void SetPicture(const QPixmap& picture);
  const QPixmap& Picture() const { return m_picture; }
  int PictureWidth() const { return m_picture.width(); }
  int PictureHeight() const { return m_picture.height(); }

  // A clickable box (a thumbnail) takes the focus with Tab and shows it with a frame; Space,
  // Return or Enter on it, or assistive technology's press, clicks it. Other boxes take no focus.
  void SetClickable(bool clickable);
  bool IsClickable() const { return m_clickable; }
  // What a click with the mouse does.
  void Click() { Q_EMIT clicked(); }

  QSize sizeHint() const override;

 Q_SIGNALS:
  void clicked();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void Rescale();
  QPixmap m_picture;
  bool m_clickable = false;
};

}  // namespace ui
