#include <QApplication>
#include <QImage>

#include <gtest/gtest.h>

#include "image_box.h"
#include "shell_test_support.h"
#include "skin.h"

namespace {

using shelltest::WriteText;
using testing_support::TempFolder;

std::filesystem::path WriteBitmap(const std::filesystem::path& path, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  EXPECT_TRUE(image.save(QString::fromStdString(path.string()), "BMP"));
  return path;
}

TEST(Picture, TheBitmapsPixelSizeIsReadFromTheFile) {
  shelltest::App();
  TempFolder temp;
  EXPECT_EQ(ui::BitmapPixelSize(WriteBitmap(temp.Path() / "a.bmp", 512, 256)), QSize(512, 256));
  ui::ImageBox box;
  box.resize(100, 100);
  box.LoadPicture(WriteBitmap(temp.Path() / "b.bmp", 64, 32));
  EXPECT_EQ(box.PictureWidth(), 64);
  EXPECT_EQ(box.PictureHeight(), 32);
  ASSERT_FALSE(box.pixmap().isNull());
  // Scaled to fit, aspect ratio kept.
  EXPECT_EQ(box.pixmap().width(), 2 * box.pixmap().height());
  EXPECT_LE(box.pixmap().width(), box.contentsRect().width());

  ui::ImageBox large;
  large.SetPicture(box.Picture());
  EXPECT_EQ(large.PictureWidth(), 64);
}

TEST(Picture, AMissingOrUnreadableBitmapFailsAndTheBoxKeepsItsPicture) {
  shelltest::App();
  TempFolder temp;
  ui::ImageBox box;
  box.LoadPicture(WriteBitmap(temp.Path() / "good.bmp", 8, 8));
  EXPECT_THROW(box.LoadPicture(temp.Path() / "missing.bmp"), ui::PictureError);
  WriteText(temp.Path() / "bad.bmp", "BM not really a bitmap");
  EXPECT_THROW(box.LoadPicture(temp.Path() / "bad.bmp"), ui::PictureError);
  EXPECT_THROW(ui::BitmapPixelSize(temp.Path() / "bad.bmp"), ui::PictureError);
  EXPECT_EQ(box.PictureWidth(), 8);
}

TEST(Skin, IsAppliedWhenPresentAndSilentlySkippedWhenMissing) {
  shelltest::App();
  TempFolder temp;
  qApp->setStyleSheet("");
  EXPECT_FALSE(ui::ApplySkin(temp.Path() / "Texel Forge.dll"));
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
  WriteText(temp.Path() / "Texel Forge.dll", "QPushButton { color: #123456; }");
  EXPECT_TRUE(ui::ApplySkin(temp.Path() / "Texel Forge.dll"));
  EXPECT_EQ(qApp->styleSheet(), "QPushButton { color: #123456; }");
  qApp->setStyleSheet("");
}

}  // namespace
