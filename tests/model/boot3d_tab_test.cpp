// The Boot 3d HD tab end to end, through the main window and scripted dialogs.
#include <gtest/gtest.h>

#include <algorithm>

#include <QListWidget>

#include "dxt_texture.h"
#include "guard_error.h"
#include "le_bytes.h"
#include "model_tab_test.h"
#include "packed_container.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;
using fixtures::Bytes;
using fixtures::ReadFile;

constexpr ModelControls kBoot3d{texel::AssetKind::Boot3d, "cmd_OpenBoot3dBin",
                                "cmd_OpenTexture_3dBoot", "HDOPTION",
                                "cmd_CreateHD_Boot3d",    "cmd_ExportTexture3d",
                                "DATA_3D_EXPORT",         {"PNG_3D", "JPG_3D", "DDS_3D"}};

constexpr const char* kSlotFiles[] = {"texture.dds",       "bump.dds",
                                      "htexture.dds",      "othertexture1.dds",
                                      "othertexture2.dds", "othertexture3.dds"};

class Boot3dTabTest : public ModelTabTest {
 protected:
  Boot3dTabTest() : ModelTabTest(kBoot3d) {
    WriteGameFile("boot3d.bin", boot3d.unpacked);
    WriteHdTextures({hd.begin(), hd.end()});
  }
  // The slot files are `pickedUpTo` HD textures, then the cut ones.
  void ExpectSlots(size_t pickedUpTo) {
    for (size_t i = 0; i < fixtures::kBoot3dSlots; ++i) {
      EXPECT_EQ(ReadFile(Work(kSlotFiles[i])), i < pickedUpTo ? hd[i] : boot3d.slots[i]) << i;
    }
  }

  const fixtures::Boot3dFile boot3d = fixtures::MakeBoot3d();
  const fixtures::Boot3dSlots hd = fixtures::MakeBoot3dHdTextures();
};

TEST_F(Boot3dTabTest, OpenCutsSixTexturesAndTheListChoosesThePreview) {
  Open("boot3d.bin");
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{{false, "CD37", "Open Boot 3d Bin File",
                                                  "Gormla Boot 3d Bin File (*.bin)|*.bin"}}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(h.Text("txt_3dbootBin"), h.UserText("boot3d.bin"));
  ExpectSlots(0);
  EXPECT_EQ(ReadFile(Work("TEMP")), boot3d.temp);
  EXPECT_EQ(ReadFile(Work("KTMDL")), boot3d.ktmdl);
  auto* list = h.Find<QListWidget>("List2");
  EXPECT_EQ(list->currentRow(), 0);
  ASSERT_FALSE(Bitmap("texture.dds.bmp").isNull());
  EXPECT_EQ(Picture("IMG_TEXTRUE_3dBoot_SHOW"), Bitmap("texture.dds.bmp"));

  list->setCurrentRow(4);
  Q_EMIT list->itemClicked(list->currentItem());
  EXPECT_EQ(list->currentItem()->text(), "Other Texture2");
  EXPECT_EQ(Picture("IMG_TEXTRUE_3dBoot_SHOW"), Bitmap("othertexture2.dds.bmp"));
  EXPECT_TRUE(Messages().empty());
}

TEST_F(Boot3dTabTest, ARefusedFirstOpenShowsNothingBeyondTheRefusal) {
  WriteGameFile("invalid.bin", fixtures::MakeInvalidBoot3d());
  Open("invalid.bin");
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{
                {"Itsn't A Valid File For Texel Forge => Boot 3d Hd Option", 16, "Error"}}));
  EXPECT_EQ(h.Find<QListWidget>("List2")->currentRow(), 0);
  EXPECT_TRUE(Picture("IMG_TEXTRUE_3dBoot_SHOW").isNull());
}

TEST_F(Boot3dTabTest, PicksWriteOverTheSlotFilesUpToACancel) {
  Open("boot3d.bin");
  h.Script().Forget();
  h.Script().ChooseFile(h.UserText("hd1.dds"));
  h.Script().ChooseFile(h.UserText("hd2.dds"));
  h.Script().CancelFile();
  h.Click("cmd_OpenTexture_3dBoot");
  ExpectSlots(2);

  h.Script().Forget();
  PickAll();
  EXPECT_EQ(
      Dialogs(),
      (std::vector<DialogShown>{
          {false, "CD38", "Open HD Texture", "DDS Texture (*.DDS)|*.dds"},
          {false, "CD39", "Open HD Bump", "DDS Bump (*.DDS) |*.dds"},
          {false, "CD40", "Open HD Highlight Texture", "DDS Highlight Texture (*.DDS) |*.dds"},
          {false, "CD41", "Open OtherTexture1", "DDS OtherTexture1 (*.DDS) |*.dds"},
          {false, "CD42", "Open OtherTexture2", "DDS OtherTexture2 (*.DDS) |*.dds"},
          {false, "CD43", "Open OtherTexture3", "DDS OtherTexture3 (*.DDS) |*.dds"}}));
  ExpectSlots(6);
}

TEST_F(Boot3dTabTest, CreateHdRebuildsTheSameImageEachTimeAndSavesIt) {
  h.Click("cmd_CreateHD_Boot3d");
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Select Hd Option Please.", 16, "Error..."}}));
  Open("boot3d.bin");
  fs::remove(Work("KTMDL"));
  h.Script().Forget();
  h.Select("HDOPTION");
  h.Click("cmd_CreateHD_Boot3d");  // a piece missing: nothing deleted
  ExpectOnlyGuardError("Boot 3d HD \u2014 \"Create HD\" (Hd Done)", {"KTMDL", "missing"});
  for (const char* kept : {"Boot3d.bin.unzlib", "CALC", "TEMP"}) {
    EXPECT_TRUE(fs::exists(Work(kept))) << kept;
  }

  Open("boot3d.bin");
  PickAll();
  fixtures::WriteFile(h.User("hd-boot3d.bin"), Bytes(10, 0x77));  // an existing file is replaced
  h.Script().Forget();
  CreateAndSave("hd-boot3d.bin");
  EXPECT_EQ(Messages(), AskedAndSaved("Work's Finished Successfully", "hd-boot3d.bin"));
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{
                           {true, "CD44", "Save Gormla Hd Boot", "Gormla Bin File(*.bin)|*.bin"}}));
  const Bytes expected = fixtures::HdBoot3dImage(boot3d, hd);
  EXPECT_EQ(fixtures::Unpack(ReadFile(h.User("hd-boot3d.bin"))), expected);
  EXPECT_FALSE(fs::exists(Work("CALC")));
  EXPECT_FALSE(fs::exists(Work("TEMP")));
  ExpectSlots(6);
  EXPECT_EQ(ReadFile(Work("KTMDL")), boot3d.ktmdl);

  CreateAndSave("hd-boot3d-2.bin");  // the first build's image is not taken as a piece
  EXPECT_EQ(ReadFile(Work("Boot3d.bin.unzlib")), expected);

  h.Script().Forget();
  Open("hd-boot3d.bin");
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{{"The File That You Opened Is Already HD", 0, "TexelForge"}}));
}

TEST_F(Boot3dTabTest, ExportWantsAnOpenedFile) {
  h.Find<QListWidget>("DATA_3D_EXPORT")->setCurrentRow(0);
  h.Select("PNG_3D");
  const auto userFiles = h.UserFiles();
  h.Click("cmd_ExportTexture3d");
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Please Open File First.", 16, kCaption}}));
  EXPECT_EQ(h.UserFiles(), userFiles);

  Open("boot3d.bin");
  h.Script().Forget();
  ExportSlot("Texture", 0, "texture.png");
  ExportSlot("Other Texture3", 2, "other3.dds");
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{{true, "CD45", "Save Png", "Png (*.png)|*.png"},
                                                 {true, "CD47", "Save Dds", "Dds (*.dds)|*.dds"}}));
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Save SuccessFull", 64, "TexelForge"}}));
  EXPECT_TRUE(IsPng(h.User("texture.png")));
  EXPECT_EQ(ReadFile(h.User("other3.dds")), boot3d.slots[5]);
}

TEST_F(Boot3dTabTest, ATextureThatFailsToConvertIsNamedAsTheUserKnowsIt) {
  // A picked texture over a slot: the export names the picked file.
  Bytes truncated = fixtures::MakeDds({64, 64, fixtures::Dxt::Dxt5, 1, 3});
  truncated.resize(128 + 64);
  fixtures::WriteFile(h.User("hd1.dds"), truncated);
  Open("boot3d.bin");
  PickAll();
  h.Script().Forget();
  h.Find<QListWidget>("DATA_3D_EXPORT")->setCurrentRow(0);
  h.Select("PNG_3D");
  h.Click("cmd_ExportTexture3d");
  ExpectOnlyGuardError("Boot 3d HD \u2014 \"Export\" (Export Texture(s))",
                       {"truncated", "'" + h.User("hd1.dds").string() + "'"});

  // A texture of the opened file: the open names the file and which texture.
  Bytes broken = boot3d.unpacked;
  const auto dds =
      std::search(broken.begin(), broken.end(), std::begin("DDS "), std::prev(std::end("DDS ")));
  constexpr size_t kBumpInTemp = 174944;
  constexpr size_t kDdsHeight = 12;
  fixtures::PutLe32(&*(dds + kBumpInTemp + kDdsHeight), 65536);
  WriteGameFile("broken.bin", broken);
  h.Script().Forget();
  Open("broken.bin");
  const std::vector<Shown> messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_THAT(messages[0].text.toStdString(),
              testing::HasSubstr("truncated: the texture \"Bump\" of '" +
                                 h.User("broken.bin").string() + "'"));
  EXPECT_THAT(messages[0].text.toStdString(), testing::Not(testing::HasSubstr("AppData")));
}

// A start copies the shipped original again: that mends a lost copy, not a lost original.
TEST_F(Boot3dTabTest, MissingProgramDataSaysWhatMendsIt) {
  Open("boot3d.bin");
  PickAll();
  fs::remove(Work("WE00.4.dll"));
  h.Script().Forget();
  h.Select("HDOPTION");
  h.Click("cmd_CreateHD_Boot3d");
  ExpectOnlyGuardError("Boot 3d HD \u2014 \"Create HD\" (Hd Done)",
                       {"WE00.4.dll", "missing", "own data is damaged", "start it again"});
  EXPECT_THAT(Messages()[0].text.toStdString(), testing::Not(testing::HasSubstr("pick")));

  const fs::path original = Work("").parent_path().parent_path() / "cfg" / "Boot3d" / "WE00.4.dll";
  fs::remove(original);
  h.Script().Forget();
  h.Click("cmd_CreateHD_Boot3d");
  ExpectOnlyGuardError(
      "Boot 3d HD \u2014 \"Create HD\" (Hd Done)",
      {"\"" + original.string() + "\" is missing", "Install Texel Forge's data again"});
  EXPECT_THAT(Messages()[0].text.toStdString(), testing::Not(testing::HasSubstr("start it again")));
}

}  // namespace
}  // namespace testing_support
