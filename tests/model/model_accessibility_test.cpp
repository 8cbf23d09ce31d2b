// What a screen reader reads for the controls of the four model tabs.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QWidget>

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

}  // namespace
