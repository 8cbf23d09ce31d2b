// A failure to write in Texel Forge's own working folder (its disk full, or the folder not
// writable), told as that: the user's file named in the same call is not at fault.
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "handler_guard.h"
#include "workbench.h"

namespace texel {

// The failure in words about the program folder's AppData, or nothing when `error` is not a
// write refused inside the program folder.
std::optional<UserFacingFailure> WorkFolderFault(const Workbench& bench,
                                                 const std::exception& error);

// The errno (EACCES, EROFS, EPERM) that keeps this process from making files in `folder`; 0 when
// it may, or when it cannot tell.
int WriteRefusal(const fs::path& folder);

// "Texel Forge's working folder "<appData>" cannot be written (...). Let Texel Forge write there
// and <then>."
std::string NotWritableWords(const fs::path& appData, const std::string& then);

}  // namespace texel
