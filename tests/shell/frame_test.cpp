#include "frame.h"
#include "tab_page.h"

#include <sys/stat.h>

#include <array>
#include <optional>

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "com/error.h"
#include "dxt_texture.h"
#include "guard_error.h"
#include "packed_container.h"
#include "shell_test_support.h"

namespace {

namespace fs = std::filesystem;
using shelltest::Bytes;
using shelltest::Listing;
using shelltest::ReadBytes;
using shelltest::WriteBytes;
using shelltest::WriteText;
using testing::HasSubstr;
using testing_support::GuardErrorBox;
using testing_support::GuardText;

class FrameTest : public testing::Test {
 protected:
  FrameTest() : bench(program.Path()), dialog("CDT", bench.dialogs) {
    shelltest::App();
    fs::create_directories(work);
    fs::create_directories(user);
  }

  testing_support::TempFolder program;
  testing_support::TempFolder userFolder;
  fs::path work = program.Path() / "AppData" / "Face";
  fs::path user = userFolder.Path();
  shelltest::TestBench bench;
  ui::CommonDialog dialog;
};

// A page with a path group and an HD option, in the face's working folder.
class TestPage : public texel::TabPage {
 public:
  explicit TestPage(texel::Workbench& bench)
      : TabPage(bench, texel::AssetKind::Face, "CDT", "CDS") {
    MakePathGroup("Open File", "Test Bin File :", "TestPath", {"cmdOpenTest", [] {}}, &m_filePath);
    MakeHdDoneGroup("Hd Done", {"cmdCreateTest", [] {}}, "Create HD", "TestHD", "Test Texture");
  }
  bool Open() {
    return OnOpenAssetBin({"Open Test Bin", "Test Bin File(*.bin)|*.bin"}, "Test.bin", true);
  }
  using TabPage::OnCreateHdPress;
  using TabPage::OnPickHdTextureSet;
  QLineEdit* PathBox() const { return m_filePath; }
  QRadioButton* Option() const { return m_hdOption; }
};

// --- open ---------------------------------------------------------------------------------

class PageFrameTest : public FrameTest {
 protected:
  TestPage page{bench};
};

TEST_F(PageFrameTest, CancelLeavesPathBoxWorkCopyAndUnpackedFile) {
  page.PathBox()->setText("earlier.bin");
  WriteText(work / "Test.bin", "earlier copy");
  WriteText(work / "Test.bin.unzlib", "earlier unpacked");
  bench.dialogs.CancelFile();
  EXPECT_FALSE(page.Open());
  ASSERT_EQ(bench.dialogs.Dialogs().size(), 1u);
  const ui::ShownDialog& shown = bench.dialogs.Dialogs()[0];
  EXPECT_EQ(shown.kind, ui::DialogKind::Open);
  EXPECT_EQ(shown.name, "CDT");
  EXPECT_EQ(shown.title, "Open Test Bin");
  EXPECT_EQ(shown.filter, "Test Bin File(*.bin)|*.bin");
  EXPECT_EQ(page.PathBox()->text(), "earlier.bin");
  EXPECT_EQ(ReadBytes(work / "Test.bin"),
            Bytes({'e', 'a', 'r', 'l', 'i', 'e', 'r', ' ', 'c', 'o', 'p', 'y'}));
  EXPECT_EQ(ReadBytes(work / "Test.bin.unzlib").size(), 16u);
}

TEST_F(PageFrameTest, ASecondShorterFileReplacesTheWorkCopyAndItsUnpackedFile) {
  const Bytes longPayload(5000, 0x5A);
  const Bytes shortPayload = {'K', 'T', 'M', 'D', 1, 2, 3};
  WriteBytes(user / "long.bin", fixtures::Pack(longPayload));
  WriteBytes(user / "short.bin", fixtures::Pack(shortPayload));
  bench.dialogs.ChooseFile(QString::fromStdString((user / "long.bin").string()));
  bench.dialogs.ChooseFile(QString::fromStdString((user / "short.bin").string()));

  EXPECT_TRUE(page.Open());
  EXPECT_EQ(ReadBytes(work / "Test.bin.unzlib"), longPayload);
  EXPECT_TRUE(page.Open());
  EXPECT_EQ(page.PathBox()->text().toStdString(), (user / "short.bin").string());
  EXPECT_EQ(ReadBytes(work / "Test.bin"), ReadBytes(user / "short.bin"));
  EXPECT_EQ(ReadBytes(work / "Test.bin.unzlib"), shortPayload);
  // The user's files are only read.
  EXPECT_EQ(Listing(user), (std::set<std::string>{"long.bin", "short.bin"}));
}

// A pipe would make a read wait for a writer: it is refused before the path box or any work
// file changes, as an open and as a pick.
TEST_F(PageFrameTest, APipeIsRefusedAtOnceAndTheFileOpenedBeforeStays) {
  WriteBytes(user / "a.bin", fixtures::Pack(Bytes(100, 0x5A)));
  ASSERT_EQ(::mkfifo((user / "pipe").c_str(), 0600), 0);
  const QString pipe = QString::fromStdString((user / "pipe").string());
  bench.dialogs.ChooseFile(QString::fromStdString((user / "a.bin").string()));
  ASSERT_TRUE(page.Open());
  const auto listing = Listing(work);

  bench.dialogs.ChooseFile(pipe);
  EXPECT_THROW(
      {
        try {
          page.Open();
        } catch (const texel::StepFailure& refused) {
          EXPECT_THAT(refused.what(), HasSubstr((user / "pipe").string() + "' is a named pipe"));
          throw;
        }
      },
      texel::StepFailure);
  EXPECT_EQ(page.PathBox()->text().toStdString(), (user / "a.bin").string());
  bench.dialogs.ChooseFile(pipe);
  QLineEdit box;
  const texel::PickStep pick{&dialog, {"Pick", "DDS (*.dds)|*.dds"}, &box, work / "p.dds", true};
  EXPECT_THROW(page.OnPickHdTextureSet(std::span(&pick, 1)), texel::StepFailure);
  EXPECT_EQ(Listing(work), listing);
  EXPECT_TRUE(box.text().isEmpty());
}

// --- create press -------------------------------------------------------------------------

TEST_F(PageFrameTest, TheCreatePressBuildsOnlyWithTheHdOption) {
  const texel::MessageRow missing{"Select Hd Option Please !", ui::kErrorOk, "Error..."};
  EXPECT_FALSE(page.OnCreateHdPress(missing));
  ASSERT_EQ(bench.dialogs.Messages().size(), 1u);
  EXPECT_EQ(bench.dialogs.Messages()[0].text, "Select Hd Option Please !");
  EXPECT_EQ(bench.dialogs.Messages()[0].style, ui::kErrorOk);
  EXPECT_EQ(bench.dialogs.Messages()[0].title, "Error...");

  page.Option()->setChecked(true);
  EXPECT_TRUE(page.OnCreateHdPress(missing));
  EXPECT_EQ(bench.dialogs.Messages().size(), 1u);
}

// --- pick chain ---------------------------------------------------------------------------

TEST_F(PageFrameTest, APickChainEndsAtACancelOrAtAFileThatIsNoDdsTexture) {
  WriteBytes(user / "a.dds", fixtures::MakeDds({8, 8, fixtures::Dxt::Dxt5, 1, 1}));
  WriteText(user / "notes.txt", "not a texture");
  QLineEdit boxes[3];
  const auto chain = [&](std::array<const char*, 3> titles) {
    std::vector<texel::PickStep> steps;
    for (int i = 0; i < 3; ++i) {
      steps.push_back({&dialog,
                       {titles[i], "DDS (*.dds)|*.dds"},
                       &boxes[i],
                       work / ("slot" + std::to_string(i) + ".dds"),
                       true});
    }
    page.OnPickHdTextureSet(steps);
  };
  bench.dialogs.ChooseFile(QString::fromStdString((user / "a.dds").string()));
  bench.dialogs.CancelFile();
  chain({"One", "Two", "Three"});
  EXPECT_EQ(bench.dialogs.Dialogs().size(), 2u);
  EXPECT_EQ(ReadBytes(work / "slot0.dds"), ReadBytes(user / "a.dds"));
  EXPECT_EQ(Listing(work), std::set<std::string>{"slot0.dds"});

  bench.dialogs.ChooseFile(QString::fromStdString((user / "notes.txt").string()));
  EXPECT_THROW(chain({"Again", "", ""}), texel::StepFailure);
  EXPECT_EQ(Listing(work), std::set<std::string>{"slot0.dds"});
  EXPECT_EQ(boxes[0].text(), QString::fromStdString((user / "a.dds").string()));
}

// --- offer to save ------------------------------------------------------------------------

class SaveFrameTest : public FrameTest {
 protected:
  SaveFrameTest() { WriteText(work / "Test.unzlib", "the rebuilt file"); }
  texel::SaveHdRow Row(texel::Packing packing) {
    return {{"Works Finished Succesfully", ui::kInformationYesNo, nullptr},
            &dialog,
            {"Save Test Hd", "Test Hd Bin(*.bin)|*.bin"},
            work / "Test.unzlib",
            packing,
            work / "Test-HD.bin"};
  }
  void ExpectQuestion() {
    ASSERT_FALSE(bench.dialogs.Messages().empty());
    const ui::ShownMessage& question = bench.dialogs.Messages()[0];
    EXPECT_EQ(question.text, "Works Finished Succesfully\r\nDo You Want Save ?");
    EXPECT_EQ(question.style, ui::kInformationYesNo);
    EXPECT_EQ(question.title, texel::kMainWindowCaption);
  }
  bool Packed() const { return fs::exists(work / "Test-HD.bin"); }
};

TEST_F(SaveFrameTest, NoWritesNothingOutsideTheWorkFolder) {
  bench.dialogs.AnswerNo();
  texel::OfferSaveHd(bench, Row(texel::Packing::AfterChoosingName));
  ExpectQuestion();
  EXPECT_EQ(bench.dialogs.Messages().size(), 1u);
  EXPECT_TRUE(bench.dialogs.Dialogs().empty());
  EXPECT_FALSE(Packed());
  EXPECT_TRUE(Listing(user).empty());
}

TEST_F(SaveFrameTest, ACancelledSaveDialogEndsQuietly) {
  bench.dialogs.AnswerYes();
  bench.dialogs.CancelFile();
  texel::OfferSaveHd(bench, Row(texel::Packing::AfterChoosingName));
  ExpectQuestion();
  ASSERT_EQ(bench.dialogs.Dialogs().size(), 1u);
  EXPECT_EQ(bench.dialogs.Dialogs()[0].kind, ui::DialogKind::Save);
  EXPECT_EQ(bench.dialogs.Dialogs()[0].title, "Save Test Hd");
  EXPECT_EQ(bench.dialogs.Dialogs()[0].filter, "Test Hd Bin(*.bin)|*.bin");
  EXPECT_FALSE(Packed());
  EXPECT_EQ(bench.dialogs.Messages().size(), 1u);
  EXPECT_TRUE(Listing(user).empty());
}

TEST_F(SaveFrameTest, YesPacksCopiesOverAnExistingFileAndReports) {
  const fs::path target = user / "mine.bin";
  WriteText(target, "an earlier and much longer save that must go entirely");
  bench.dialogs.AnswerYes();
  bench.dialogs.ChooseFile(QString::fromStdString(target.string()));
  texel::OfferSaveHd(bench, Row(texel::Packing::AfterChoosingName));
  ASSERT_TRUE(Packed());
  EXPECT_FALSE(fs::exists(work / "Test.unzlib.zlib"));  // renamed to the result
  EXPECT_EQ(ReadBytes(target), ReadBytes(work / "Test-HD.bin"));
  EXPECT_EQ(Listing(user), std::set<std::string>{"mine.bin"});
  ASSERT_EQ(bench.dialogs.Messages().size(), 2u);
  const ui::ShownMessage& done = bench.dialogs.Messages()[1];
  EXPECT_EQ(done.text.toStdString(), "Save Succesfull\r\n" + target.string());
  EXPECT_EQ(done.style, ui::kInformationOk);
  EXPECT_EQ(done.title, texel::kMainWindowCaption);
}

TEST_F(SaveFrameTest, AFailingCopyLeavesTheUsersFileAndIsReported) {
  const fs::path target = user / "mine.bin";
  const Bytes earlier = {9, 8, 7};
  WriteBytes(target, earlier);
  bench.dialogs.AnswerYes();
  bench.dialogs.ChooseFile(QString::fromStdString(target.string()));
  // No pack and no result file: the copy has nothing to copy.
  texel::RunGuarded(bench, "OnCreateHDTest",
                    [&] { texel::OfferSaveHd(bench, Row(texel::Packing::None)); });
  EXPECT_EQ(ReadBytes(target), earlier);
  EXPECT_EQ(Listing(user), std::set<std::string>{"mine.bin"});
  ASSERT_EQ(bench.dialogs.Messages().size(), 2u);
  EXPECT_THAT(bench.dialogs.Messages()[1],
              GuardErrorBox<ui::ShownMessage>("OnCreateHDTest",
                                              {"CopyFile", "Test-HD.bin", "does not exist"}));
}

// --- export -------------------------------------------------------------------------------

class ExportFrameTest : public FrameTest {
 protected:
  ExportFrameTest() {
    WriteBytes(work / "Test.dds", fixtures::MakeDds({64, 64, fixtures::Dxt::Dxt5, 1, 3}));
  }
  texel::ExportRow Row(bool before) {
    using texel::SavedNotice;
    return {work / "Test.dds",
            before,
            {{png,
              &dialog,
              {"Save Png", "Png (*.png)|*.png"},
              texel::Conversion::Png,
              work / "Test.dds.png",
              SavedNotice::WithPath},
             {jpg,
              &dialog,
              {"Save Jpg", "Jpg (*.jpg)|*.jpg"},
              texel::Conversion::Jpg,
              work / "Test.dds.jpg",
              SavedNotice::None},
             {dds,
              &dialog,
              {"Save Dds", "Dds (*.dds)|*.dds"},
              texel::Conversion::None,
              work / "Test.dds",
              SavedNotice::WithPath}},
            std::nullopt};
  }
  QString Target(const char* name) const { return QString::fromStdString((user / name).string()); }
  QWidget group;
  QRadioButton pngOption{&group};
  QRadioButton jpgOption{&group};
  QRadioButton ddsOption{&group};
  QRadioButton* png = &pngOption;
  QRadioButton* jpg = &jpgOption;
  QRadioButton* dds = &ddsOption;
};

TEST_F(ExportFrameTest, NoFormatSelectedDoesNothing) {
  texel::OnExportSingleTexture(bench, Row(true));
  EXPECT_TRUE(bench.dialogs.Dialogs().empty());
  EXPECT_TRUE(bench.dialogs.Messages().empty());
  EXPECT_EQ(Listing(work), std::set<std::string>{"Test.dds"});
}

TEST_F(ExportFrameTest, DdsCopiesTheWorkFileAndReports) {
  dds->setChecked(true);
  bench.dialogs.ChooseFile(Target("out.dds"));
  texel::OnExportSingleTexture(bench, Row(true));
  ASSERT_EQ(bench.dialogs.Dialogs().size(), 1u);
  EXPECT_EQ(bench.dialogs.Dialogs()[0].title, "Save Dds");
  EXPECT_EQ(ReadBytes(user / "out.dds"), ReadBytes(work / "Test.dds"));
  ASSERT_EQ(bench.dialogs.Messages().size(), 1u);
  EXPECT_EQ(bench.dialogs.Messages()[0].text, "Save Succesfull\r\n" + Target("out.dds"));
}

TEST_F(ExportFrameTest, ConversionBeforeTheDialogHappensEvenWhenItIsCancelled) {
  png->setChecked(true);
  bench.dialogs.CancelFile();
  texel::OnExportSingleTexture(bench, Row(true));
  EXPECT_TRUE(fs::exists(work / "Test.dds.png"));
  EXPECT_TRUE(Listing(user).empty());
  EXPECT_TRUE(bench.dialogs.Messages().empty());
}

TEST_F(ExportFrameTest, ConversionAfterTheDialogOnlyWhenANameWasChosen) {
  jpg->setChecked(true);
  bench.dialogs.CancelFile();
  texel::OnExportSingleTexture(bench, Row(false));
  EXPECT_FALSE(fs::exists(work / "Test.dds.jpg"));

  bench.dialogs.ChooseFile(Target("out.jpg"));
  texel::OnExportSingleTexture(bench, Row(false));
  ASSERT_TRUE(fs::exists(work / "Test.dds.jpg"));
  EXPECT_EQ(ReadBytes(user / "out.jpg"), ReadBytes(work / "Test.dds.jpg"));
  EXPECT_TRUE(bench.dialogs.Messages().empty());  // this row's JPG shows no message
}

// --- the guard ----------------------------------------------------------------------------

TEST_F(FrameTest, AFailingLibraryCallIsReportedAndTheNextHandlerRuns) {
  WriteText(work / "Broken.bin", "not a packed container");
  texel::RunGuarded(bench, "OnOpenTestBin",
                    [&] { bench.LibUnpack().Corvane_UnPack(work / "Broken.bin"); });
  ASSERT_EQ(bench.dialogs.Messages().size(), 1u);
  EXPECT_THAT(bench.dialogs.Messages()[0],
              GuardErrorBox<ui::ShownMessage>(
                  "OnOpenTestBin", {"Corvane_UnPack", "Broken.bin", "not a packed game file"}));

  bool ran = false;
  texel::RunGuarded(bench, "OnNext", [&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_EQ(bench.dialogs.Messages().size(), 1u);
}

TEST_F(FrameTest, ThePressShowsTheWaitCursorUntilItEndsFailedOrNot) {
  std::optional<Qt::CursorShape> during;
  texel::RunGuarded(bench, "OnBusy", [&] {
    if (QApplication::overrideCursor() != nullptr) during = QApplication::overrideCursor()->shape();
    throw texel::StepFailure("failed");
  });
  EXPECT_EQ(during, Qt::WaitCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(FrameTest, AnyThrownErrorBecomesAnErrorBoxButAnUnscriptedDialogPassesThrough) {
  texel::RunGuarded(bench, "OnOne", [] { throw texel::FileSystemError("CopyFile \"x\": gone"); });
  texel::RunGuarded(bench, "OnTwo", [] { throw com::Error(-2147467259, "Corvane_Pack: broken"); });
  ASSERT_EQ(bench.dialogs.Messages().size(), 2u);
  EXPECT_EQ(bench.dialogs.Messages()[0].text, GuardText("OnOne", "CopyFile \"x\": gone"));
  EXPECT_EQ(bench.dialogs.Messages()[1].text,
            "OnTwo could not finish.\r\nbroken\r\nCorvane_Pack failed, result 0x80004005");
  EXPECT_THROW(
      texel::RunGuarded(bench, "OnThree",
                        [&] { bench.dialogs.ShowMessage("?", ui::kInformationYesNo, ""); }),
      ui::UnscriptedDialog);
}

}  // namespace
