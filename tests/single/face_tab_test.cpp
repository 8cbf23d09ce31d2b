// The Face tab end to end, through the main window and scripted dialogs.
#include <gtest/gtest.h>

#include "game_files.h"
#include "guard_error.h"
#include "image_box.h"
#include "packed_container.h"
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

constexpr testing_support::TabControls kFace{
    AssetKind::Face,  "face.bin",         fixtures::MakeHdFaceTexture,
    "cmdOpenFaceBin", "cmdOpenHDTexture", "FaceHDOption",
    "FCreateHD",      "FExportTexture",   {"FPNG", "FJPG", "FDDS"}};

class FaceTabTest : public testing_support::SingleTabTest {
 protected:
  FaceTabTest() : SingleTabTest(kFace) {}
  Bytes GameFile() const override { return fixtures::Pack(face.unpacked); }

  const fixtures::FaceFile face = fixtures::MakeFace();
};

TEST_F(FaceTabTest, OpenKeepsTheBumpTextureAndShowsTheFaceTexture) {
  Open();
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{{false, "CD1", "Open Gormla Face Bin",
                                                  "Gormla Face Bin File (*.bin)|*.bin"}}));
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(h.Text("FacePath"), h.UserText("face.bin"));

  EXPECT_EQ(ReadFile(Work("Face.bin")), ReadFile(h.User("face.bin")));
  EXPECT_EQ(ReadFile(Work("Face.bin.unzlib")), face.unpacked);
  EXPECT_EQ(h.Text("FB"), QString::number(face.bumpOffset + 1));
  EXPECT_EQ(ReadFile(Work("Bump.dds")),
            Bytes(face.unpacked.begin() + face.bumpOffset, face.unpacked.end()));
  Bytes cut(face.unpacked.begin() + face.headSize, face.unpacked.end());
  cut.resize(face.unpacked.size(), 0);
  EXPECT_EQ(ReadFile(Work("Face.dds")), cut);
  EXPECT_FALSE(fs::exists(Work("Face.bin.unzlib.z")));

  EXPECT_EQ(h.Find<ui::ImageBox>("ImgFace")->Picture().size(), QSize(256, 256));
  EXPECT_EQ(h.Text("FaceTextureWidth"), "256 PX ");
  EXPECT_EQ(h.Text("FaceTextureHeight"), "256 PX ");
  EXPECT_EQ(h.Text("FaceDDSType"), "DXT - 5");
}

TEST_F(FaceTabTest, CreateHdSavesThePackedHdFaceImageWhichThenOpensAsAlreadyHd) {
  Open();
  Pick();
  EXPECT_EQ(h.Text("FHDT"), h.UserText("hd.dds"));
  EXPECT_EQ(ReadFile(Work("Face-New.dds")), HdTexture());
  WriteFile(h.User("hd-face.bin"), Bytes(10, 0x77));  // an existing target is replaced
  h.Script().Forget();

  CreateAndSave("hd-face.bin");
  EXPECT_EQ(Messages(), (std::vector<Shown>{
                            {"Works Finished Succesfully\r\nDo You Want Save ?", 68, kCaption},
                            {"Save Succesfull\r\n" + h.UserText("hd-face.bin"), 64, kCaption}}));
  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{{true, "CD3", "Save Gormla Hd Face",
                                                  "Gormla Face Bin File (*.bin)|*.bin"}}));
  const Bytes expected = fixtures::HdFaceImage(face, HdTexture());
  EXPECT_EQ(fixtures::Unpack(ReadFile(h.User("hd-face.bin"))), expected);
  EXPECT_EQ(ReadFile(Work("Face-HD.bin")), ReadFile(h.User("hd-face.bin")));
  EXPECT_FALSE(fs::exists(Work("Face.bin.unzlib.zlib")));

  // A second build in the same run rebuilds the same image.
  CreateAndSave("hd-face-2.bin");
  EXPECT_EQ(fixtures::Unpack(ReadFile(h.User("hd-face-2.bin"))), expected);

  // The saved file is refused as HD; the preview and labels keep the earlier file.
  h.Script().Forget();
  Open("hd-face.bin");
  EXPECT_EQ(
      Messages(),
      (std::vector<Shown>{{"File Is Already HD\r\nDo You Want To Continue ?", 16, kCaption}}));
  EXPECT_EQ(h.Text("FacePath"), h.UserText("hd-face.bin"));
  EXPECT_EQ(h.Text("FaceTextureWidth"), "256 PX ");

  // A standard file opens normally again.
  h.Script().Forget();
  Open();
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(ReadFile(Work("Face.bin.unzlib")), face.unpacked);
}

TEST_F(FaceTabTest, NoOrACancelledSaveLeavesNothingOutsideTheWorkFolder) {
  Open();
  Pick();
  const auto userFiles = h.UserFiles();
  DeclineThenCancelTheSave();
  EXPECT_EQ(h.UserFiles(), userFiles);
  EXPECT_FALSE(fs::exists(Work("Face.bin.unzlib.zlib")));
  EXPECT_FALSE(fs::exists(Work("Face-HD.bin")));
  EXPECT_EQ(ReadFile(Work("Face.bin.unzlib")), fixtures::HdFaceImage(face, HdTexture()));
}

TEST_F(FaceTabTest, CreateHdWantsBothWorkFilesThenTheOption) {
  const auto before = h.WorkFiles(AssetKind::Face);
  h.Click("FCreateHD");
  Pick();
  h.Click("FCreateHD");
  const Shown missing{"Error In Proccess , File's Not Found", 16, kCaption};
  EXPECT_EQ(Messages(), (std::vector<Shown>{missing, missing}));

  h.Script().Forget();
  Open();
  h.Click("FCreateHD");
  EXPECT_EQ(Messages(), (std::vector<Shown>{{"Select Hd Option Please !", 48, kCaption}}));
  EXPECT_EQ(ReadFile(Work("Face.bin.unzlib")), face.unpacked);
}

TEST_F(FaceTabTest, AFailedOpenLeavesNothingOfTheEarlierFileToBuildFrom) {
  Open();  // keeps a bump texture
  Pick();
  Bytes noTexture(300, 0x11);
  noTexture[44] = 32;  // bump offset inside the file
  WriteFile(h.User("broken.bin"), fixtures::Pack(noTexture));
  h.Script().Forget();
  Open("broken.bin");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_THAT(Messages()[0],
              GuardErrorBox<Shown>("Face HD \u2014 \"Open\" (Open File)",
                                   {"bump texture offset", "outside the file (300 bytes)"}));
  EXPECT_EQ(Messages()[0].style, 16);

  h.Script().Forget();
  const auto userFiles = h.UserFiles();
  h.Select("FaceHDOption");
  h.Click("FCreateHD");  // no question is scripted: none may come
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{{"Error In Proccess , File's Not Found", 16, kCaption}}));
  for (const char* derived : {"Face.bin.unzlib", "Bump.dds", "Face.dds", "Face.dds.bmp"}) {
    EXPECT_FALSE(fs::exists(Work(derived))) << derived;
  }
  EXPECT_TRUE(h.Find<ui::ImageBox>("ImgFace")->Picture().isNull());
  EXPECT_EQ(h.Text("FaceTextureWidth"), "");
  EXPECT_FALSE(fs::exists(Work("Face-HD.bin")));
  EXPECT_EQ(h.UserFiles(), userFiles);
}

TEST_F(FaceTabTest, ABumpOffsetOutsideTheFileIsReportedAndNothingIsCut) {
  Bytes bad = face.unpacked;
  const uint32_t outside = static_cast<uint32_t>(bad.size());
  for (int i = 0; i < 4; ++i) bad[44 + i] = static_cast<uint8_t>(outside >> (8 * i));
  WriteFile(h.User("bad.bin"), fixtures::Pack(bad));
  Open("bad.bin");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_THAT(Messages()[0], GuardErrorBox<Shown>("Face HD \u2014 \"Open\" (Open File)",
                                                  {"bump texture offset (109600)",
                                                   "outside the file (109600 bytes)"}));
  EXPECT_FALSE(fs::exists(Work("Bump.dds")));
  EXPECT_FALSE(fs::exists(Work("Face.dds")));
}

TEST_F(FaceTabTest, ExportsConvertBeforeTheDialogAndReportEveryFormat) {
  Open();
  h.Script().Forget();
  h.Click("FExportTexture");  // no option selected: nothing at all
  EXPECT_TRUE(h.Script().Dialogs().empty());

  h.Select("FPNG");
  h.Script().CancelFile();
  h.Click("FExportTexture");
  EXPECT_TRUE(fs::exists(Work("Face.dds.png")));  // converted before the dialog

  ExportEveryFormat("face");

  EXPECT_EQ(Dialogs(), (std::vector<DialogShown>{
                           {true, "CD4", "Save Png Texture", "Png Texture (*.Png)|*.png"},
                           {true, "CD4", "Save Png Texture", "Png Texture (*.Png)|*.png"},
                           {true, "CD4", "Save Jpg Texture", "Jpg Texture (*.Jpg)|*.Jpg"},
                           {true, "CD4", "Save DDS Texture", "DDS Texture (*.DDS)|*.DDS"}}));
  EXPECT_EQ(Messages(),
            (std::vector<Shown>{{"Save Succesfull\r\n" + h.UserText("face.png"), 64, kCaption},
                                {"Save Succesfull\r\n" + h.UserText("face.jpg"), 64, kCaption},
                                {"Save Succesfull\r\n" + h.UserText("face.dds"), 64, kCaption}}));
  EXPECT_TRUE(testing_support::IsPng(h.User("face.png")));
  EXPECT_TRUE(testing_support::IsJpeg(h.User("face.jpg")));
  EXPECT_EQ(ReadFile(h.User("face.dds")), ReadFile(Work("Face.dds")));
}

TEST_F(FaceTabTest, AnExportBeforeAnyOpenIsReportedAndWritesNothing) {
  h.Select("FPNG");
  h.Click("FExportTexture");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_THAT(Messages()[0], GuardErrorBox<Shown>("Face HD \u2014 \"Export Texture\"",
                                                  {"Face.dds", "no texture to export yet"}));
  EXPECT_EQ(Messages()[0].style, 16);
  EXPECT_TRUE(h.Script().Dialogs().empty());
  EXPECT_EQ(h.UserFiles(), (std::set<std::string>{"face.bin", "hd.dds"}));
}

TEST_F(FaceTabTest, TheTypeScanSeesEvenOffsetsOnlyAndKeepsTheLastMatch) {
  const auto withFourCc = [&](const char* fourCc, bool odd) {
    Bytes bytes = face.unpacked;
    size_t at = bytes.size() - 8;  // inside the bump texture's last block
    if (odd) at += 1;
    std::copy_n(fourCc, 4, bytes.begin() + static_cast<long>(at));
    return bytes;
  };
  WriteFile(h.User("odd.bin"), fixtures::Pack(withFourCc("DXT1", true)));
  WriteFile(h.User("even.bin"), fixtures::Pack(withFourCc("DXT1", false)));
  Open("odd.bin");
  EXPECT_EQ(h.Text("FaceDDSType"), "DXT - 5");
  Open("even.bin");
  EXPECT_EQ(h.Text("FaceDDSType"), "DXT - 1");
}

TEST_F(FaceTabTest, AFailedOpenIsToldInTheUsersWordsAndAMissingFolderPlainly) {
  WriteFile(h.User("damaged.bin"), Bytes(64, 0x5A));
  Open("damaged.bin");
  const QString user = h.UserText("damaged.bin");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0].text, "Face HD \u2014 \"Open\" (Open File) could not finish.\r\n'" +
                                    user +
                                    "' is not a packed game file: its data is damaged\r\n"
                                    "Corvane_UnPack failed, result 0x80070057");
  EXPECT_FALSE(Messages()[0].text.contains("temp.bin"));

  h.Script().Forget();
  fs::remove_all(Work(""));
  h.Click("cmdOpenFaceBin");  // no dialog is scripted: none may come
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_THAT(
      Messages()[0].text.toStdString(),
      testing::AllOf(testing::HasSubstr("working folder"), testing::HasSubstr("start it again")));
}

}  // namespace
