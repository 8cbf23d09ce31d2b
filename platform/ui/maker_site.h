// The maker's web page, opened from the Help menu in the desktop's browser.
#pragma once

namespace ui {

inline constexpr const char* kMakerAddress = "https://dremmwel.example.org";

// Hands the address to the desktop; the outcome is not examined.
void OpenMakerSite();

}  // namespace ui
