// The one way a writer makes the file it fills before renaming it over its target: created
// exclusively, never through a link, under a name no one can foresee, and private to its owner
// until it takes the mode it will keep, through its descriptor, just before the rename.
#pragma once

#include <cstdio>
#include <filesystem>

namespace files {

class NewFile {
 public:
  // Creates the file beside `target` (whose links the caller has followed). A name that is taken
  // (a file, a link, anything) is passed over for another, and what holds it stays untouched.
  explicit NewFile(const std::filesystem::path& target);
  // Closes the file and removes it, unless it was renamed onto its target.
  ~NewFile();
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;

  // The errno of a failed creation; 0 once it is made.
  int Error() const { return m_error; }
  const std::filesystem::path& Path() const { return m_path; }

  // A stream of its own on the file, opened with `mode` ("wb", "w+b"); nullptr with errno set.
  std::FILE* OpenStream(const char* mode) const;

  // Takes the read, write and run bits and, where the process may set it, the group of the file
  // `target` when there is one, or the umask's mode for a new file. Returns errno or 0.
  int TakeModeOf(const std::filesystem::path& target) const;

  // Renames the file onto `target`, when its name still holds it: a file swapped in there
  // meanwhile is never moved. With `dropTargetFirst`, the target is unlinked just before (the
  // rename then does not wait for the file system to flush the new data). Returns errno or 0.
  int RenameOnto(const std::filesystem::path& target, bool dropTargetFirst = false);

 private:
  // Whether the name still leads to this file and to nothing else.
  bool NameStillHoldsIt() const;

  std::filesystem::path m_path;
  int m_fd = -1;
  int m_error = 0;
  bool m_renamed = false;
};

}  // namespace files
