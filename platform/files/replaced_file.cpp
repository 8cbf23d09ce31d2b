#include "replaced_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace files {

namespace fs = std::filesystem;

fs::path FileBehindLinks(const fs::path& target) {
  // As many links as the system itself follows before it calls it a loop.
  constexpr int kMostLinks = 40;
  fs::path file = target;
  for (int hop = 0; hop < kMostLinks; ++hop) {
    std::error_code error;
    if (!fs::is_symlink(file, error)) return file;
    const fs::path next = fs::read_symlink(file, error);
    if (error) return file;
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  return target;  // a loop: the rename then fails on the link itself, leaving it as it was
}

int KeepModeOf(const fs::path& target, const fs::path& temporary) {
  struct stat old {};
  if (::stat(target.c_str(), &old) != 0) return 0;  // a new file: the umask decides
  if (::chown(temporary.c_str(), static_cast<uid_t>(-1), old.st_gid) != 0 && errno != EPERM) {
    return errno;
  }
  // Who may read, write and run it; set-id bits are not carried over to new content.
  if (::chmod(temporary.c_str(), old.st_mode & 0777) != 0) return errno;
  return 0;
}

}  // namespace files
