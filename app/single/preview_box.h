// An image box that shows its whole picture scaled to fit, keeping the aspect ratio.
#pragma once

#include <filesystem>

#include <QLabel>
#include <QPixmap>

namespace texel {

class PreviewBox : public QLabel {
 public:
  PreviewBox();
  // Loads a BMP file; throws StepFailure when it cannot be read.
  void ShowPicture(const std::filesystem::path& bitmap);
  const QPixmap& Picture() const { return m_picture; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Rescale();
  QPixmap m_picture;
};

}  // namespace texel
