// Steps the face, hair and turf tabs share: the splice of a new texture behind the head, the
// already-HD scan, the DXT type scan, whole-file helpers, the preview and the HD texture pick.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <vector>

#include <QLineEdit>
#include <QSize>
#include <QString>

#include "workbench.h"

namespace texel {

// A failure of a tab's own step; the handler guard shows it.
class StepFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

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
// A preview bitmap's width and height in pixels.
QSize PictureSize(const fs::path& bitmap);

std::vector<uint8_t> ReadWholeFile(const fs::path& file);
// Writes beside the target and renames over it: the target is replaced whole or not at all.
void WriteWholeFile(const fs::path& file, const std::vector<uint8_t>& bytes);
bool IsNonEmptyFile(const fs::path& file);

// A file dialog's title and filter, as a tab's row gives them.
struct DialogText {
  const char* title;
  const char* filter;
};

// The HD texture pick: dialog, then the path box and the copy (face and hair show the path
// first, turf copies first).
struct PickTextureRow {
  ui::CommonDialog* dialog;
  QString title;
  QString filter;
  QLineEdit* pathBox;
  fs::path target;
  bool pathBoxFirst;
};
void OnPickOneHdTexture(Workbench& bench, const PickTextureRow& row);

// The face and hair open check: true (and the refusal shown) when the file is HD already.
bool RefuseAlreadyHd(Workbench& bench, const fs::path& unpacked);

// QString <-> path, UTF-8 on this platform.
fs::path ToPath(const QString& text);
QString ToText(const fs::path& path);

}  // namespace texel
