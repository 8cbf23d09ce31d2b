// The one way this program names a file it writes before renaming it over its target.
#pragma once

#include <filesystem>

namespace files {

// A hidden name beside `target` that no other write of this process or another one uses at
// the same time.
std::filesystem::path TempPathBeside(const std::filesystem::path& target);

}  // namespace files
