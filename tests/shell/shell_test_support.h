// What the shell tests share: one QApplication, throw-away program folders laid out like the
// shipped one, whole-file reads and writes, and a small workbench for the frame shapes.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <QApplication>

#include "qt_print.h"
#include "scripted_dialog_service.h"
#include "temp_folder.h"
#include "workbench.h"

namespace shelltest {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

inline QApplication& App() {
  static int argc = 1;
  static char name[] = "shell_tests";
  static char* argv[] = {name, nullptr};
  static QApplication app(argc, argv);
  QApplication::setApplicationName(texel::kApplicationTitle);
  return app;
}

inline void WriteBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline void WriteText(const fs::path& path, const std::string& text) {
  WriteBytes(path, Bytes(text.begin(), text.end()));
}

inline Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Names of the files and folders below `folder`, relative to it.
inline std::set<std::string> Listing(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    names.insert(fs::relative(entry.path(), folder).generic_string());
  }
  return names;
}

// True when both folders hold the same names with the same bytes.
inline bool SameTree(const fs::path& a, const fs::path& b) {
  if (Listing(a) != Listing(b)) return false;
  for (const std::string& name : Listing(a)) {
    if (fs::is_regular_file(a / name) && ReadBytes(a / name) != ReadBytes(b / name)) return false;
  }
  return true;
}

// The shipped AppData/cfg, as the build lays it beside the program.
inline fs::path ShippedCfg() {
  const char* program = std::getenv("TF_PROGRAM_DIR");
  if (program != nullptr && fs::is_directory(fs::path(program) / "AppData" / "cfg")) {
    return fs::path(program) / "AppData" / "cfg";
  }
  const char* source = std::getenv("TF_SOURCE_DIR");
  return fs::path(source != nullptr ? source : ".") / "data" / "AppData" / "cfg";
}

// A program folder with AppData/cfg copied in.
class ProgramFolder : public testing_support::TempFolder {
 public:
  explicit ProgramFolder(bool withCfg = true) {
    fs::create_directories(AppData());
    if (withCfg) fs::copy(ShippedCfg(), Cfg(), fs::copy_options::recursive);
  }
  fs::path AppData() const { return Path() / "AppData"; }
  fs::path Cfg() const { return AppData() / "cfg"; }
};

// Runs the scope with an ordinary user's rights when the tests run as root, who may write every
// file, so that a file's or a folder's mode counts: `folder`'s tree becomes that user's own, as a
// user's own installation is. Ok() is false where the rights cannot be changed.
class AsOrdinaryUser {
 public:
  explicit AsOrdinaryUser(const fs::path& folder) {
    if (::geteuid() != 0) return;
    bool owned = ::lchown(folder.c_str(), kNobody, kNobody) == 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      owned = owned && ::lchown(entry.path().c_str(), kNobody, kNobody) == 0;
    }
    m_changed = owned && ::seteuid(kNobody) == 0;
    m_ok = m_changed;
  }
  ~AsOrdinaryUser() {
    if (m_changed && ::seteuid(0) != 0) std::abort();
  }
  AsOrdinaryUser(const AsOrdinaryUser&) = delete;
  AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;
  bool Ok() const { return m_ok; }

 private:
  static constexpr uid_t kNobody = 65534;
  bool m_changed = false;
  bool m_ok = true;
};

// The smallest workbench: real file system and library, scripted dialogs.
class TestBench : public texel::Workbench {
 public:
  explicit TestBench(fs::path programFolder) : m_programFolder(std::move(programFolder)) {}
  fs::path ProgramFolder() const override { return m_programFolder; }
  texel::FileSystemObject& FileSystem() override { return m_files; }
  texel::CorvaneClient& LibReplace() override { return Lib(); }
  texel::CorvaneClient& LibImage() override { return Lib(); }
  texel::CorvaneClient& LibExport() override { return Lib(); }
  texel::CorvaneClient& LibPack() override { return Lib(); }
  texel::CorvaneClient& LibUnpack() override { return Lib(); }
  ui::DialogService& Dialogs() override { return dialogs; }
  QString Caption() const override { return texel::kMainWindowCaption; }

  ui::ScriptedDialogService dialogs;

 private:
  texel::CorvaneClient& Lib() {
    if (!m_lib) m_lib.emplace(texel::CorvaneClient::Create(m_programFolder));
    return *m_lib;
  }
  fs::path m_programFolder;
  texel::FileSystemObject m_files;
  std::optional<texel::CorvaneClient> m_lib;
};

}  // namespace shelltest
