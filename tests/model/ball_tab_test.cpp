// The Ball HD tab end to end, through the main window and scripted dialogs.
#include <gtest/gtest.h>

#include <QListWidget>

#include "image_box.h"
#include "model_tab_test.h"
#include "packed_container.h"

namespace testing_support {
namespace {

namespace fs = std::filesystem;
using fixtures::Bytes;
using fixtures::ReadFile;

constexpr ModelControls kBall{
    texel::AssetKind::Ball, "cmdOpenBallBin", "cmdOpenBallTexture",    "BallHD", "cmdBallHD",
    "cmdExportBTexture",    "BDATA_TS",       {"BPNG", "BJPG", "BDDS"}};

class BallTabTest : public ModelTabTest {
 protected:
  BallTabTest() : ModelTabTest(kBall) {
    WriteGameFile("ball.bin", ball.unpacked);
    WriteHdTextures({hd.texture, hd.bump, hd.htexture});
  }

  const fixtures::BallFile ball = fixtures::MakeBall();
  const fixtures::HdTextures hd = fixtures::MakeBallHdTextures();
};

TEST_F(BallTabTest, OpenSplitsPreviewsAndExportsTheBall) {
  h.Find<ui::ImageBox>("BB")->clicked();  // nothing to show yet
  EXPECT_TRUE(Picture("ImgBall").isNull());

  Open("ball.bin");
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{{false, "CD9", "Open Gormla Ball Bin File",
                                                  "Gormla Ball Bin File(*.bin)|*.bin"}}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(h.Text("BallBinPath"), h.UserText("ball.bin"));
  EXPECT_EQ(ReadFile(Work("TEMP")), ball.temp);
  EXPECT_EQ(ReadFile(Work("texture.dds")), ball.texture);
  EXPECT_EQ(ReadFile(Work("bump.dds")), ball.bump);
  EXPECT_EQ(ReadFile(Work("htexture.dds")), ball.htexture);
  EXPECT_EQ(ReadFile(Work("KTMDL")), ball.ktmdl);
  EXPECT_EQ(ReadFile(Work("Start")), ball.start);
  EXPECT_EQ(ReadFile(Work("CALC")), Bytes(ball.unpacked.begin() + 23, ball.unpacked.begin() + 28));
  EXPECT_FALSE(fs::exists(Work("KTMDL1")));

  ASSERT_FALSE(Bitmap("texture.dds.bmp").isNull());
  EXPECT_EQ(Picture("ImgBall"), Bitmap("texture.dds.bmp"));
  EXPECT_EQ(Picture("BHT"), Bitmap("htexture.dds.bmp"));
  EXPECT_EQ(h.Text("BTS"), "512 * 256");
  EXPECT_EQ(h.Text("BBS"), "512 * 512");
  EXPECT_EQ(h.Text("BHTS"), "256 * 256");
  h.Find<ui::ImageBox>("BB")->clicked();
  EXPECT_EQ(Picture("ImgBall"), Bitmap("bump.dds.bmp"));

  h.Click("cmdExportBTexture");  // neither a row nor a format chosen
  h.Find<QListWidget>("BDATA_TS")->setCurrentRow(1);
  h.Click("cmdExportBTexture");  // no format
  EXPECT_TRUE(Dialogs().size() == 1u && Messages().empty());
  h.Script().Forget();
  ExportSlot("Bump", 1, "bump.jpg");
  EXPECT_EQ(
      Dialogs(),
      (std::vector<DialogShown>{{true, "CD15", "Save Ball Bump", "Save Jpg Bump (*.Jpg)|*.jpg"}}));
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{{"Save Succesfull\r\n" + h.UserText("bump.jpg"), 64, kCaption}}));
  EXPECT_TRUE(IsJpeg(h.User("bump.jpg")));
  EXPECT_EQ(ReadFile(h.User("bump.jpg")), ReadFile(Work("bump.dds.jpg")));
}

TEST_F(BallTabTest, PickChainStopsAtACancelOrAFileThatIsNoDdsTexture) {
  h.Script().ChooseFile(h.UserText("hd1.dds"));
  h.Script().CancelFile();
  h.Click("cmdOpenBallTexture");
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{
                           {false, "CD10", "Open Ball Hd Texture", "DDS Texture(*.DDS)|*.dds"},
                           {false, "CD13", "Open Ball Hd Bump", "DDS Bump(*.DDS)|*.dds"}}));
  EXPECT_EQ(ReadFile(Work("texture-hd.dds")), hd.texture);
  EXPECT_EQ(h.Text("BallTexture"), h.UserText("hd1.dds"));
  EXPECT_FALSE(fs::exists(Work("bump-hd.dds")));

  fixtures::WriteFile(h.User("notes.txt"), Bytes(2000, 'n'));
  h.Script().Forget();
  h.Script().ChooseFile(h.UserText("hd1.dds"));
  h.Script().ChooseFile(h.UserText("notes.txt"));
  h.Click("cmdOpenBallTexture");
  EXPECT_EQ(Dialogs().size(), 2u);  // the third pick is never offered
  ExpectOnlyGuardError("Ball HD \u2014 \"Open\" (Open Texture)",
                       {h.UserText("notes.txt").toStdString(), "not a DDS"});
  EXPECT_FALSE(fs::exists(Work("bump-hd.dds")));
  EXPECT_TRUE(h.Text("BallBump").isEmpty());

  h.Script().Forget();
  PickAll();
  EXPECT_EQ(Dialogs().back(), (DialogShown{false, "CD14", "Open Ball Hd Highlight Texture",
                                           "DDS Highlight Texture(*.DDS)|*.dds"}));
  EXPECT_EQ(ReadFile(Work("bump-hd.dds")), hd.bump);
  EXPECT_EQ(ReadFile(Work("htexture-hd.dds")), hd.htexture);
  EXPECT_EQ(h.Text("BallHTexture"), h.UserText("hd3.dds"));
}

TEST_F(BallTabTest, CreateHdSavesTheRebuiltBallWhichThenOpensAsAlreadyHd) {
  h.Click("cmdBallHD");
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Select Hd Option Please !", 48, kCaption}}));
  h.Script().Forget();
  h.Select("BallHD");
  const auto userFiles = h.UserFiles();
  h.Click("cmdBallHD");  // nothing opened or picked yet
  ExpectOnlyGuardError("Ball HD \u2014 \"Create HD\" (Hd Done)", {"Start", "missing"});
  EXPECT_EQ(h.UserFiles(), userFiles);

  Open("ball.bin");
  PickAll();
  fixtures::WriteFile(h.User("hd-ball.bin"), Bytes(10, 0x77));  // an existing file is replaced
  h.Script().Forget();
  CreateAndSave("hd-ball.bin");
  EXPECT_EQ(Messages(), AskedAndSaved("Work's Finished Successfully", "hd-ball.bin"));
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{
                           {true, "CD11", "Save Gormla Hd Ball", "Gormla Bin File(*.bin)|*.bin"}}));
  EXPECT_EQ(fixtures::Unpack(ReadFile(h.User("hd-ball.bin"))),
            fixtures::HdBallImage(ball, hd.texture, hd.bump, hd.htexture));

  h.Script().Forget();
  WriteGameFile("invalid.bin", fixtures::MakeInvalidBall());
  Open("hd-ball.bin");
  Open("invalid.bin");
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{
                {"The File That You Open Is Already HD", 16, kCaption},
                {"Itsn't A Valid File For Texel Forge => Ball Hd Option", 16, "Error..."}}));
}

}  // namespace
}  // namespace testing_support
