// What a write that replaces a file by renaming a temporary one over it must keep: the links
// that lead to the file, and who may read and write it.
#pragma once

#include <filesystem>

namespace files {

// The file `target` names once its symbolic links are followed, also where the last one leads
// to no file yet: the rename goes over that file, so the links stay links.
std::filesystem::path FileBehindLinks(const std::filesystem::path& target);

// When `target` exists, `temporary` takes its read, write and run bits and, where the process
// may set it, its group. Returns the errno of a failed change, 0 otherwise.
int KeepModeOf(const std::filesystem::path& target, const std::filesystem::path& temporary);

}  // namespace files
