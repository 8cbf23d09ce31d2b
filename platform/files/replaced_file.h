// What a write that replaces a file by renaming a new one over it must keep: the links that lead
// to the file (who may read and write it is kept by the new file itself).
#pragma once

#include <filesystem>

namespace files {

// The file `target` names once its symbolic links are followed, also where the last one leads
// to no file yet: the rename goes over that file, so the links stay links.
std::filesystem::path FileBehindLinks(const std::filesystem::path& target);

}  // namespace files
