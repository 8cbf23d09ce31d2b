// A failure to write in Texel Forge's own working folder (its disk full, or the folder not
// writable), told as that: the user's file named in the same call is not at fault.
#pragma once

#include <exception>
#include <optional>

#include "handler_guard.h"
#include "workbench.h"

namespace texel {

// The failure in words about the program folder's AppData, or nothing when `error` is not a
// write refused inside the program folder.
std::optional<UserFacingFailure> WorkFolderFault(const Workbench& bench,
                                                 const std::exception& error);

}  // namespace texel
