// The Turf tab end to end, through the main window and scripted dialogs.
#include <gtest/gtest.h>

#include "game_files.h"
#include "guard_error.h"
#include "image_box.h"
#include "single_tab_test.h"

namespace {

namespace fs = std::filesystem;
using fixtures::Bytes;
using fixtures::ReadFile;
using fixtures::WriteFile;
using testing_support::DialogShown;
using testing_support::GuardErrorBox;
using testing_support::kCaption;
using testing_support::Shown;
using texel::AssetKind;

const Shown kNotFound{"File of Truf Bin Or File of DDS Not Found", 0, "TexelForge"};

constexpr testing_support::TabControls kTruf{
    AssetKind::Truf,         "truf.bin",       fixtures::MakeHdTurfTexture, "cmdOpenTruf",
    "cmdOpenTrufTexture",    "Truf_HD_Option", "cmd_CreateHD_Truf",         "cmdExportTrufTexture",
    {"TPNG", "TJPG", "TDDS"}};

class TrufTabTest : public testing_support::SingleTabTest {
 protected:
  TrufTabTest() : SingleTabTest(kTruf) {}
  Bytes GameFile() const override { return turf.bytes; }

  const fixtures::SingleTextureFile turf = fixtures::MakeTurf();
};

TEST_F(TrufTabTest, OpenCopiesThePlainFileAndShowsItsTexture) {
  Open();
  Pick();
  EXPECT_EQ(Dialogs(),
            (std::vector<DialogShown>{
                {false, "CD33", "Open Gormla Truf File", "Gormla Truf Bin File(*.bin)|*.bin"},
                {false, "CD35", "Open Hd Truf Texture", "DDS Texture (*.DDS)|*.DDS"}}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(h.Text("TurfPath"), h.UserText("truf.bin"));
  EXPECT_EQ(h.Text("trufTexturePath"), h.UserText("hd.dds"));
  EXPECT_EQ(ReadFile(Work("Truf.bin")), turf.bytes);
  EXPECT_EQ(ReadFile(Work("Truf-new.dds")), HdTexture());
  EXPECT_EQ(fs::file_size(Work("Truf.dds")), turf.bytes.size());
  EXPECT_EQ(h.Find<ui::ImageBox>("imgTruf")->Picture().size(), QSize(2048, 1024));
  EXPECT_EQ(h.Text("TTW"), "2048 PX ");
  EXPECT_EQ(h.Text("TTH"), "1024 PX ");
  EXPECT_EQ(h.Text("Truf_DDS"), "DXT - 1");
}

TEST_F(TrufTabTest, CreateHdSavesThePatchedFileAsItStands) {
  Open();
  Pick();
  WriteFile(h.User("hd-truf.bin"), Bytes(5, 1));  // replaced by the save
  h.Script().Forget();
  CreateAndSave("hd-truf.bin");

  EXPECT_EQ(
      Messages(),
      (std::vector<Shown>{
          {"Work's Finished Succesfull\r\nDo You Want Save ?", 68, "Finish & Save Confirm..."},
          {"Save Succesfull\r\n" + h.UserText("hd-truf.bin"), 64, kCaption}}));
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{
                           {true, "CD36", "Save Gormla Hd Truf", "Gormla Hd Ttuf(*.bin)|*.bin"}}));
  const std::vector<uint32_t> standard(std::begin(fixtures::kTurfSizes),
                                       std::end(fixtures::kTurfSizes));
  const std::vector<uint32_t> hd(std::begin(fixtures::kHdTurfSizes),
                                 std::end(fixtures::kHdTurfSizes));
  const Bytes expected = fixtures::HdSpliceImage(turf, standard, hd, HdTexture());
  EXPECT_EQ(ReadFile(h.User("hd-truf.bin")), expected);
  EXPECT_EQ(ReadFile(Work("Truf.bin")), expected);
  EXPECT_EQ(h.WorkFiles(AssetKind::Truf),
            (std::set<std::string>{"Truf.bin", "Truf.dds", "Truf.dds.bmp", "Truf-new.dds"}));

  // Pressed again, the same bytes come out.
  h.Script().AnswerYes();
  h.Script().ChooseFile(h.UserText("hd-truf-2.bin"));
  h.Click("cmd_CreateHD_Truf");
  EXPECT_EQ(ReadFile(h.User("hd-truf-2.bin")), expected);
}

TEST_F(TrufTabTest, CreateHdWantsTheOptionThenAnOpenedFileAndAPickedTexture) {
  h.Click("cmd_CreateHD_Truf");
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Select hd Option Please !", 16, kCaption}}));

  h.Script().Forget();
  h.Select("Truf_HD_Option");
  h.Click("cmd_CreateHD_Truf");  // nothing opened, nothing picked
  Open();
  h.Click("cmd_CreateHD_Truf");  // nothing picked
  EXPECT_EQ(Messages(), (std::vector<Shown>{kNotFound, kNotFound}));
  EXPECT_FALSE(fs::exists(Work("Truf-new.dds")));
  EXPECT_EQ(ReadFile(Work("Truf.bin")), turf.bytes);
}

TEST_F(TrufTabTest, NoLeavesTheRebuiltWorkCopyAndSavesNothing) {
  Open();
  Pick();
  const auto userFiles = h.UserFiles();
  DeclineThenCancelTheSave();
  EXPECT_EQ(h.UserFiles(), userFiles);
}

// After a refused open nothing of the refused file passes for an opened one: the build answers
// as with nothing opened, even when a good file and a texture were there before.
TEST_F(TrufTabTest, AFileTheOpenRefusesLeavesNothingToBuildFrom) {
  Bytes noTexture(100, 0x33);
  std::copy_n(Bytes{0xE8, 0x55, 0x15, 0x00}.begin(), 4, noTexture.begin() + 8);  // 1398248
  WriteFile(h.User("broken.bin"), noTexture);
  Bytes strayMagic(300, 0x33);
  std::copy_n("DDS ", 4, strayMagic.begin() + 50);
  WriteFile(h.User("stray.bin"), strayMagic);
  for (const auto& [refused, reason] :
       {std::pair{"broken.bin", "holds no DDS texture"}, {"stray.bin", "DDS"}}) {
    h.Script().Forget();
    Open();
    Pick();
    Open(refused);
    ASSERT_EQ(Messages().size(), 1u) << refused;
    EXPECT_THAT(Messages()[0], GuardErrorBox<Shown>("Truf HD \u2014 \"Open\" (Open File)",
                                                    {h.User(refused).string(), reason}));
    EXPECT_EQ(h.WorkFiles(AssetKind::Truf), std::set<std::string>{"Truf-new.dds"});

    h.Script().Forget();
    const auto userFiles = h.UserFiles();
    h.Select("Truf_HD_Option");
    h.Click("cmd_CreateHD_Truf");
    EXPECT_EQ(Messages(), (std::vector<Shown>{kNotFound}));
    EXPECT_EQ(h.UserFiles(), userFiles);
  }
}

TEST_F(TrufTabTest, ExportsConvertBeforeTheDialogAndReportEveryFormat) {
  Open();
  h.Script().Forget();
  h.Click("cmdExportTrufTexture");  // no option: nothing
  h.Select("TPNG");
  h.Script().CancelFile();
  h.Click("cmdExportTrufTexture");
  EXPECT_TRUE(fs::exists(Work("Truf.dds.png")));

  ExportEveryFormat("truf");

  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{
                           {true, "CD34", "Save Truf Texture", "Save Png Texture (*.Png)|*.png"},
                           {true, "CD34", "Save Truf Texture", "Save Png Texture (*.Png)|*.png"},
                           {true, "CD34", "Save Truf Texture", "Save Jpg Texture (*.Jpg)|*.jpg"},
                           {true, "CD34", "Save Truf Texture", "Save DDS Texture (*.DDS)|*.DDS"}}));
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{{"Save Succesfull\r\n" + h.UserText("truf.png"), 64, kCaption},
                                {"Save Succesfull\r\n" + h.UserText("truf.jpg"), 64, kCaption},
                                {"Save Succesfull\r\n" + h.UserText("truf.dds"), 64, kCaption}}));
  EXPECT_TRUE(testing_support::IsPng(h.User("truf.png")));
  EXPECT_TRUE(testing_support::IsJpeg(h.User("truf.jpg")));
  EXPECT_EQ(ReadFile(h.User("truf.dds")).size(), turf.bytes.size());
}

TEST_F(TrufTabTest, TheTypeScanSeesEveryOffsetAndKeepsTheLastMatch) {
  Bytes bytes = turf.bytes;
  ASSERT_EQ(bytes.size() % 2, 0u);
  std::copy_n("DXT5", 4, bytes.end() - 7);  // odd offset, behind the texture's "DXT1"
  WriteFile(h.User("odd.bin"), bytes);
  Open("odd.bin");
  EXPECT_EQ(h.Text("Truf_DDS"), "DXT - 5");
}

}  // namespace
