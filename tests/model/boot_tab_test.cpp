// The Boot Hd tab end to end, through the main window and scripted dialogs.
#include <gtest/gtest.h>

#include <QLabel>

#include "model_tab_test.h"
#include "packed_container.h"

namespace testing_support {
namespace {

using fixtures::ReadFile;

constexpr ModelControls kBoot{texel::AssetKind::Boot,
                              "cmdOpenBootBin",
                              "cmdOpenHdTextureBoot",
                              "BootHDOption",
                              "cmdCreateHDBoot",
                              "cmdExportBootTexture",
                              "LSTBOOT",
                              {"BootPNG", "BootJPG", "BootDDS"}};

class BootTabTest : public ModelTabTest {
 protected:
  BootTabTest() : ModelTabTest(kBoot) {
    WriteGameFile("boot.bin", boot.unpacked);
    WriteHdTextures({hd.texture, hd.bump, hd.htexture});
  }

  const fixtures::BootFile boot = fixtures::MakeBoot();
  const fixtures::HdTextures hd = fixtures::MakeBootHdTextures();
};

TEST_F(BootTabTest, OpenCutsTheHeadTexturesAndModelSectionAndExportsASlot) {
  const char* sizeLabels[] = {"Label5", "Label6", "Label7"};
  for (const char* label : sizeLabels) EXPECT_TRUE(h.Find<QLabel>(label)->isHidden()) << label;
  Open("boot.bin");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ReadFile(Work("CALC")), boot.calc);
  EXPECT_EQ(ReadFile(Work("TEMP")), boot.temp);
  EXPECT_EQ(ReadFile(Work("texture.dds")), boot.texture);
  EXPECT_EQ(ReadFile(Work("bump.dds")), boot.bump);
  EXPECT_EQ(ReadFile(Work("htexture.dds")), boot.htexture);
  EXPECT_EQ(ReadFile(Work("KTMDL")), boot.ktmdl);
  EXPECT_EQ(Picture("ImgBoot1"), Bitmap("texture.dds.bmp"));
  const char* captions[] = {"256 * 256", "256 * 128", "128 * 128"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_FALSE(h.Find<QLabel>(sizeLabels[i])->isHidden()) << sizeLabels[i];
    EXPECT_EQ(h.Text(sizeLabels[i]), captions[i]);
  }

  ExportSlot("H Texture", 2, "h.dds");
  EXPECT_EQ(Dialogs(),
            (std::vector<DialogShown>{
                {false, "CD17", "Open Boot Bin File", "Gormla Boot Bin File (*.bin)|*.bin"},
                {true, "CD16", "Save Boot H Texture", "Save DDS H Texture (*.DDS)|*.DDS"}}));
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{{"Save Succesfull\r\n" + h.UserText("h.dds"), 64, kCaption}}));
  EXPECT_EQ(ReadFile(h.User("h.dds")), boot.htexture);
}

TEST_F(BootTabTest, HdInvalidAndUnterminatedHeadsAreRefused) {
  WriteGameFile("hd.bin", fixtures::MakeHdBoot());
  WriteGameFile("invalid.bin", fixtures::MakeInvalidBoot());
  WriteGameFile("no-end.bin", fixtures::MakeBootWithoutHeadEnd());
  for (const char* file : {"hd.bin", "invalid.bin", "no-end.bin"}) Open(file);
  const Shown notValid{"Itsn't A Valid File For Texel Forge => Boot Hd Option", 16, "Error..."};
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{
                {"The File That You Open Is Already HD", 16, kCaption}, notValid, notValid}));
  EXPECT_FALSE(std::filesystem::exists(Work("texture.dds")));
}

TEST_F(BootTabTest, CreateHdSavesTheRebuiltBoot) {
  h.Click("cmdCreateHDBoot");
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Select Hd Option Please !", 16, kCaption}}));
  Open("boot.bin");
  h.Script().Forget();
  PickAll();
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{
                           {false, "CD18", "Open Boot Hd Texture", "DDS Texture(*.DDS)|*.dds"},
                           {false, "CD19", "Open Boot Hd Bump", "DDS Bump(*.DDS)|*.dds"},
                           {false, "CD20", "Open Boot Hd Highlight Texture",
                            "DDS Highlight Texture(*.DDS)|*.dds"}}));
  EXPECT_EQ(ReadFile(Work("htexture-hd.dds")), hd.htexture);

  h.Script().Forget();
  CreateAndSave("hd-boot.bin");
  EXPECT_EQ(Messages(), AskedAndSaved("Work's Finished Successfully", "hd-boot.bin"));
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{
                           {true, "CD21", "Save Gormla Hd Boot", "Gormla Bin File(*.bin)|*.bin"}}));
  EXPECT_EQ(fixtures::Unpack(ReadFile(h.User("hd-boot.bin"))),
            fixtures::HdBootImage(boot, hd.texture, hd.bump, hd.htexture));
}

}  // namespace
}  // namespace testing_support
