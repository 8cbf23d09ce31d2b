// What someone who may write the same folder plants beforehand at the names a writer will try,
// made foreseeable for the test: a link to a private file of the user's at the first name, a
// file of their own at the second. Free of Qt and of the test framework.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "temp_name.h"

namespace testing_support {

class PlantedNames {
 public:
  // Each tag twice: once to name what is planted here, once for the writer's own tries.
  explicit PlantedNames(const std::filesystem::path& target)
      : m_tags({"planted-link", "planted-file", "planted-link", "planted-file"}),
        m_link(files::TempPathBeside(target)),
        m_file(files::TempPathBeside(target)),
        m_victim(target.parent_path() / "private-key") {
    std::ofstream(m_victim) << "the user's own";
    std::filesystem::permissions(m_victim, kPrivate);
    std::filesystem::create_symlink(m_victim, m_link);
    std::ofstream(m_file) << "someone else's";
  }

  // The link still leads to the private file, which keeps its bytes and mode, and the planted
  // file keeps its bytes.
  bool Untouched() const {
    namespace fs = std::filesystem;
    return fs::is_symlink(m_link) && fs::read_symlink(m_link) == m_victim &&
           Read(m_victim) == "the user's own" && fs::status(m_victim).permissions() == kPrivate &&
           Read(m_file) == "someone else's";
  }

 private:
  static constexpr auto kPrivate =
      std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
  static std::string Read(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
  }

  files::ForeseenTags m_tags;
  std::filesystem::path m_link, m_file, m_victim;
};

}  // namespace testing_support
