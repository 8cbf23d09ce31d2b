#include "tab_harness.h"

#include <QApplication>
#include <cstdlib>
#include <map>

#include "game_files.h"
#include "tabs.h"

namespace testing_support {

namespace fs = std::filesystem;

namespace {

QApplication& Application() {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static int argc = 1;
  static char name[] = "single_tests";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
  return application;
}

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

TabHarness::TabHarness() {
  Application();
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
  ADD_FAILURE() << "no text control " << name;
  return {};
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

void SingleTabTest::SetUp() {
  fixtures::WriteFile(h.User(m_tab.gameFile), GameFile());
  fixtures::WriteFile(h.User("hd.dds"), HdTexture());
}

void SingleTabTest::TearDown() { EXPECT_EQ(h.Script().Pending(), 0u) << "unused scripted answers"; }

// Made once per run: the large textures take a while.
const fixtures::Bytes& SingleTabTest::HdTexture() const {
  static std::map<fixtures::Bytes (*)(), fixtures::Bytes> made;
  auto found = made.find(m_tab.makeHdTexture);
  if (found == made.end()) found = made.emplace(m_tab.makeHdTexture, m_tab.makeHdTexture()).first;
  return found->second;
}

void SingleTabTest::Open(const std::string& name) {
  h.Script().ChooseFile(h.UserText(name));
  h.Click(m_tab.open);
}

void SingleTabTest::Pick() {
  h.Script().ChooseFile(h.UserText("hd.dds"));
  h.Click(m_tab.pickTexture);
}

void SingleTabTest::CreateAndSave(const std::string& name) {
  h.Select(m_tab.hdOption);
  h.Script().AnswerYes();
  h.Script().ChooseFile(h.UserText(name));
  h.Click(m_tab.create);
}

void SingleTabTest::DeclineThenCancelTheSave() {
  h.Select(m_tab.hdOption);
  h.Script().AnswerNo();
  h.Click(m_tab.create);
  h.Script().AnswerYes();
  h.Script().CancelFile();
  h.Click(m_tab.create);
}

void SingleTabTest::ExportEveryFormat(const std::string& stem) {
  const char* extensions[] = {".png", ".jpg", ".dds"};
  for (int i = 0; i < 3; ++i) {
    h.Select(m_tab.formats[i]);
    h.Script().ChooseFile(h.UserText(stem + extensions[i]));
    h.Click(m_tab.exportTexture);
  }
}

bool IsPng(const fs::path& file) { return StartsWith(file, {0x89, 'P', 'N', 'G'}); }
bool IsJpeg(const fs::path& file) { return StartsWith(file, {0xFF, 0xD8, 0xFF}); }

}  // namespace testing_support
