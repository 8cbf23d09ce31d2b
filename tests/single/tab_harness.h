// The real main window without a screen: a program folder of its own (AppData/cfg from the
// built program folder), the scripted dialog service, and the user's files in a folder outside
// the program folder. Controls are found by their object names.
#pragma once

#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "game_files.h"
#include "main_form.h"
#include "scripted_dialog_service.h"
#include "temp_folder.h"

namespace testing_support {

class TabHarness {
 public:
  TabHarness();
  ~TabHarness();

  texel::MainForm& Form() { return *m_form; }
  ui::ScriptedDialogService& Script() { return m_script; }
  const ui::ScriptedDialogService& Script() const { return m_script; }
  std::filesystem::path Work(texel::AssetKind kind, const std::string& name) const;
  // A path in the user's folder, outside the program folder.
  std::filesystem::path User(const std::string& name) const { return m_user / name; }
  QString UserText(const std::string& name) const;
  std::set<std::string> UserFiles() const { return FileNames(m_user.Path()); }
  std::set<std::string> WorkFiles(texel::AssetKind kind) const;

  template <typename W>
  W* Find(const char* name) {
    W* widget = m_form->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << "no control " << name;
    return widget;
  }
  void Click(const char* button) { Find<QPushButton>(button)->click(); }
  void Select(const char* radio) { Find<QRadioButton>(radio)->setChecked(true); }
  QString Text(const char* name);  // a line edit's or a label's text

 private:
  TempFolder m_program;
  TempFolder m_user;
  ui::ScriptedDialogService m_script;
  std::unique_ptr<texel::MainForm> m_form;
};

// What a message box showed.
struct Shown {
  QString text;
  int style;
  QString title;
  bool operator==(const Shown&) const = default;
};
std::vector<Shown> Messages(const ui::ScriptedDialogService& script);
void PrintTo(const Shown& shown, std::ostream* out);

// What a file dialog showed.
struct DialogShown {
  bool save;
  QString name;
  QString title;
  QString filter;
  bool operator==(const DialogShown&) const = default;
};
std::vector<DialogShown> Dialogs(const ui::ScriptedDialogService& script);
void PrintTo(const DialogShown& shown, std::ostream* out);

inline const QString kCaption = "Texel Forge  [v 1.0] By Dremmwel";

// One tab as its tests drive it: the user's game file, and the controls they press.
struct TabControls {
  texel::AssetKind kind;
  const char* gameFile;  // in the user's folder, with "hd.dds" beside it
  fixtures::Bytes (*makeHdTexture)();
  const char* open;
  const char* pickTexture;
  const char* hdOption;
  const char* create;
  const char* exportTexture;
  const char* formats[3];  // PNG, JPG, DDS
};

// A tab's tests: the user's files are written first, and every scripted answer must be used.
class SingleTabTest : public ::testing::Test {
 protected:
  explicit SingleTabTest(const TabControls& tab) : m_tab(tab) {}
  void SetUp() override;
  void TearDown() override;
  // The game file as the user has it.
  virtual fixtures::Bytes GameFile() const = 0;

  const fixtures::Bytes& HdTexture() const;
  std::filesystem::path Work(const char* name) const { return h.Work(m_tab.kind, name); }
  void Open() { Open(m_tab.gameFile); }
  void Open(const std::string& name);
  void Pick();  // "hd.dds"
  // The HD option selected, "Yes" to the question, the build saved as `name`.
  void CreateAndSave(const std::string& name);
  // With the HD option: "No" to the question, then "Yes" and a cancelled save dialog.
  void DeclineThenCancelTheSave();
  // Each format selected in turn and exported as `stem` + ".png", ".jpg" and ".dds".
  void ExportEveryFormat(const std::string& stem);
  std::vector<Shown> Messages() const { return testing_support::Messages(h.Script()); }
  std::vector<DialogShown> Dialogs() const { return testing_support::Dialogs(h.Script()); }

  TabHarness h;

 private:
  TabControls m_tab;
};

// File magic of the exports.
bool IsPng(const std::filesystem::path& file);
bool IsJpeg(const std::filesystem::path& file);

}  // namespace testing_support
