// The real main window without a screen: a program folder of its own (AppData/cfg from the
// built program folder), the scripted dialog service, and the user's files in a folder outside
// the program folder. Controls are found by their object names. Free of the test framework, so
// that the benchmarks drive the window the same way.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>
#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "main_form.h"
#include "scripted_dialog_service.h"
#include "temp_folder.h"

namespace testing_support {

// The process's one QApplication (offscreen unless QT_QPA_PLATFORM says otherwise).
void EnsureApplication();

// The scripted dialog service that can also run a step right after the next file dialog
// returns: a test arms a fault there, once the user has picked the target and before the press
// writes it.
class HarnessDialogs : public ui::ScriptedDialogService {
 public:
  void AfterNextFileDialog(std::function<void()> step) { m_after = std::move(step); }
  QString ShowFileDialog(ui::DialogKind kind, const QString& dialogName, const QString& title,
                         const QString& filter) override;

 private:
  std::function<void()> m_after;
};

class TabHarness {
 public:
  TabHarness();
  ~TabHarness();

  texel::MainForm& Form() { return *m_form; }
  HarnessDialogs& Script() { return m_script; }
  const HarnessDialogs& Script() const { return m_script; }
  std::filesystem::path Work(texel::AssetKind kind, const std::string& name) const;
  // A path in the user's folder, outside the program folder.
  std::filesystem::path User(const std::string& name) const { return m_user / name; }
  QString UserText(const std::string& name) const;
  std::set<std::string> UserFiles() const { return FileNames(m_user.Path()); }
  std::set<std::string> WorkFiles(texel::AssetKind kind) const;

  // A missing control throws: the test (or the benchmark) stops there, naming it.
  template <typename W>
  W* Find(const char* name) {
    W* widget = m_form->findChild<W*>(name);
    if (widget == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return widget;
  }
  void Click(const char* button) { Find<QPushButton>(button)->click(); }
  void Select(const char* radio) { Find<QRadioButton>(radio)->setChecked(true); }
  QString Text(const char* name);  // a line edit's or a label's text

 private:
  TempFolder m_program;
  TempFolder m_user;
  HarnessDialogs m_script;
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

// File magic of the exports.
bool IsPng(const std::filesystem::path& file);
bool IsJpeg(const std::filesystem::path& file);

}  // namespace testing_support
