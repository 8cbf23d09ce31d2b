// Steps the face, hair and turf tabs share: the splice of a new texture behind the head, the
// already-HD scan, the DXT type scan and the size captions.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include <QSize>
#include <QString>

#include "tab_steps.h"
#include "workbench.h"

namespace texel {

// Size values that mark a face or hair file as made HD already.
inline constexpr int32_t kHdSizeLarge = 1048720;
inline constexpr int32_t kHdSizeSmall = 1048704;

// Rewrites `work` as its bytes before the first "DDS " followed by the whole of `texture`.
// Returns false, leaving `work` as it was, when it holds no "DDS ". Throws StepFailure for an
// empty or missing texture.
bool DdsSplice(const fs::path& work, const fs::path& texture);

// True when 1048720 or 1048704 stands at any byte offset of the file.
bool HoldsHdSizeValue(const fs::path& file);

// Offsets the DXT type scan examines: face and hair even offsets only, turf every offset.
enum class FourCcStride { EvenOffsets = 2, EveryOffset = 1 };
// "DXT - 1" to "DXT - 5" for the last FourCC found, nothing when there is none.
std::optional<QString> ScanDxtType(const fs::path& file, FourCcStride stride);

// Size labels: the number followed by " PX ".
QString PixelCaption(int pixels);

// The face and hair open check: true (and the refusal shown) when the file is HD already.
bool RefuseAlreadyHd(Workbench& bench, const fs::path& unpacked);

}  // namespace texel
