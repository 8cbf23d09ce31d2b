// The Glove HD tab end to end, through the main window and scripted dialogs.
#include <gtest/gtest.h>

#include <QPushButton>

#include "model_tab_test.h"
#include "packed_container.h"

namespace testing_support {
namespace {

using fixtures::ReadFile;

constexpr ModelControls kGlove{texel::AssetKind::Glove,
                               "cmdOpenGLoveBin",
                               "OPEN_TEXTURE_GLOVE",
                               "HD_OPTION_GLOVE",
                               "CREATEHD_GLOVE",
                               "cmdExportGloveTexture",
                               "LSTGLOVE",
                               {"GlovePNG", "GloveJPG", "GloveDDS"}};

class GloveTabTest : public ModelTabTest {
 protected:
  GloveTabTest() : ModelTabTest(kGlove) {
    WriteGameFile("glove.bin", glove.unpacked);
    WriteHdTextures({hd.texture, hd.bump, hd.htexture});
  }

  const fixtures::GloveFile glove = fixtures::MakeGlove();
  const fixtures::HdTextures hd = fixtures::MakeGloveHdTextures();
};

TEST_F(GloveTabTest, OpenCutsTheThreeTexturesAndExportsOne) {
  Open("glove.bin");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ReadFile(Work("TEMP")), glove.temp);
  EXPECT_EQ(ReadFile(Work("texture.dds")), glove.texture);
  EXPECT_EQ(ReadFile(Work("bump.dds")), glove.bump);
  EXPECT_EQ(ReadFile(Work("htexture.dds")), glove.htexture);
  EXPECT_EQ(Picture("imgGlove1"), Bitmap("texture.dds.bmp"));
  EXPECT_EQ(h.Text("Label8"), "256 * 256");
  EXPECT_EQ(h.Text("Label9"), "256 * 256");
  EXPECT_EQ(h.Text("Label10"), "128 * 128");

  ExportSlot("Texture", 0, "texture.png");
  EXPECT_EQ(Dialogs(),
            (std::vector<DialogShown>{
                {false, "CD25", "Open Gormla Glove Bin", "Gormla Glove Bin File(*.bin)|*.bin"},
                {true, "CD30", "Save Glove Texture", "Save Png Texture (*.Png)|*.png"}}));
  EXPECT_EQ(
      Messages(),
      (std::vector<Shown>{{"Save Succesfull\r\n" + h.UserText("texture.png"), 64, kCaption}}));
  EXPECT_TRUE(IsPng(h.User("texture.png")));
}

TEST_F(GloveTabTest, RefusedFilesLeaveTheTabWorking) {
  WriteGameFile("hd.bin", fixtures::MakeHdGlove());
  WriteGameFile("invalid.bin", fixtures::MakeInvalidGlove());
  WriteGameFile("short.bin", fixtures::MakeShortGlove());
  Open("hd.bin");
  Open("invalid.bin");
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{
                {"The File That You Open Is Already HD", 16, kCaption},
                {"Itsn't A Valid File For Texel Forge => Glove Hd Option", 16, "Error"}}));

  h.Script().Forget();
  Open("short.bin");
  ExpectOnlyGuardError("Glove HD \u2014 \"Open\" (Open File)",
                       {h.UserText("short.bin").toStdString(), "too short"});
  EXPECT_FALSE(std::filesystem::exists(Work("texture.dds")));

  h.Script().Forget();
  Open("glove.bin");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ReadFile(Work("htexture.dds")), glove.htexture);
}

TEST_F(GloveTabTest, CreateHdNeedsOnlyThePicks) {
  EXPECT_EQ(h.Find<QPushButton>("CREATEHD_GLOVE")->text(), "Create Hd");
  h.Click("CREATEHD_GLOVE");
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Select Hd Option Please !", 16, "TexelForge"}}));

  PickAll();
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{
                           {false, "CD26", "Open Glove Hd Texture", "DDS Texture(*.DDS)|*.dds"},
                           {false, "CD27", "Open Glove Hd Bump", "DDS Bump(*.DDS)|*.dds"},
                           {false, "CD28", "Open Glove Hd Highlight Texture",
                            "DDS Highlight Texture(*.DDS)|*.dds"}}));
  EXPECT_EQ(ReadFile(Work("texture-new.dds")), hd.texture);

  h.Script().Forget();
  CreateAndSave("hd-glove.bin");
  EXPECT_EQ(Messages(), AskedAndSaved("Works Finished Succesfully", "hd-glove.bin"));
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{{true, "CD29", "Save Gormla Glove Hd",
                                                  "Gormla Hd bin Glove(*.bin)|*.bin"}}));
  EXPECT_EQ(fixtures::Unpack(ReadFile(h.User("hd-glove.bin"))),
            fixtures::HdGloveImage(hd.texture, hd.bump, hd.htexture));
}

}  // namespace
}  // namespace testing_support
