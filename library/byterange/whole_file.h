// Whole-file reads and replacing writes, and the cuts, comparisons and concatenations built on
// them: shared by the library and every tab.
#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <vector>

#include "new_file.h"

namespace corvane {

// Reads the whole file; fails naming the path when it is missing or unreadable.
std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& path);

// What happens to an existing target when its replacement is complete.
enum class OldTarget {
  // Stays until the rename takes its name: the file always exists, old or new. For files the
  // caller edits in place and for the user's files.
  KeptUntilRename,
  // Removed just before the rename. For outputs made afresh from an input: the file is old,
  // absent for a moment, or new, never half written; and the rename does not wait for the
  // file system to flush the new data, as replacing a file by rename does on ext4.
  DroppedFirst,
};

// A file written under a temporary name and moved to its target only when complete; until
// then (and on any failure) the target keeps what it held and the temporary file goes away.
// An output path that is a folder, a pipe, a socket or a device (its links followed) is refused
// and stays as it was. A file replaced keeps its permission bits, and a target that is a
// symbolic link stays one: the file it names is replaced.
class ReplacingFile {
 public:
  ReplacingFile(std::filesystem::path target, OldTarget old);
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;
  ~ReplacingFile();

  // The new file, made exclusively beside the target under a name no one can foresee.
  const files::NewFile& Fresh() const { return m_fresh; }
  const std::filesystem::path& TempPath() const { return m_fresh.Path(); }
  const std::filesystem::path& Target() const { return m_target; }
  void Commit();

 private:
  std::filesystem::path m_named;   // as the caller gave it
  std::filesystem::path m_target;  // its links followed
  files::NewFile m_fresh;
  OldTarget m_old;
};

// Replaces target whole with the parts written one after another.
void WriteFileReplacing(const std::filesystem::path& target, OldTarget old,
                        std::initializer_list<std::span<const uint8_t>> parts);
void WriteFileReplacing(const std::filesystem::path& target, OldTarget old,
                        std::span<const std::span<const uint8_t>> parts);

// count bytes of source from 1-based position (zeros past its end) written as the whole of
// target. Fails for count <= 0 or position <= 0.
void CutBlockToFile(const std::filesystem::path& source, int32_t position, int32_t count,
                    const std::filesystem::path& target);

// Same length, same bytes.
bool SameBytes(const std::filesystem::path& a, const std::filesystem::path& b);

// The whole of each part, back to back, as the whole of target.
void ConcatenateFiles(std::span<const std::filesystem::path> parts,
                      const std::filesystem::path& target);

}  // namespace corvane
