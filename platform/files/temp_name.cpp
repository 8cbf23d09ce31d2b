#include "temp_name.h"

#include <unistd.h>

#include <atomic>
#include <string>

namespace files {

std::filesystem::path TempPathBeside(const std::filesystem::path& target) {
  static std::atomic<unsigned> counter{0};
  const std::string name = "." + target.filename().string() + ".tf-" + std::to_string(::getpid()) +
                           "-" + std::to_string(++counter);
  return target.parent_path() / name;
}

}  // namespace files
