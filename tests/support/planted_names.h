// What someone who may write the same folder plants beforehand at the names a writer will try,
// made foreseeable for the test: a link to a private file of the user's at the first name, a
// file of their own at the second. Free of Qt and of the test framework.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "temp_name.h"

namespace testing_support {

class PlantedNames {
 public:
  // Plants beside `target`; the writer's first two tries meet what was planted.
  explicit PlantedNames(const std::filesystem::path& target)
      // Each tag twice: once to name what is planted, once for the writer's own try.
      : m_tags({"planted-link", "planted-file", "planted-link", "planted-file"}) {
    namespace fs = std::filesystem;
    const fs::path link = files::TempPathBeside(target);
    const fs::path file = files::TempPathBeside(target);
    m_victim = target.parent_path() / "private-key";
    Write(m_victim, "the user's own");
    fs::permissions(m_victim, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(m_victim, link);
    Write(file, "someone else's");
    m_link = link;
    m_file = file;
  }

  // The link still leads to the private file, which keeps its bytes and mode; the planted file
  // keeps its own bytes.
  bool Untouched() const {
    namespace fs = std::filesystem;
    std::error_code error;
    return fs::is_symlink(m_link, error) && fs::read_symlink(m_link, error) == m_victim &&
           Read(m_victim) == "the user's own" &&
           fs::status(m_victim, error).permissions() ==
               (fs::perms::owner_read | fs::perms::owner_write) &&
           Read(m_file) == "someone else's";
  }
  const std::filesystem::path& Victim() const { return m_victim; }

 private:
  static void Write(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  files::ForeseenTags m_tags;
  std::filesystem::path m_victim, m_link, m_file;
};

}  // namespace testing_support
