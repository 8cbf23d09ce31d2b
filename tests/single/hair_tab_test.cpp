// The Hair tab end to end, through the main window and scripted dialogs.
#include <gtest/gtest.h>

#include "game_files.h"
#include "image_box.h"
#include "packed_container.h"
#include "single_tab_test.h"

namespace {

namespace fs = std::filesystem;
using fixtures::Bytes;
using fixtures::ReadFile;
using fixtures::WriteFile;
using testing_support::DialogShown;
using testing_support::kCaption;
using testing_support::Shown;
using texel::AssetKind;

constexpr testing_support::TabControls kHair{
    AssetKind::Hair, "hair.bin",           fixtures::MakeHdHairTexture,
    "cmdHairOpen",   "cmdHairTextureOpen", "HairHDOption",
    "CreateHdHair",  "ExportHairtexture",  {"HPNG", "HJPG", "HDDS"}};

class HairTabTest : public testing_support::SingleTabTest {
 protected:
  HairTabTest() : SingleTabTest(kHair) {}
  Bytes GameFile() const override { return fixtures::Pack(hair.bytes); }

  const fixtures::SingleTextureFile hair = fixtures::MakeHair();
};

TEST_F(HairTabTest, OpenCutsTheTextureAndShowsItsTypeAndSize) {
  Open();
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{{false, "CD5", "Open Gormla Hair Bin",
                                                  "Gormla Hair Bin File(*.bin)|*.bin"}}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(h.Text("HairBin"), h.UserText("hair.bin"));
  EXPECT_EQ(ReadFile(Work("Hair.bin.unzlib")), hair.bytes);
  Bytes cut(hair.bytes.begin() + hair.headSize, hair.bytes.end());
  cut.resize(hair.bytes.size(), 0);
  EXPECT_EQ(ReadFile(Work("Hair.dds")), cut);
  EXPECT_EQ(h.Find<ui::ImageBox>("ImgHair")->Picture().size(), QSize(512, 512));
  EXPECT_EQ(h.Text("HTextureWidth"), "512 PX ");
  EXPECT_EQ(h.Text("HTextureHeight"), "512 PX ");
  EXPECT_EQ(h.Text("HDDSType"), "DXT - 5");
}

TEST_F(HairTabTest, CreateHdSavesTheSplicedFileWithEverySizeValuePatched) {
  Pick();  // the pick may come first
  EXPECT_EQ(h.Text("HTexture"), h.UserText("hd.dds"));
  Open();
  h.Script().Forget();
  CreateAndSave("hd-hair.bin");

  EXPECT_EQ(Messages(), (std::vector<Shown>{
                            {"Works Finished Succesfully\r\nDo You Want Save ?", 68, kCaption},
                            {"Save Succesfull\r\n" + h.UserText("hd-hair.bin"), 64, kCaption}}));
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{{true, "CD7", "Save Gormla Hd Hair",
                                                  "Gormla Hair Bin File (*.bin)|*.bin"}}));
  const Bytes expected =
      fixtures::HdSpliceImage(hair, {fixtures::kHairSizeLarge, fixtures::kHairSizeSmall},
                              {fixtures::kHdSizeLarge, fixtures::kHdSizeSmall}, HdTexture());
  EXPECT_EQ(fixtures::Unpack(ReadFile(h.User("hd-hair.bin"))), expected);
  EXPECT_TRUE(fs::exists(Work("Hair-HD.bin")));
  EXPECT_FALSE(fs::exists(Work("Hair.bin.unzlib.zlib")));

  h.Script().Forget();
  Open("hd-hair.bin");
  EXPECT_EQ(
      Messages(),
      (std::vector<Shown>{{"File Is Already HD\r\nDo You Want To Continue ?", 16, kCaption}}));
  EXPECT_EQ(h.Text("HTextureWidth"), "512 PX ");
}

TEST_F(HairTabTest, NoOrACancelledSavePacksNothing) {
  Open();
  Pick();
  const auto userFiles = h.UserFiles();
  DeclineThenCancelTheSave();
  EXPECT_EQ(h.UserFiles(), userFiles);
  EXPECT_FALSE(fs::exists(Work("Hair.bin.unzlib.zlib")));
  EXPECT_FALSE(fs::exists(Work("Hair-HD.bin")));
}

TEST_F(HairTabTest, CreateHdWantsBothWorkFilesThenTheOption) {
  h.Click("CreateHdHair");
  Open();
  h.Click("CreateHdHair");
  Pick();
  h.Click("CreateHdHair");
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"File's Not Found", 64, kCaption},
                                            {"File's Not Found", 64, kCaption},
                                            {"Select Hd Option Please !", 48, kCaption}}));
  EXPECT_EQ(ReadFile(Work("Hair.bin.unzlib")), hair.bytes);
}

TEST_F(HairTabTest, AnUnpackedFileWithoutATextureEndsTheBuild) {
  Pick();
  Bytes noTexture(200, 0x22);
  std::copy_n(Bytes{0x00, 0x56, 0x05, 0x00}.begin(), 4, noTexture.begin() + 8);  // 349696
  WriteFile(h.User("broken.bin"), fixtures::Pack(noTexture));
  Open("broken.bin");  // the cut fails: reported by the guard
  h.Script().Forget();
  h.Select("HairHDOption");
  h.Click("CreateHdHair");
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"File's Not Found", 64, kCaption}}));
  EXPECT_FALSE(fs::exists(Work("Hair-HD.bin")));
  EXPECT_FALSE(fs::exists(Work("Hair.bin.unzlib.zlib")));
}

TEST_F(HairTabTest, ExportsConvertAfterTheDialogAndSayNothingForDds) {
  Open();
  h.Script().Forget();
  h.Select("HPNG");
  h.Script().CancelFile();
  h.Click("ExportHairtexture");
  EXPECT_FALSE(fs::exists(Work("Hair.dds.png")));  // nothing converted after a cancel

  ExportEveryFormat("hair");

  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{
                           {true, "CD8", "Save Png Hair Texture", "Png Texture(*.Png)|*.png"},
                           {true, "CD8", "Save Png Hair Texture", "Png Texture(*.Png)|*.png"},
                           {true, "CD8", "Save Jpg Hair Texture", "Jpg Texture(*.Jpg)|*.jpg"},
                           {true, "CD8", "Save DDS Hair Texture", "DDS Texture(*.DDS)|*.DDS"}}));
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{{"Save Succesfull\r\n" + h.UserText("hair.png"), 64, kCaption},
                                {"Save Succesfull\r\n" + h.UserText("hair.jpg"), 64, kCaption}}));
  EXPECT_TRUE(testing_support::IsPng(h.User("hair.png")));
  EXPECT_TRUE(testing_support::IsJpeg(h.User("hair.jpg")));
  EXPECT_EQ(ReadFile(h.User("hair.dds")).size(), hair.bytes.size());  // zero tail included
  EXPECT_EQ(ReadFile(h.User("hair.dds")), ReadFile(Work("Hair.dds")));
}

TEST_F(HairTabTest, TheTypeScanSeesEvenOffsetsOnly) {
  Bytes bytes = hair.bytes;
  std::copy_n("DXT1", 4, bytes.end() - 7);  // odd offset: the byte count is even
  ASSERT_EQ(bytes.size() % 2, 0u);
  WriteFile(h.User("odd.bin"), fixtures::Pack(bytes));
  Open("odd.bin");
  EXPECT_EQ(h.Text("HDDSType"), "DXT - 5");
}

}  // namespace
