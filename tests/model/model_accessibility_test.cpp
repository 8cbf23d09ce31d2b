// What a screen reader reads for the controls of the four model tabs.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include "image_box.h"
#include "model_tab_test.h"
#include "packed_container.h"

namespace {

std::string ReadName(testing_support::TabHarness& h, const char* name) {
  QAccessibleInterface* readable = QAccessible::queryAccessibleInterface(h.Find<QWidget>(name));
  return readable != nullptr ? readable->text(QAccessible::Name).toStdString() : "<none>";
}

TEST(ModelTabAccessibility, ControlsReadAsTheirCaptionsAndValues) {
  testing_support::TabHarness h;
  fixtures::WriteFile(h.User("ball.bin"), fixtures::Pack(fixtures::MakeBall().unpacked));
  fixtures::WriteFile(h.User("boot.bin"), fixtures::Pack(fixtures::MakeBoot().unpacked));
  h.Script().ChooseFile(h.UserText("ball.bin"));
  h.Click("cmdOpenBallBin");
  h.Script().ChooseFile(h.UserText("boot.bin"));
  h.Click("cmdOpenBootBin");
  ASSERT_TRUE(h.Script().Messages().empty());

  const std::pair<const char*, const char*> expected[] = {
      {"BallBinPath", "Ball Bin File :"},
      {"BallTexture", "Texture :"},
      {"BallHTexture", "H Texture :"},
      {"BootBinPath", "Boot Bin File :"},
      {"GloveBinPath", "Glove Bin File :"},
      {"txt_3dbootBin", "Boot Bin File :"},
      {"txt_ot33dboot", "OT3 :"},
      {"BT", "Texture thumbnail"},
      {"BHT", "H Texture thumbnail"},
      {"ImgBoot4", "H Texture thumbnail"},
      {"cmdOpenBallBin", "Open"},
      {"cmdBallHD", "Create HD"},
      {"CREATEHD_GLOVE", "Create Hd"},
      {"cmd_ExportTexture3d", "Export"},
      {"BTS", "512 * 256"},
      {"BHTS", "256 * 256"},
      {"Label6", "256 * 128"},
  };
  for (const auto& [control, name] : expected) EXPECT_EQ(ReadName(h, control), name) << control;
}

// Tab, Space, Return and a reader's press reach what the mouse reaches on a thumbnail.
TEST(ModelTabAccessibility, ThumbnailsAreFocusedByTabAndPressedByKeysAndReaders) {
  testing_support::TabHarness h;
  fixtures::WriteFile(h.User("ball.bin"), fixtures::Pack(fixtures::MakeBall().unpacked));
  h.Script().ChooseFile(h.UserText("ball.bin"));
  h.Click("cmdOpenBallBin");
  auto* preview = h.Find<ui::ImageBox>("ImgBall");
  const auto shows = [&](const char* thumbnail) {
    return preview->Picture().cacheKey() == h.Find<ui::ImageBox>(thumbnail)->Picture().cacheKey();
  };
  const auto press = [](QWidget* widget, int key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
  };

  // From the file's Open button, Tab passes over the large preview to the thumbnails in order.
  h.Form().show();
  h.Find<QTabWidget>("TabControl1")->setCurrentIndex(2);  // Ball HD
  h.Form().activateWindow();
  QApplication::processEvents();
  h.Find<QPushButton>("cmdOpenBallBin")->setFocus();
  ASSERT_NE(QApplication::focusWidget(), nullptr);
  for (const char* thumbnail : {"BT", "BB", "BHT"}) {
    press(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), thumbnail);
  }
  EXPECT_EQ(preview->focusPolicy(), Qt::NoFocus);
  press(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_TRUE(shows("BHT"));
  press(h.Find<ui::ImageBox>("BB"), Qt::Key_Space);
  EXPECT_TRUE(shows("BB"));

  const QString pressAction = QAccessibleActionInterface::pressAction();
  auto* thumbnail = QAccessible::queryAccessibleInterface(h.Find<ui::ImageBox>("BT"));
  ASSERT_TRUE(thumbnail->actionInterface()->actionNames().contains(pressAction));
  thumbnail->actionInterface()->doAction(pressAction);
  EXPECT_TRUE(shows("BT"));
}

}  // namespace
