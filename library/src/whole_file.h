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

// What happens to an existing target when its replacement is complete.
enum class OldTarget {
  // Stays until the rename takes its name: the file always exists, old or new. For files the
  // caller edits in place.
  KeptUntilRename,
  // Removed just before the rename. For outputs made afresh from an input: the file is old,
  // absent for a moment, or new, never half written; and the rename does not wait for the
  // file system to flush the new data, as replacing a file by rename does on ext4.
  DroppedFirst,
};

// A file written under a temporary name and moved to its target only when complete; until
// then (and on any failure) the target keeps what it held and the temporary file goes away.
class ReplacingFile {
 public:
  ReplacingFile(std::filesystem::path target, OldTarget old)
      : m_target(std::move(target)), m_temp(TempPathBeside(m_target)), m_old(old) {}
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
    if (m_old == OldTarget::DroppedFirst) std::filesystem::remove(m_target, error);
    if (!error) std::filesystem::rename(m_temp, m_target, error);
    if (error)
      throw Failure(kUnspecifiedFailure,
                    "Cannot write '" + m_target.string() + "': " + error.message());
    m_committed = true;
  }

 private:
  std::filesystem::path m_target;
  std::filesystem::path m_temp;
  OldTarget m_old;
  bool m_committed = false;
};

// Replaces target whole with the parts written one after another.
inline void WriteFileReplacing(const std::filesystem::path& target, OldTarget old,
                               std::initializer_list<std::span<const uint8_t>> parts) {
  ReplacingFile out(target, old);
  {
    BinaryFile file(out.TempPath(), BinaryFile::Mode::Truncate);
    for (std::span<const uint8_t> part : parts) file.Write(part.data(), part.size());
    file.Close();
  }
  out.Commit();
}

}  // namespace corvane
