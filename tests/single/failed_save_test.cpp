// A save or export onto the user's existing file that fails part-way (a full disk) leaves that
// file as it was, no temporary file beside it, and the guard's error box instead of "Save
// Succesfull". A fault of the program's own working folder is told as that, not as the user's.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

#include "game_files.h"
#include "guard_error.h"
#include "packed_container.h"
#include "special_files.h"
#include "tab_harness.h"
#include "write_fault.h"

namespace {

using fixtures::Bytes;
using fixtures::ReadFile;
using fixtures::WriteFile;
using testing_support::GuardErrorBox;
using testing_support::kCaption;
using testing_support::Shown;

constexpr uint64_t kBudget = 4096;  // bytes the device takes before it is full

class FailedSaveTest : public testing::Test {
 protected:
  void Choose(const std::string& name) { h.Script().ChooseFile(h.UserText(name)); }
  // The user's earlier file, and every file in the user's folder, as they were before.
  void ExpectTheUsersFilesUnchanged(const std::set<std::string>& files) {
    EXPECT_EQ(h.UserFiles(), files);  // hidden temporary names start with "."
    EXPECT_EQ(ReadFile(h.User("earlier.bin")), kEarlier);
  }
  void TearDown() override { EXPECT_EQ(h.Script().Pending(), 0u) << "unused scripted answers"; }

  const Bytes kEarlier = Bytes(20000, 0x77);
  testing_support::TabHarness h;
  // What failed, why, and what became of the old file, in words; the system's own words last.
  const std::vector<std::string> kSaidInWords = {
      "Could not save the file \"" + h.User("earlier.bin").string() +
          "\": the disk is full. The file that was there is kept as it was.",
      "No space left on device"};
};

TEST_F(FailedSaveTest, AFaceHdSaveOverAnExistingFile) {
  WriteFile(h.User("face.bin"), fixtures::Pack(fixtures::MakeFace().unpacked));
  WriteFile(h.User("hd.dds"), fixtures::MakeHdFaceTexture());
  WriteFile(h.User("earlier.bin"), kEarlier);
  const auto files = h.UserFiles();
  Choose("face.bin");
  h.Click("cmdOpenFaceBin");
  Choose("hd.dds");
  h.Click("cmdOpenHDTexture");
  h.Select("FaceHDOption");
  h.Script().Forget();

  h.Script().AnswerYes();
  Choose("earlier.bin");
  // The build before the question writes the work files in full; only the save meets the fault.
  std::optional<files::WriteFaultScope> fault;
  h.Script().AfterNextFileDialog([&] { fault.emplace(kBudget); });
  h.Click("FCreateHD");

  const auto messages = testing_support::Messages(h.Script());
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], (Shown{"Works Finished Succesfully\r\nDo You Want Save ?", 68, kCaption}));
  EXPECT_THAT(messages[1],
              GuardErrorBox<Shown>("Face HD \u2014 \"Create HD\" (Hd Done)", kSaidInWords));
  ExpectTheUsersFilesUnchanged(files);
  // The packed result is larger than the budget, so the copy did fail part-way.
  EXPECT_GT(ReadFile(h.Work(texel::AssetKind::Face, "Face-HD.bin")).size(), kBudget);
}

TEST_F(FailedSaveTest, ATurfDdsExportOverAnExistingFile) {
  WriteFile(h.User("truf.bin"), fixtures::MakeTurf().bytes);
  WriteFile(h.User("earlier.bin"), kEarlier);
  const auto files = h.UserFiles();
  Choose("truf.bin");
  h.Click("cmdOpenTruf");
  h.Select("TDDS");
  h.Script().Forget();

  Choose("earlier.bin");
  // The device fills on the export's last byte: the copy fails after writing all but its end.
  const auto exported = ReadFile(h.Work(texel::AssetKind::Truf, "Truf.dds")).size();
  const files::WriteFaultScope fault(exported - 1);
  h.Click("cmdExportTrufTexture");

  EXPECT_THAT(testing_support::Messages(h.Script()),
              testing::ElementsAre(GuardErrorBox<Shown>(
                  "Truf HD \u2014 \"Export\" (Export Texture)", kSaidInWords)));
  ExpectTheUsersFilesUnchanged(files);
}

// A pipe, a socket or a device chosen as the export's name is told as the opens tell it, and
// stays exactly as it was.
TEST_F(FailedSaveTest, AnExportOntoWhatIsNoFile) {
  WriteFile(h.User("truf.bin"), fixtures::MakeTurf().bytes);
  Choose("truf.bin");
  h.Click("cmdOpenTruf");
  h.Select("TDDS");
  for (const auto& special : testing_support::MakeSpecialFiles(h.User(""), "out.dds")) {
    SCOPED_TRACE(special.kind);
    h.Script().Forget();
    h.Script().ChooseFile(QString::fromStdString(special.path.string()));
    h.Click("cmdExportTrufTexture");
    EXPECT_THAT(testing_support::Messages(h.Script()),
                testing::ElementsAre(GuardErrorBox<Shown>(
                    "Truf HD \u2014 \"Export\" (Export Texture)",
                    {"Could not save the file: \"" + special.path.string() + "\" is " +
                     special.kind + ", not a file. Nothing was written."})));
    EXPECT_TRUE(testing_support::StillStands(special));
  }
}

TEST_F(FailedSaveTest, FaultsOfTheWorkingFolderAreToldAsItsOwn) {
  WriteFile(h.User("truf.bin"), fixtures::MakeTurf().bytes);
  WriteFile(h.User("hd.dds"), fixtures::MakeHdTurfTexture());
  WriteFile(h.User("earlier.bin"), kEarlier);
  const auto files = h.UserFiles();
  const std::string appData = h.Work(texel::AssetKind::Truf, "").parent_path().parent_path();
  Choose("truf.bin");
  {
    const files::WriteFaultScope full(0);
    h.Click("cmdOpenTruf");
  }
  EXPECT_THAT(testing_support::Messages(h.Script()),
              testing::ElementsAre(GuardErrorBox<Shown>(
                  "Truf HD \u2014 \"Open\" (Open File)",
                  {"Texel Forge's working folder \"" + appData + "\" has no room left",
                   "your files are untouched"})));

  // The folder removed behind the save question.
  h.Script().Forget();
  Choose("truf.bin");
  h.Click("cmdOpenTruf");
  Choose("hd.dds");
  h.Click("cmdOpenTrufTexture");
  h.Select("Truf_HD_Option");
  h.Script().AnswerYes();
  Choose("earlier.bin");
  h.Script().AfterNextFileDialog(
      [&] { std::filesystem::remove_all(h.Work(texel::AssetKind::Truf, "")); });
  h.Click("cmd_CreateHD_Truf");
  const auto messages = testing_support::Messages(h.Script());
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_THAT(messages[1],
              GuardErrorBox<Shown>("Truf HD \u2014 \"Create HD\" (Hd Done)",
                                   {"working folder", "is missing", "start it again"}));
  ExpectTheUsersFilesUnchanged(files);
}

}  // namespace
