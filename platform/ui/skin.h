// The skin: a Qt style sheet in the program folder's "Texel Forge.dll".
#pragma once

#include <filesystem>

namespace ui {

// Loads the skin file and applies it to the application; a file that is missing, unreadable or
// no regular file is ignored and the platform's look stays. Returns whether a skin was applied.
bool ApplySkin(const std::filesystem::path& skinFile);

}  // namespace ui
