// The data Texel Forge ships in AppData/cfg for the tabs that copy or read it, and how a fault in
// it is told: a start copies the same cfg again, so only installing the data again mends it.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "workbench.h"

namespace texel {

namespace fs = std::filesystem;

// The names of the files shipped for `kind`'s working folder (none for the face, hair and turf).
std::span<const char* const> ShippedFiles(AssetKind kind);

// The shipped original in cfg of the data file `name` of `kind`'s working folder: in cfg itself
// for the ball, in cfg/<folder> for the others.
fs::path ShippedOriginal(const Workbench& bench, AssetKind kind, const std::string& name);

// What is wrong with `file` as program data: "is missing", "is empty", "is a named pipe, not a
// file", "cannot be read (Permission denied)"; empty when it is a readable file that holds bytes.
std::string DataLack(const fs::path& file);

// Every shipped file or folder that is missing, empty, unreadable or no file, as `"<path>" is
// missing`.
std::vector<std::string> DamagedShippedData(const Workbench& bench);

// What mends damaged data.
inline constexpr const char* kInstallDataAgain =
    "Install Texel Forge's data again: its AppData folder with the cfg folder inside, beside the "
    "program.";

}  // namespace texel
