#include "main_form.h"
#include "tabs.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QUrl>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "accessibility.h"
#include "child.h"
#include "com/runtime.h"
#include "frame.h"
#include "guard_error.h"
#include "image_box.h"
#include "maker_site.h"
#include "shell_test_support.h"
#include "special_files.h"
#include "tab_steps.h"

namespace {

namespace fs = std::filesystem;
using shelltest::Listing;
using shelltest::ProgramFolder;
using shelltest::SameTree;
using shelltest::WriteText;
using testing::HasSubstr;
using testing::Not;
using testing_support::GuardErrorBox;
using testing_support::GuardWentOnBox;

const std::vector<std::string> kWorkFolders = {"Face",   "Hair",  "Ball", "Boot",
                                               "Boot3d", "Glove", "Truf"};

class MainFormTest : public testing::Test {
 protected:
  MainFormTest() { shelltest::App(); }
  std::unique_ptr<texel::MainForm> Start() {
    auto form = std::make_unique<texel::MainForm>(program.Path(), dialogs, texel::TexelForgeTabs());
    form->Load();
    return form;
  }
  fs::path Work(const std::string& name) const { return program.AppData() / name; }

  ProgramFolder program;
  ui::ScriptedDialogService dialogs;
};

TEST_F(MainFormTest, StartUpBuildsEveryWorkingFolderAfresh) {
  // Left from an earlier run: work files, and a stale Boot3d with extra files.
  for (const std::string& name : kWorkFolders) {
    fs::create_directories(Work(name));
    WriteText(Work(name) / "left-over.bin", "old");
  }
  fs::create_directories(Work("Boot3d") / "sub");
  WriteText(Work("Boot3d") / "sub" / "x", "x");
  WriteText(Work("Boot3d") / "DATA1.dll", "stale reference");
  // Anything standing where a working folder belongs goes too.
  fs::remove_all(Work("Face"));
  WriteText(Work("Face"), "a file in the way");
  fs::remove_all(Work("Glove"));
  fs::create_symlink(program.Cfg() / "Glove", Work("Glove"));

  auto form = Start();
  EXPECT_TRUE(dialogs.Messages().empty());
  for (const char* name : {"Face", "Hair", "Truf"}) EXPECT_TRUE(Listing(Work(name)).empty());
  EXPECT_EQ(Listing(Work("Ball")), (std::set<std::string>{"WE00.dll", "DATA1.dll", "DATA2.dll"}));
  for (const char* name : {"WE00.dll", "DATA1.dll", "DATA2.dll"}) {
    EXPECT_EQ(shelltest::ReadBytes(Work("Ball") / name),
              shelltest::ReadBytes(program.Cfg() / name));
  }
  EXPECT_TRUE(SameTree(Work("Boot"), program.Cfg() / "Boot"));
  EXPECT_TRUE(SameTree(Work("Glove"), program.Cfg() / "Glove"));
  EXPECT_FALSE(fs::is_symlink(Work("Glove")));
  EXPECT_TRUE(SameTree(Work("Boot3d"), program.Cfg() / "Boot3d"));
}

TEST_F(MainFormTest, TheShippedDataHoldsEveryFileTheTabsNeed) {
  const std::set<std::string> expected = {"DATA1.dll",
                                          "DATA2.dll",
                                          "WE00.dll",
                                          "Boot",
                                          "Boot/WE00.1.dll",
                                          "Boot/WE00.2.dll",
                                          "Boot/WE00.3.dll",
                                          "Boot/WE00.4.dll",
                                          "Glove",
                                          "Glove/DATA1.dll",
                                          "Glove/DATA2.dll",
                                          "Glove/WE01.dll",
                                          "Glove/WE02.dll",
                                          "Glove/WE03.dll",
                                          "Boot3d",
                                          "Boot3d/DATA1.dll",
                                          "Boot3d/DATA2.dll",
                                          "Boot3d/WE00.1.dll",
                                          "Boot3d/WE00.2.dll",
                                          "Boot3d/WE00.3.dll",
                                          "Boot3d/WE00.4.dll",
                                          "Boot3d/WE00.5.dll",
                                          "Boot3d/WE00.6.dll"};
  EXPECT_EQ(Listing(program.Cfg()), expected);
  // A file the program builds starts with its template head, so it reads as already HD.
  const auto bytes = [&](const char* name) { return shelltest::ReadBytes(program.Cfg() / name); };
  const auto boot = bytes("Boot/WE00.1.dll");
  EXPECT_EQ(bytes("Boot/WE00.3.dll"), shelltest::Bytes(boot.begin(), boot.begin() + 13));
  const auto glove = bytes("Glove/WE01.dll");
  EXPECT_EQ(bytes("Glove/DATA2.dll"), shelltest::Bytes(glove.begin() + 11, glove.begin() + 16));
  const auto boot3d = bytes("Boot3d/WE00.1.dll");
  EXPECT_EQ(bytes("Boot3d/DATA2.dll"), shelltest::Bytes(boot3d.begin() + 11, boot3d.begin() + 16));
  for (const char* name : {"DATA1.dll", "DATA2.dll", "Glove/DATA1.dll", "Boot3d/DATA1.dll"}) {
    EXPECT_EQ(bytes(name).size(), 5u) << name;
  }
  EXPECT_NE(bytes("DATA1.dll"), bytes("DATA2.dll"));
  EXPECT_NE(bytes("Boot/WE00.3.dll"), bytes("Boot/WE00.4.dll"));
}

// A start copies the same cfg again: damaged data is told once with the cure that works, and
// every folder is still laid out, so that the tabs whose data is whole work.
TEST_F(MainFormTest, DamagedProgramDataIsToldOnceAndTheRestIsLaidOut) {
  fs::remove(program.Cfg() / "Boot" / "WE00.4.dll");
  WriteText(program.Cfg() / "Glove" / "DATA1.dll", "");
  fs::remove(program.Cfg() / "DATA1.dll");
  fs::create_directories(Work("Face"));
  WriteText(Work("Face") / "Face.bin", "work");
  const auto said = [&](const fs::path& file, const char* lack) {
    return "\"" + file.string() + "\" " + lack;
  };
  const std::string reinstall = "Install Texel Forge's data again";
  {
    auto form = Start();
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_THAT(dialogs.Messages()[0],
                GuardWentOnBox<ui::ShownMessage>(
                    {said(program.Cfg() / "Boot" / "WE00.4.dll", "is missing"),
                     said(program.Cfg() / "Glove" / "DATA1.dll", "is empty"),
                     said(program.Cfg() / "DATA1.dll", "is missing"), reinstall}));
    EXPECT_THAT(dialogs.Messages()[0].text.toStdString(), Not(HasSubstr("start it again")));
    EXPECT_TRUE(Listing(Work("Face")).empty());
    EXPECT_EQ(Listing(Work("Ball")), (std::set<std::string>{"WE00.dll", "DATA2.dll"}));
    EXPECT_TRUE(SameTree(Work("Boot"), program.Cfg() / "Boot"));
  }

  fs::remove_all(program.Cfg());
  dialogs.Forget();
  {
    auto form = Start();
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_THAT(dialogs.Messages()[0],
                GuardWentOnBox<ui::ShownMessage>({said(program.Cfg(), "is missing"), reinstall}));
    for (const std::string& name : kWorkFolders) EXPECT_TRUE(Listing(Work(name)).empty()) << name;
  }

  fs::remove_all(program.AppData());
  dialogs.Forget();
  auto form = Start();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_THAT(dialogs.Messages()[0],
              GuardErrorBox<ui::ShownMessage>("Texel Forge's start-up",
                                              {said(program.AppData(), "is missing"), reinstall}));
  EXPECT_FALSE(fs::exists(program.AppData()));
  // The window still comes up, and closing it asks nothing more.
  form->close();
  EXPECT_EQ(dialogs.Messages().size(), 1u);
}

// A shipped file the program may not read, or one that leads to a device, is told with the rest of
// the damaged data and spoils nothing else: every other shipped file is laid out, and a press names
// only the bad one. A skin or a note picture that is a pipe is none: the start never waits on it.
TEST_F(MainFormTest, ShippedFilesThatCannotBeReadAndASkinThatIsAPipe) {
  const fs::path unreadable = program.Cfg() / "Boot" / "WE00.3.dll";
  fs::permissions(unreadable, fs::perms::none);
  const fs::path device = program.Cfg() / "DATA1.dll";
  const auto specials = testing_support::MakeSpecialFiles(program.Path(), "node");
  const bool deviceMade = specials.size() == 3;  // the last, where a node may be made
  if (deviceMade) {
    fs::remove(device);
    fs::create_symlink(specials.back().path, device);
  }
  ASSERT_EQ(::mkfifo((program.Path() / "Texel Forge.dll").c_str(), 0600), 0);
  fs::create_directories(program.Path() / "pictures");
  ASSERT_EQ(::mkfifo((program.Path() / "pictures" / "note-1024x1024.bmp").c_str(), 0600), 0);
  qApp->setStyleSheet("");
  shelltest::AsOrdinaryUser user(program.Path());
  if (!user.Ok()) GTEST_SKIP() << "cannot take an ordinary user's rights";

  auto form = Start();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  const auto said = [](const fs::path& file, const char* lack) {
    return "\"" + file.string() + "\" " + lack;
  };
  std::vector<std::string> told = {said(unreadable, "cannot be read (Permission denied)"),
                                   "Install Texel Forge's data again"};
  if (deviceMade) told.push_back(said(device, "is a device, not a file"));
  EXPECT_THAT(dialogs.Messages()[0], GuardWentOnBox<ui::ShownMessage>(told));
  EXPECT_THAT(dialogs.Messages()[0].text.toStdString(),
              testing::AllOf(Not(HasSubstr("working folders")), Not(HasSubstr("start it again"))));
  EXPECT_EQ(Listing(Work("Boot")),
            (std::set<std::string>{"WE00.1.dll", "WE00.2.dll", "WE00.4.dll"}));
  EXPECT_EQ(Listing(Work("Ball")).size(), deviceMade ? 2u : 3u);
  EXPECT_THAT([&] { texel::RequireProgramData(*form, texel::AssetKind::Boot, "WE00.3.dll"); },
              testing::ThrowsMessage<texel::ProgramDataFailure>(testing::AllOf(
                  HasSubstr(said(unreadable, "cannot be read")),
                  HasSubstr("Install Texel Forge's data"), Not(HasSubstr("start it again")))));
  EXPECT_NO_THROW(texel::RequireProgramData(*form, texel::AssetKind::Boot, "WE00.4.dll"));
  EXPECT_TRUE(qApp->styleSheet().isEmpty());
  EXPECT_TRUE(form->findChild<ui::ImageBox*>("Image1")->Picture().isNull());
}

TEST_F(MainFormTest, ClosingRemovesSixWorkingFoldersAndKeepsBoot3d) {
  auto form = Start();
  for (const std::string& name : kWorkFolders) WriteText(Work(name) / "work.bin", "w");
  form->show();
  form->close();
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(Listing(program.AppData()).count("Boot3d/work.bin"), 1u);
  for (const char* name : {"Face", "Hair", "Ball", "Boot", "Glove", "Truf"}) {
    EXPECT_FALSE(fs::exists(Work(name))) << name;
  }
  EXPECT_TRUE(fs::exists(program.Cfg() / "Boot" / "WE00.1.dll"));
}

TEST_F(MainFormTest, AWorkingFolderRemovedWhileRunningIsPassedOverAtShutdown) {
  auto form = Start();
  fs::remove_all(Work("Hair"));
  form->close();
  EXPECT_TRUE(dialogs.Messages().empty());
  for (const char* name : {"Face", "Hair", "Ball", "Boot", "Glove", "Truf"}) {
    EXPECT_FALSE(fs::exists(Work(name))) << name;
  }
}

TEST_F(MainFormTest, ASecondCopyFromTheSameFolderEndsAndChangesNothing) {
  auto first = Start();
  WriteText(Work("Face") / "work.bin", "the first copy's work");
  auto second = std::make_unique<texel::MainForm>(program.Path(), dialogs, texel::TexelForgeTabs());
  EXPECT_FALSE(second->Load());
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  EXPECT_EQ(dialogs.Messages()[0].text, "Texel Forge is already running from this folder.");
  second->close();
  second.reset();
  EXPECT_EQ(Listing(Work("Face")), std::set<std::string>{"work.bin"});

  // The lock goes with its copy: the next one starts.
  first.reset();
  auto next = std::make_unique<texel::MainForm>(program.Path(), dialogs, texel::TexelForgeTabs());
  EXPECT_TRUE(next->Load());
  EXPECT_FALSE(fs::exists(Work("Face") / "work.bin"));
}

// The lock needs only read access: one left by a run as another user still serves. Where no
// lock can be taken, or AppData cannot be written, the start and every press say so in words.
TEST_F(MainFormTest, ALockFileOrAnAppDataThatMayNotBeWritten) {
  const fs::path lock = program.AppData() / "TexelForge.lock";
  WriteText(lock, "");
  shelltest::AsOrdinaryUser user(program.Path());
  if (!user.Ok()) GTEST_SKIP() << "cannot take an ordinary user's rights";
  const auto start = [&](fs::perms lockMode, fs::perms appDataMode) {
    for (const std::string& name : kWorkFolders) fs::remove_all(Work(name));
    fs::permissions(lock, lockMode);
    fs::permissions(program.AppData(), appDataMode);
    dialogs.Forget();
    auto form = Start();
    form->findChild<QPushButton*>("cmdOpenFaceBin")->click();
    return form;
  };
  const auto toldTwice = [](const std::vector<std::string>& words) {
    return testing::ElementsAre(
        GuardErrorBox<ui::ShownMessage>("Texel Forge's start-up", words),
        GuardErrorBox<ui::ShownMessage>("Face HD \u2014 \"Open\" (Open File)", words));
  };
  constexpr fs::perms kReadOnly = fs::perms::owner_read | fs::perms::group_read;
  {
    dialogs.ChooseFile("");  // the press's open dialog, cancelled
    auto form = start(kReadOnly, fs::perms::all);
    EXPECT_TRUE(dialogs.Messages().empty());
    for (const std::string& name : kWorkFolders) EXPECT_TRUE(fs::is_directory(Work(name))) << name;
    auto second =
        std::make_unique<texel::MainForm>(program.Path(), dialogs, texel::TexelForgeTabs());
    EXPECT_FALSE(second->Load());
    ASSERT_EQ(dialogs.Messages().size(), 1u);
    EXPECT_EQ(dialogs.Messages()[0].text, "Texel Forge is already running from this folder.");
  }
  {
    auto form = start(fs::perms::none, fs::perms::all);
    EXPECT_THAT(dialogs.Messages(), toldTwice({"cannot use its lock file \"" + lock.string() + "\"",
                                               "Remove that file and start Texel Forge again."}));
    form->close();  // without the lock no folder is touched, and nothing more is said
    EXPECT_EQ(dialogs.Messages().size(), 2u);
  }
  {
    const std::string appData = program.AppData().string();
    auto form = start(kReadOnly, fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THAT(dialogs.Messages(),
                toldTwice({"working folder \"" + appData + "\" cannot be written",
                           "Let Texel Forge write there and start it again.",
                           appData + ": Permission denied"}));
    fs::permissions(program.AppData(), fs::perms::all);
  }
}

TEST_F(MainFormTest, ExitEndsWithoutCleanUp) {
  auto form = Start();
  form->show();
  WriteText(Work("Face") / "Face.bin", "w");
  form->MenuItem("mnuExit")->trigger();
  EXPECT_TRUE(form->Exited());
  EXPECT_FALSE(form->isVisible());
  form->close();
  form.reset();
  for (const std::string& name : kWorkFolders) EXPECT_TRUE(fs::is_directory(Work(name))) << name;
  EXPECT_TRUE(fs::exists(Work("Face") / "Face.bin"));
  EXPECT_TRUE(dialogs.Messages().empty());
}

TEST_F(MainFormTest, WindowCaptionTabsAndNotes) {
  auto form = Start();
  EXPECT_EQ(form->windowTitle(), "Texel Forge  [v 1.0] By Dremmwel");
  EXPECT_EQ(form->Caption(), form->windowTitle());
  QTabWidget* tabs = form->findChild<QTabWidget*>("TabControl1");
  ASSERT_EQ(tabs, form->TabControl1);
  const QStringList captions = {"Face HD",    "Hair HD",  "Ball HD", "Boot Hd",
                                "Boot 3d HD", "Glove HD", "Truf HD"};
  ASSERT_EQ(tabs->count(), 7);
  const std::vector<int> noteIndex = {0, 1, 2, 3, 6, 4, 5};
  const std::vector<int> versionIndex = {4, 3, 2, 0, -1, 1, 5};
  const QString square =
      "The DDS that you \r\nopened here must be in \r\nDXT-5 & No Mip Setting \r\n"
      "& Size Must Be 1024*1024\r\n";
  const QStringList notes = {
      square,
      square,
      square,
      "The DDS that you \r\nopened here must be in \r\nDXT-5 & No Mip Setting \r\n"
      "& Size Must Be 1024*512\r\n",
      "The DDS that you \r\nopened here must be in \r\nDXT-5 & No Mip Setting \r\n& Size For \r\n"
      "Texture & Bump & HTexture= 1024 * 512\r\nOther 1 = 512 * 256\r\n"
      "Other2 & Other 3 = 256 * 128\r\n",
      square,
      "The DDS that you \r\nopened here must be in \r\nDXT-1 & With Mip Map Setting \r\n"
      "& Size Must Be 4096*2048\r\n"};
  for (int i = 0; i < 7; ++i) {
    SCOPED_TRACE(captions[i].toStdString());
    EXPECT_EQ(tabs->tabText(i), captions[i]);
    QWidget* page = tabs->widget(i);
    auto* group = page->findChild<QGroupBox*>("GroupBox30");
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->property("Index").toInt(), noteIndex[i]);
    auto* text = group->findChild<QPlainTextEdit*>("Text1");
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_EQ(text->property("Text").toString(), notes[i]);
    EXPECT_EQ(text->toPlainText() + "\n", QString(notes[i]).replace("\r\n", "\n"));
    auto* image = group->findChild<ui::ImageBox*>("Image1");
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image->accessibleName().isEmpty());
    QLabel* version = page->findChild<QLabel*>("Label3");
    if (versionIndex[i] < 0) {
      EXPECT_EQ(version, nullptr);
    } else {
      ASSERT_NE(version, nullptr);
      EXPECT_EQ(version->text(), "Tool Version : v 1.0");
      EXPECT_EQ(version->property("Index").toInt(), versionIndex[i]);
    }
  }
}

TEST_F(MainFormTest, MenusAreAsTheProgramDefinesThem) {
  auto form = Start();
  const auto names = [](QMenu* menu) {
    QStringList list;
    for (QAction* action : menu->actions()) {
      list << action->objectName() + "=" + (action->isSeparator() ? "-" : action->text());
    }
    return list;
  };
  EXPECT_EQ(form->mnuFile->title(), "File");
  EXPECT_EQ(names(form->mnuFile),
            (QStringList{"mnuFHD=Face HD", "mnuHHD=Hair HD", "mnuBHD=Ball HD", "mnu_BootHD=Boot HD",
                         "mnu_GloveHD=Glove HD", "mnu_TrufHD=Truf HD", "tire=-", "mnuExit=Exit"}));
  EXPECT_EQ(form->mnuhelp->title(), "Help");
  EXPECT_EQ(names(form->mnuhelp), (QStringList{"mnucredits=Credit's", "=Corvane"}));
  EXPECT_EQ(form->mnuCorvane->title(), "Corvane");
  EXPECT_EQ(names(form->mnuCorvane), QStringList{QString("wQV=") + ui::kMakerAddress});
}

TEST_F(MainFormTest, TabItemsSelectTheTabsOfTheirOwnCaptions) {
  auto form = Start();
  const std::vector<std::pair<const char*, int>> items = {{"mnu_TrufHD", 6}, {"mnuFHD", 0},
                                                          {"mnuHHD", 1},     {"mnuBHD", 2},
                                                          {"mnu_BootHD", 3}, {"mnu_GloveHD", 5}};
  for (const auto& [name, index] : items) {
    QAction* item = form->MenuItem(name);
    if (index < 0) {
      EXPECT_EQ(item, nullptr);
      continue;
    }
    ASSERT_NE(item, nullptr) << name;
    item->trigger();
    EXPECT_EQ(form->TabControl1->currentIndex(), index) << name;
    EXPECT_EQ(form->TabControl1->tabText(index).toUpper(), item->text().toUpper()) << name;
  }
}

TEST_F(MainFormTest, CreditsShowOneWindowAtATime) {
  auto form = Start();
  form->show();
  EXPECT_EQ(form->CreditsWindow(), nullptr);
  form->MenuItem("mnucredits")->trigger();
  texel::Credits* credits = form->CreditsWindow();
  ASSERT_NE(credits, nullptr);
  EXPECT_TRUE(credits->isVisible());
  EXPECT_EQ(credits->parentWidget(), nullptr);
  EXPECT_EQ(credits->windowTitle(), "Credits");
  EXPECT_TRUE(credits->Text1->isReadOnly());
  EXPECT_THAT(credits->Text1->toPlainText().toStdString(),
              testing::AllOf(HasSubstr("Texel Forge Beta v1.0"), HasSubstr("Dremmwel")));
  form->MenuItem("mnucredits")->trigger();
  EXPECT_EQ(form->CreditsWindow(), credits);
  EXPECT_EQ(QApplication::topLevelWidgets().count(credits), 1);

  credits->close();
  EXPECT_FALSE(credits->isVisible());
  form->MenuItem("mnucredits")->trigger();
  EXPECT_TRUE(form->CreditsWindow()->isVisible());

  // Closing the main window while the credits are open still cleans up at once.
  form->close();
  EXPECT_FALSE(fs::exists(Work("Face")));
  EXPECT_TRUE(form->CreditsWindow()->isVisible());
}

class UrlCatcher : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public Q_SLOTS:
  void Open(const QUrl& url) { opened << url; }
};

TEST_F(MainFormTest, TheMakersItemOpensItsAddress) {
  auto form = Start();
  UrlCatcher catcher;
  QDesktopServices::setUrlHandler("https", &catcher, "Open");
  form->MenuItem("wQV")->trigger();
  QDesktopServices::unsetUrlHandler("https");
  ASSERT_EQ(catcher.opened.size(), 1);
  EXPECT_EQ(catcher.opened[0], QUrl(ui::kMakerAddress));
}

TEST_F(MainFormTest, LibraryMembersAreCreatedOnFirstUseAndKept) {
  auto form = Start();
  texel::CorvaneClient* first = &form->LibPack();
  EXPECT_EQ(&form->LibPack(), first);
  EXPECT_NE(&form->LibUnpack(), first);
  EXPECT_EQ(&form->FileSystem(), &form->FileSystem());
}

// The installation's fault: no user's file is named, and the command registers this folder's
// library.
TEST_F(MainFormTest, AnUnregisteredLibrarySaysHowToRegisterIt) {
  auto form = Start();
  fs::create_symlink(fs::path(std::getenv("TF_PROGRAM_DIR")) / "Corvane_Gorm.so",
                     program.Path() / "Corvane_Gorm.so");
  testing_support::TempFolder user;
  WriteText(user / "face.bin", "a face");
  WriteText(program.Path() / "empty-registry", "");
  struct RegistryOverride {
    explicit RegistryOverride(const fs::path& file) { ComSetRegistryPath(file.c_str()); }
    ~RegistryOverride() { ComSetRegistryPath(nullptr); }
  } override(program.Path() / "empty-registry");
  dialogs.ChooseFile(QString::fromStdString((user / "face.bin").string()));
  form->findChild<QPushButton*>("cmdOpenFaceBin")->click();
  ASSERT_EQ(dialogs.Messages().size(), 1u);
  const std::string module = (program.Path() / "Corvane_Gorm.so").string();
  EXPECT_THAT(dialogs.Messages()[0],
              GuardErrorBox<ui::ShownMessage>(
                  "Face HD \u2014 \"Open\" (Open File)",
                  {"library is not registered",
                   "running: " + (program.Path() / "comreg").string() + " " + module + "\r\n"}));
  EXPECT_THAT(dialogs.Messages()[0].text.toStdString(), Not(HasSubstr("face.bin")));
}

TEST_F(MainFormTest, EveryControlCarriesAnAccessibleName) {
  auto form = Start();
  for (QWidget* widget : form->findChildren<QWidget*>()) {
    const bool control =
        qobject_cast<QLineEdit*>(widget) || qobject_cast<QPushButton*>(widget) ||
        qobject_cast<QAbstractButton*>(widget) || qobject_cast<QListWidget*>(widget) ||
        qobject_cast<ui::ImageBox*>(widget) || qobject_cast<QPlainTextEdit*>(widget);
    // Hidden helper fields (the face's bump offset) are not read by anyone.
    if (!control || widget->isHidden() || widget->objectName().startsWith("qt_")) continue;
    EXPECT_FALSE(widget->accessibleName().isEmpty())
        << widget->metaObject()->className() << " " << widget->objectName().toStdString();
  }
}

TEST(Accessibility, NamesComeFromLabelsGroupsAndCaptions) {
  shelltest::App();
  QWidget window;
  auto* label = ui::Child<QLabel>(&window, "Face Bin File :");
  auto* path = ui::Child<QLineEdit>(&window);
  label->setBuddy(path);
  auto* open = ui::Child<QPushButton>(&window, "&Open");
  auto* group = ui::Child<QGroupBox>(&window, "Texture Perview");
  auto* image = ui::Child<ui::ImageBox>(group);
  auto* list = ui::Child<QListWidget>(group);
  auto* picture = ui::Child<QLabel>(group);
  ui::MarkPictureHolder(picture);
  auto* value = ui::Child<QLabel>(group);  // empty until a file is opened
  auto* other = ui::Child<QLineEdit>(&window);
  ui::LabelFor(ui::Child<QLabel>(&window, "HD Texture :"), other);
  ui::NameControls(&window);
  EXPECT_EQ(path->accessibleName(), "Face Bin File :");
  EXPECT_EQ(other->accessibleName(), "HD Texture :");
  EXPECT_EQ(open->accessibleName(), "Open");
  EXPECT_EQ(image->accessibleName(), "Texture Perview");
  EXPECT_EQ(list->accessibleName(), "Texture Perview");
  EXPECT_EQ(picture->accessibleName(), "Texture Perview");
  value->setText("256 PX ");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(value)->text(QAccessible::Name), "256 PX ");
}

}  // namespace

#include "main_form_test.moc"
