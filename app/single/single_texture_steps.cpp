#include "single_texture_steps.h"

#include <limits>

#include "byte_range.h"
#include "whole_file.h"

namespace texel {

namespace {

constexpr size_t kLongSize = 4;
// "DXT1" .. "DXT5" read little-endian: 'D' 'X' 'T' then the digit.
constexpr uint32_t kDxtPrefix = 0x00545844;
constexpr uint32_t kDxtPrefixMask = 0x00FFFFFF;

uint32_t Le32At(const std::vector<uint8_t>& bytes, size_t offset) {
  return static_cast<uint32_t>(corvane::ReadInt32LE(bytes.data() + offset));
}

}  // namespace

bool DdsSplice(const fs::path& work, const fs::path& texture) {
  std::vector<uint8_t> head;
  std::vector<uint8_t> fresh;
  int32_t marker = 0;
  {
    corvane::BinaryFile w(work, corvane::BinaryFile::Mode::ReadOnly);
    marker = corvane::FindLong(w, 1, corvane::kDdsMagic);
    if (marker == 0) return false;
    if (marker > 1) head = corvane::ReadBlock(w, 1, marker - 1);
    corvane::BinaryFile n(texture, corvane::BinaryFile::Mode::ReadOnly);
    const int32_t count = AsCount(n.Length(), texture);
    if (count == 0) throw StepFailure("The HD texture \"" + texture.string() + "\" is empty.");
    fresh = corvane::ReadBlock(n, 1, count);
  }
  // Replaced whole, so a failed write leaves the work file as it was.
  corvane::WriteFileReplacing(work, corvane::OldTarget::KeptUntilRename, {head, fresh});
  return true;
}

bool HoldsHdSizeValue(const fs::path& file) {
  const std::vector<uint8_t> bytes = corvane::ReadWholeFile(file);
  for (size_t i = 0; i + kLongSize <= bytes.size(); ++i) {
    const uint32_t v = Le32At(bytes, i);
    if (v == kHdSizeLarge || v == kHdSizeSmall) return true;
  }
  return false;
}

std::optional<QString> ScanDxtType(const fs::path& file, FourCcStride stride) {
  const std::vector<uint8_t> bytes = corvane::ReadWholeFile(file);
  std::optional<QString> caption;
  size_t offset = 0;
  while (offset + kLongSize <= bytes.size()) {
    const uint32_t v = Le32At(bytes, offset);
    const uint8_t digit = static_cast<uint8_t>(v >> 24);
    if ((v & kDxtPrefixMask) == kDxtPrefix && digit >= '1' && digit <= '5') {
      caption = QStringLiteral("DXT - ") + QChar(digit);
      offset += kLongSize;
    } else {
      offset += static_cast<size_t>(stride);
    }
  }
  return caption;
}

QString PixelCaption(int pixels) { return QString::number(pixels) + " PX "; }

bool RefuseAlreadyHd(Workbench& bench, const fs::path& unpacked) {
  if (!HoldsHdSizeValue(unpacked)) return false;
  bench.Message(TwoLines("File Is Already HD", "Do You Want To Continue ?"), ui::kErrorOk,
                bench.Caption());
  return true;
}

}  // namespace texel
