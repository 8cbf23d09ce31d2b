#include "temp_name.h"

#include <unistd.h>
#include <climits>

#include <atomic>
#include <string>

namespace files {

namespace {

// The first `most` bytes of `name`, not ending inside a UTF-8 character.
std::string Prefix(const std::string& name, size_t most) {
  if (name.size() <= most) return name;
  size_t end = most;
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  return name.substr(0, end);
}

}  // namespace

std::filesystem::path TempPathBeside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  const std::string tag = ".tf-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
  // The process and the counter make the name unique; the target's own name is only a hint for
  // whoever finds the file, shortened so that the whole stays a valid name beside a long one.
  const std::string name =
      "." + Prefix(target.filename().string(), NAME_MAX - 1 - tag.size()) + tag;
  return target.parent_path() / name;
}

}  // namespace files
