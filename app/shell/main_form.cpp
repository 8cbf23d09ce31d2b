#include "main_form.h"

#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QVBoxLayout>

#include "accessibility.h"
#include "child.h"
#include "handler_guard.h"
#include "maker_site.h"
#include "note_group.h"
#include "program_data.h"
#include "skin.h"
#include "work_folder_fault.h"

namespace texel {

namespace {

struct TabRow {
  const char* caption;
  NoteKind note;
  int noteIndex;     // GroupBox30, Text1, Image1
  int versionIndex;  // Label3; -1: the tab has none
};

// The tabs in the order of the tab control.
constexpr std::array<TabRow, 7> kTabs = {{
    {"Face HD", NoteKind::Square1024, 0, 4},
    {"Hair HD", NoteKind::Square1024, 1, 3},
    {"Ball HD", NoteKind::Square1024, 2, 2},
    {"Boot Hd", NoteKind::Boot1024x512, 3, 0},
    {"Boot 3d HD", NoteKind::Boot3d, 6, -1},
    {"Glove HD", NoteKind::Square1024, 4, 1},
    {"Truf HD", NoteKind::Truf4096x2048, 5, 5},
}};

struct TabMenuRow {
  const char* name;
  const char* caption;
  int tabIndex;
};

// Each item selects the tab of its own caption: OnTabMenuClick is every row's handler.
constexpr std::array<TabMenuRow, 6> kTabMenu = {{
    {"mnuFHD", "Face HD", 0},        // OnMnuFHD
    {"mnuHHD", "Hair HD", 1},        // OnMnuHHD
    {"mnuBHD", "Ball HD", 2},        // OnMnuBHD
    {"mnu_BootHD", "Boot HD", 3},    // OnMnuBootHD
    {"mnu_GloveHD", "Glove HD", 5},  // OnMnuGloveHD
    {"mnu_TrufHD", "Truf HD", 6},    // OnMnuTrufHD
}};

// Working folders created empty at start, in this order.
constexpr std::array<AssetKind, 4> kEmptyAtStart = {AssetKind::Truf, AssetKind::Face,
                                                    AssetKind::Hair, AssetKind::Ball};
// Working folders copied afresh from their namesakes in AppData/cfg, in this order.
constexpr std::array<AssetKind, 2> kCopiedAtStart = {AssetKind::Boot, AssetKind::Glove};
// Working folders removed at shutdown, in this order; Boot3d stays.
constexpr std::array<AssetKind, 6> kRemovedAtEnd = {AssetKind::Face,  AssetKind::Ball,
                                                    AssetKind::Hair,  AssetKind::Boot,
                                                    AssetKind::Glove, AssetKind::Truf};
constexpr const char* kSkinFile = "Texel Forge.dll";
constexpr const char* kPictureFolder = "pictures";

class OtherCopyRuns : public std::runtime_error {
 public:
  OtherCopyRuns() : std::runtime_error("Texel Forge is already running from this folder.") {}
};

// A working folder is the program's own: a file, a link or anything else standing at its name
// goes, so that the folder can be made.
void ClearTheWayFor(const fs::path& folder) {
  std::error_code error;
  const fs::file_status standing = fs::symlink_status(folder, error);
  if (!fs::exists(standing) || fs::is_directory(standing)) return;
  fs::remove(folder, error);
  if (error) {
    throw FileSystemError("\"" + folder.string() + "\" stands where a working folder belongs and " +
                              "cannot be removed: " + error.message(),
                          folder, error);
  }
}

}  // namespace

MainForm::MainForm(fs::path programFolder, ui::DialogService& dialogs, const TabFactories& tabs)
    : m_programFolder(std::move(programFolder)), m_dialogs(dialogs) {
  setObjectName("MainForm");
  setWindowTitle(kMainWindowCaption);
  BuildMenus();
  BuildTabs(tabs);
  ui::NameControls(this);
  resize(1040, 680);
}

MainForm::~MainForm() = default;

FileSystemObject& MainForm::FileSystem() {
  if (!m_fileSystem) m_fileSystem.emplace();
  return *m_fileSystem;
}

CorvaneClient& MainForm::OnFirstUse(std::optional<CorvaneClient>& member) {
  if (!member) member.emplace(CorvaneClient::Create(m_programFolder));
  return *member;
}

void MainForm::BuildMenus() {
  mnuFile = menuBar()->addMenu("File");
  mnuFile->setObjectName("mnuFile");
  for (const TabMenuRow& row : kTabMenu) {
    QAction* item = mnuFile->addAction(row.caption);
    item->setObjectName(row.name);
    const int index = row.tabIndex;
    ConnectGuarded(*this, item, &QAction::triggered, [this, index] { OnTabMenuClick(index); });
  }
  QAction* tire = mnuFile->addSeparator();
  tire->setObjectName("tire");
  QAction* exit = mnuFile->addAction("Exit");
  exit->setObjectName("mnuExit");
  ConnectGuarded(*this, exit, &QAction::triggered, [this] { OnMnuExit(); });

  mnuhelp = menuBar()->addMenu("Help");
  mnuhelp->setObjectName("mnuhelp");
  QAction* credits = mnuhelp->addAction("Credit's");
  credits->setObjectName("mnucredits");
  ConnectGuarded(*this, credits, &QAction::triggered, [this] { OnMnuCredits(); });
  mnuCorvane = mnuhelp->addMenu("Corvane");
  mnuCorvane->setObjectName("mnuCorvane");
  QAction* site = mnuCorvane->addAction(ui::kMakerAddress);
  site->setObjectName("wQV");
  ConnectGuarded(*this, site, &QAction::triggered, [this] { OnMnuMakerSite(); });
}

QAction* MainForm::MenuItem(const char* name) const { return findChild<QAction*>(name); }

void MainForm::BuildTabs(const TabFactories& tabs) {
  TabControl1 = ui::Child<QTabWidget>(this);
  TabControl1->setObjectName("TabControl1");
  TabControl1->setDocumentMode(false);
  const fs::path pictures = m_programFolder / kPictureFolder;
  for (size_t i = 0; i < kTabs.size(); ++i) {
    const TabRow& row = kTabs[i];
    auto* page = ui::Child<QWidget>(TabControl1);
    auto* layout = ui::Child<QHBoxLayout>(page);
    page->setLayout(layout);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(12);

    QWidget* content = tabs[i](*this, page);
    layout->addWidget(content, 1);

    auto* side = ui::Child<QWidget>(page);
    side->setObjectName("NoteColumn");
    side->setFixedWidth(310);
    auto* column = ui::Child<QVBoxLayout>(side);
    side->setLayout(column);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(CreateNoteGroup(side, row.note, row.noteIndex, pictures));
    column->addStretch(1);
    if (row.versionIndex >= 0) {
      auto* version = ui::Child<QLabel>(side, QStringLiteral("Tool Version : v 1.0"));
      version->setObjectName("Label3");
      version->setProperty("Index", row.versionIndex);
      version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      column->addWidget(version);
    }
    layout->addWidget(side);
    TabControl1->addTab(page, row.caption);
  }
  setCentralWidget(TabControl1);
}

bool MainForm::Load() {
  RunGuarded(*this, "Texel Forge's start-up", [this] {
    try {
      OnMainFormLoad();
    } catch (const OtherCopyRuns& refused) {
      // Not a failure: the other copy goes on unharmed, this one says why it ends.
      Message(refused.what(), ui::kWarningOk, kApplicationTitle);
    }
  });
  return !m_otherCopyRuns;
}

void MainForm::OnMainFormLoad() {
  ui::ApplySkin(m_programFolder / kSkinFile);
  const fs::path appData = m_programFolder / "AppData";
  const std::optional<InstallationFault> unusable = AppDataFault(appData);
  // Without AppData there is no data to check and nothing to lay out.
  if (unusable && !FileSystem().FolderExists(appData)) throw *unusable;
  // Damaged data is told once, here, and spoils only the tabs that need it: every folder that
  // can be laid out still is.
  std::vector<UserFacingFailure> told;
  const std::vector<std::string> damaged = DamagedShippedData(*this);
  if (!damaged.empty()) {
    std::string text = "Texel Forge's own data is damaged:";
    for (const std::string& line : damaged) text += "\r\n" + line;
    told.emplace_back(text + "\r\n" + kInstallDataAgain, std::string());
  }
  if (unusable) {
    told.push_back(*unusable);
  } else {
    try {
      // Taken before any folder is touched: another copy's working folders are its own.
      if (!m_instanceLock) {
        m_instanceLock = InstanceLock::Take(appData);
        if (!m_instanceLock) {
          m_otherCopyRuns = true;
          throw OtherCopyRuns();
        }
      }
      LayOutWorkFolders();
    } catch (const UserFacingFailure& fault) {
      told.push_back(fault);
    }
  }
  if (told.empty()) return;
  std::string reason;
  std::string detail;
  for (const UserFacingFailure& fault : told) {
    reason += (reason.empty() ? "" : "\r\n") + std::string(fault.what());
    if (!fault.Detail().empty()) detail += (detail.empty() ? "" : "\r\n") + fault.Detail();
  }
  // Only the data is at fault: everything else was laid out, and the tabs that need no bad file
  // work.
  if (told.size() == 1 && !damaged.empty()) throw WentOnPastIt(reason, detail);
  throw InstallationFault(reason, detail);
}

void MainForm::LayOutWorkFolders() {
  FileSystemObject& files = FileSystem();
  // Each folder is made whatever became of another, so one in the way spoils only itself.
  std::vector<std::string> spoiled;
  const auto make = [&spoiled](const fs::path& folder, const std::function<void()>& steps) {
    try {
      ClearTheWayFor(folder);
      steps();
    } catch (const std::exception& error) {
      spoiled.push_back(error.what());
    }
  };
  // Shipped data that is damaged was told already. Each shipped file is copied on its own, so a
  // bad one spoils nothing else, and its tab names it rather than saying its folder is missing.
  const auto copyShipped = [this, &files](AssetKind kind, const fs::path& folder) {
    for (const char* file : ShippedFiles(kind)) {
      const fs::path original = ShippedOriginal(*this, kind, file);
      if (DataLack(original).empty()) files.CopyFile(original, folder / file);
    }
  };
  const fs::path boot3d = WorkFolder(AssetKind::Boot3d);
  make(boot3d, [&] {
    if (files.FolderExists(boot3d)) files.DeleteFolder(boot3d);
  });
  for (AssetKind kind : kEmptyAtStart) {
    const fs::path folder = WorkFolder(kind);
    make(folder, [&] {
      if (files.FolderExists(folder)) files.DeleteFolder(folder);
      files.CreateFolder(folder);
    });
  }
  for (AssetKind kind : kCopiedAtStart) {
    const fs::path folder = WorkFolder(kind);
    make(folder, [&] {
      if (files.FolderExists(folder)) files.DeleteFolder(folder);
      files.CreateFolder(folder);
      copyShipped(kind, folder);
    });
  }
  make(boot3d, [&] {
    files.CreateFolder(boot3d);
    copyShipped(AssetKind::Boot3d, boot3d);
  });
  const fs::path ball = WorkFolder(AssetKind::Ball);
  make(ball, [&] { copyShipped(AssetKind::Ball, ball); });
  if (spoiled.empty()) return;
  std::string text = "Texel Forge could not lay out its working folders in \"" +
                     (m_programFolder / "AppData").string() + "\":";
  for (const std::string& reason : spoiled) text += "\r\n" + reason;
  text += "\r\nRemove what is named there, or let Texel Forge write there, and start it again.";
  throw InstallationFault(text, {});
}

void MainForm::OnMainFormUnload() {
  FileSystemObject& files = FileSystem();
  // Without the lock the folders are another copy's, or the start laid out none.
  if (!m_instanceLock || !files.FolderExists(m_programFolder / "AppData")) return;
  // A folder removed while the program ran is simply not there to remove.
  for (AssetKind kind : kRemovedAtEnd) {
    if (files.FolderExists(WorkFolder(kind))) files.DeleteFolder(WorkFolder(kind));
  }
}

void MainForm::closeEvent(QCloseEvent* event) {
  if (!m_exited && !m_unloaded) {
    m_unloaded = true;
    RunGuarded(*this, "Texel Forge's clean-up", [this] { OnMainFormUnload(); });
  }
  event->accept();
}

void MainForm::OnTabMenuClick(int tabIndex) { TabControl1->setCurrentIndex(tabIndex); }

void MainForm::OnMnuExit() {
  // Ends at once: no unload, the working folders stay as they are.
  m_exited = true;
  if (m_credits) m_credits->hide();
  hide();
  QCoreApplication::exit(0);
}

void MainForm::OnMnuCredits() {
  if (!m_credits) m_credits = std::make_unique<Credits>();
  m_credits->show();
  m_credits->raise();
  m_credits->activateWindow();
}

void MainForm::OnMnuMakerSite() { ui::OpenMakerSite(); }

}  // namespace texel
