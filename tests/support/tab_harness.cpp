#include "tab_harness.h"

#include <QApplication>
#include <QInputDevice>
#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "game_files.h"
#include "tabs.h"

namespace testing_support {

namespace fs = std::filesystem;

namespace {

fs::path BuiltProgramFolder() {
  const char* folder = std::getenv("TF_PROGRAM_DIR");
  if (folder == nullptr) throw std::runtime_error("TF_PROGRAM_DIR is not set");
  return folder;
}

bool StartsWith(const fs::path& file, std::initializer_list<uint8_t> magic) {
  const fixtures::Bytes bytes = fixtures::ReadFile(file);
  return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

}  // namespace

void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "texel_tests";
  static char* argv[] = {name, nullptr};
  // Qt registers the keyboard and mouse it makes on first use (a key sent, a window entered) as
  // the application's children in a registry of its own: made first, the registry outlives it.
  QInputDevice::devices();
  static QApplication application(argc, argv);
}

QString HarnessDialogs::ShowFileDialog(ui::DialogKind kind, const QString& dialogName,
                                       const QString& title, const QString& filter) {
  const QString chosen = ScriptedDialogService::ShowFileDialog(kind, dialogName, title, filter);
  if (auto step = std::exchange(m_after, nullptr)) step();
  return chosen;
}

TabHarness::TabHarness() {
  EnsureApplication();
  const fs::path built = BuiltProgramFolder();
  fs::create_directories(m_program.Path() / "AppData");
  fs::copy(built / "AppData" / "cfg", m_program.Path() / "AppData" / "cfg",
           fs::copy_options::recursive);
  m_form = std::make_unique<texel::MainForm>(m_program.Path(), m_script, texel::TexelForgeTabs());
  m_form->OnMainFormLoad();
}

TabHarness::~TabHarness() { m_form.reset(); }

fs::path TabHarness::Work(texel::AssetKind kind, const std::string& name) const {
  return m_form->WorkFolder(kind) / name;
}

QString TabHarness::UserText(const std::string& name) const {
  return QString::fromStdString(User(name).string());
}

std::set<std::string> TabHarness::WorkFiles(texel::AssetKind kind) const {
  return FileNames(m_form->WorkFolder(kind));
}

QString TabHarness::Text(const char* name) {
  if (auto* edit = m_form->findChild<QLineEdit*>(name)) return edit->text();
  if (auto* label = m_form->findChild<QLabel*>(name)) return label->text();
  throw std::runtime_error(std::string("no text control ") + name);
}

std::vector<Shown> Messages(const ui::ScriptedDialogService& script) {
  std::vector<Shown> shown;
  for (const auto& m : script.Messages()) shown.push_back({m.text, m.style, m.title});
  return shown;
}

std::vector<DialogShown> Dialogs(const ui::ScriptedDialogService& script) {
  std::vector<DialogShown> shown;
  for (const auto& d : script.Dialogs()) {
    shown.push_back({d.kind == ui::DialogKind::Save, d.name, d.title, d.filter});
  }
  return shown;
}

void PrintTo(const Shown& shown, std::ostream* out) {
  *out << "{\"" << shown.text.toStdString() << "\", " << shown.style << ", \""
       << shown.title.toStdString() << "\"}";
}

void PrintTo(const DialogShown& shown, std::ostream* out) {
  *out << "{" << (shown.save ? "save " : "open ") << shown.name.toStdString() << ", \""
       << shown.title.toStdString() << "\", \"" << shown.filter.toStdString() << "\"}";
}

bool IsPng(const fs::path& file) { return StartsWith(file, {0x89, 'P', 'N', 'G'}); }
bool IsJpeg(const fs::path& file) { return StartsWith(file, {0xFF, 0xD8, 0xFF}); }

}  // namespace testing_support
