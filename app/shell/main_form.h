// The main window: the seven tabs, the File and Help menus, the working folders it sets up at
// start and removes at the end, and the members every tab shares.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>

#include "credits.h"
#include "instance_lock.h"
#include "workbench.h"

namespace texel {

// Makes one tab's page inside `parent`.
using TabFactory = QWidget* (*)(Workbench&, QWidget*);
// One per tab, in the tab control's order: Face, Hair, Ball, Boot, Boot 3D, Glove, Truf.
using TabFactories = std::array<TabFactory, 7>;

class MainForm : public QMainWindow, public Workbench {
 public:
  MainForm(fs::path programFolder, ui::DialogService& dialogs, const TabFactories& tabs);
  ~MainForm() override;

  // Workbench
  fs::path ProgramFolder() const override { return m_programFolder; }
  FileSystemObject& FileSystem() override;
  CorvaneClient& LibReplace() override { return OnFirstUse(m_libReplace); }
  CorvaneClient& LibImage() override { return OnFirstUse(m_libImage); }
  CorvaneClient& LibExport() override { return OnFirstUse(m_libExport); }
  CorvaneClient& LibPack() override { return OnFirstUse(m_libPack); }
  CorvaneClient& LibUnpack() override { return OnFirstUse(m_libUnpack); }
  ui::DialogService& Dialogs() override { return m_dialogs; }
  QString Caption() const override { return windowTitle(); }

  // Start-up: the skin, then the working folders afresh. Throws when a folder step fails.
  void OnMainFormLoad();
  // OnMainFormLoad under the handler guard, as the program starts. False when another copy
  // runs from this program folder: this one has said so, changed nothing, and must end.
  bool Load();
  // Shutdown: six working folders removed; Boot3d stays for the next start to replace.
  void OnMainFormUnload();

  void OnTabMenuClick(int tabIndex);
  void OnMnuExit();
  void OnMnuCredits();
  void OnMnuMakerSite();

  QTabWidget* TabControl1;
  QMenu* mnuFile;
  QMenu* mnuhelp;
  QMenu* mnuCorvane;
  // Every menu item by its name (mnuFHD, ..., tire, mnuExit, mnucredits, wQV).
  QAction* MenuItem(const char* name) const;
  // The credits window once it was shown, else null.
  Credits* CreditsWindow() const { return m_credits.get(); }
  // Whether File > Exit ended the program (the unload handler then never runs).
  bool Exited() const { return m_exited; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  CorvaneClient& OnFirstUse(std::optional<CorvaneClient>& member);
  void BuildMenus();
  void BuildTabs(const TabFactories& tabs);
  // The working folders afresh: emptied, or copied from the shipped data. Throws an
  // InstallationFault naming what it could not lay out.
  void LayOutWorkFolders();

  fs::path m_programFolder;
  ui::DialogService& m_dialogs;
  std::optional<FileSystemObject> m_fileSystem;
  std::optional<CorvaneClient> m_libReplace;
  std::optional<CorvaneClient> m_libImage;
  std::optional<CorvaneClient> m_libExport;
  std::optional<CorvaneClient> m_libPack;
  std::optional<CorvaneClient> m_libUnpack;
  std::unique_ptr<Credits> m_credits;  // no owner window
  std::optional<InstanceLock> m_instanceLock;
  bool m_otherCopyRuns = false;
  bool m_exited = false;
  bool m_unloaded = false;
};

}  // namespace texel
