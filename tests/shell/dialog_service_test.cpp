#include <gtest/gtest.h>

#include "dialog_service.h"
#include "scripted_dialog_service.h"

namespace {

using ui::ToNameFilters;

TEST(ToNameFilters, KeepsDescriptionsThatCarryTheirPattern) {
  EXPECT_EQ(ToNameFilters("DDS Texture (*.DDS)|*.DDS"), QStringList{"DDS Texture (*.DDS)"});
  EXPECT_EQ(ToNameFilters("Gormla Bin File(*.bin)|*.bin"), QStringList{"Gormla Bin File(*.bin)"});
  // The description's case may differ from the pattern's.
  EXPECT_EQ(ToNameFilters("DDS Texture(*.DDS)|*.dds"), QStringList{"DDS Texture(*.DDS)"});
  EXPECT_EQ(ToNameFilters("Save Png Bump (*.Png)|*.png"), QStringList{"Save Png Bump (*.Png)"});
}

TEST(ToNameFilters, AddsThePatternWhereTheDescriptionLacksIt) {
  EXPECT_EQ(ToNameFilters("Gormla Face Bin|*.bin"), QStringList{"Gormla Face Bin (*.bin)"});
  EXPECT_EQ(ToNameFilters("Bin (*.bin)|*.zlib"), QStringList{"Bin (*.bin) (*.zlib)"});
  EXPECT_EQ(ToNameFilters("Png|*.png|Jpg (*.jpg)|*.jpg"),
            (QStringList{"Png (*.png)", "Jpg (*.jpg)"}));
  EXPECT_TRUE(ToNameFilters("").isEmpty());
  EXPECT_EQ(ToNameFilters("All files"), QStringList{"All files"});
}

TEST(ScriptedDialogService, AnUnscriptedDialogOrQuestionFailsAtOnce) {
  ui::ScriptedDialogService dialogs;
  EXPECT_THROW(dialogs.ShowFileDialog(ui::DialogKind::Open, "CD1", "Open", ""),
               ui::UnscriptedDialog);
  EXPECT_THROW(dialogs.ShowMessage("sure?", ui::kInformationYesNo, "T"), ui::UnscriptedDialog);
  dialogs.AnswerYes();
  EXPECT_THROW(dialogs.ShowFileDialog(ui::DialogKind::Save, "CD1", "Save", ""),
               ui::UnscriptedDialog);
}

}  // namespace
