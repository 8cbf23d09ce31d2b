// The File Info values of the single-texture tabs read, through the accessibility interface a
// screen reader uses, as the text they show once a file is open.
#include <QAccessible>
#include <QLabel>

#include <gtest/gtest.h>

#include "game_files.h"
#include "packed_container.h"
#include "tab_harness.h"

namespace {

TEST(ValueLabels, AScreenReaderReadsTheShownValues) {
  testing_support::TabHarness h;
  const struct {
    const char* file;
    fixtures::Bytes bytes;
    const char* open;
    std::vector<const char*> values;
  } tabs[] = {
      {"face.bin",
       fixtures::Pack(fixtures::MakeFace().unpacked),
       "cmdOpenFaceBin",
       {"FaceTextureWidth", "FaceTextureHeight", "FaceDDSType"}},
      {"hair.bin",
       fixtures::Pack(fixtures::MakeHair().bytes),
       "cmdHairOpen",
       {"HDDSType", "HTextureHeight", "HTextureWidth"}},
      {"truf.bin", fixtures::MakeTurf().bytes, "cmdOpenTruf", {"Truf_DDS", "TTH", "TTW"}},
  };
  for (const auto& tab : tabs) {
    fixtures::WriteFile(h.User(tab.file), tab.bytes);
    h.Script().ChooseFile(h.UserText(tab.file));
    h.Click(tab.open);
    for (const char* name : tab.values) {
      QLabel* label = h.Find<QLabel>(name);
      EXPECT_FALSE(label->text().isEmpty()) << name;
      QAccessibleInterface* readable = QAccessible::queryAccessibleInterface(label);
      ASSERT_NE(readable, nullptr) << name;
      EXPECT_EQ(readable->text(QAccessible::Name).toStdString(), label->text().toStdString())
          << name;
    }
  }
  EXPECT_TRUE(h.Script().Messages().empty());
}

}  // namespace
