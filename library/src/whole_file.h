// Whole-file reads and replacing writes shared by the library's operations.
#pragma once

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <string>
#include <system_error>
#include <vector>

#include "binary_file.h"
#include "failure.h"

namespace corvane {

// Reads the whole file; fails naming the path when it is missing or unreadable.
inline std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  BinaryFile file(path, BinaryFile::Mode::ReadOnly);
  const int64_t length = file.Length();
  std::vector<uint8_t> bytes(static_cast<size_t>(length));
  size_t got = 0;
  while (got < bytes.size()) {
    size_t n = file.Read(bytes.data() + got, bytes.size() - got);
    if (n == 0) break;
    got += n;
  }
  if (got != bytes.size())
    throw Failure(kUnspecifiedFailure, "Cannot read all of '" + path.string() + "'");
  return bytes;
}

// A name beside target that no other call of this process uses at the same time.
inline std::filesystem::path TempPathBeside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  return std::filesystem::path(target.native() + ".~tf" + std::to_string(::getpid()) + "-" +
                               std::to_string(++counter));
}

// A file written under a temporary name and moved over its target only when complete; until
// then (and on any failure) the target keeps what it held and the temporary file goes away.
class ReplacingFile {
 public:
  explicit ReplacingFile(std::filesystem::path target)
      : m_target(std::move(target)), m_temp(TempPathBeside(m_target)) {}
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ~ReplacingFile() {
    if (!m_committed) {
      std::error_code ignored;
      std::filesystem::remove(m_temp, ignored);
    }
  }

  const std::filesystem::path& TempPath() const { return m_temp; }
  const std::filesystem::path& Target() const { return m_target; }

  void Commit() {
    std::error_code error;
    std::filesystem::rename(m_temp, m_target, error);
    if (error)
      throw Failure(kUnspecifiedFailure,
                    "Cannot write '" + m_target.string() + "': " + error.message());
    m_committed = true;
  }

 private:
  std::filesystem::path m_target;
  std::filesystem::path m_temp;
  bool m_committed = false;
};

// Replaces target whole with the parts written one after another.
inline void WriteFileReplacing(const std::filesystem::path& target,
                               std::initializer_list<std::span<const uint8_t>> parts) {
  ReplacingFile out(target);
  {
    BinaryFile file(out.TempPath(), BinaryFile::Mode::Truncate);
    for (std::span<const uint8_t> part : parts) file.Write(part.data(), part.size());
    file.Close();
  }
  out.Commit();
}

}  // namespace corvane
