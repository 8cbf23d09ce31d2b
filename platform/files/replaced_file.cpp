#include "replaced_file.h"

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

}  // namespace files
