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

// Why no working folder can be laid out in `appData`, with the cure: it is missing (the data
// must be installed again), or this process may not make files there. Nothing when it can.
std::optional<InstallationFault> AppDataFault(const fs::path& appData);

}  // namespace texel
