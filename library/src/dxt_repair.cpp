#include "dxt_repair.h"

#include <algorithm>
#include <limits>

namespace corvane {

namespace {

constexpr uint32_t kTexelsPerBlockSide = 4;
constexpr size_t kDxt1BlockSize = 8;
constexpr size_t kDxt35BlockSize = 16;
// In a DXT3 or DXT5 block the alpha half comes first, then the colour half: two 16-bit
// endpoints and sixteen 2-bit indices.
constexpr size_t kColourHalfOffset = 8;
constexpr size_t kColour0Offset = 0;
constexpr size_t kColour1Offset = 2;
constexpr size_t kIndicesOffset = 4;
// Swapping the endpoints swaps the roles of indices 0 and 1 and of 2 and 3: flip the low bit.
constexpr uint32_t kSwapIndexPairs = 0x55555555;

uint32_t Read32(std::span<const uint8_t> bytes, size_t offset) {
  return static_cast<uint32_t>(bytes[offset]) | (static_cast<uint32_t>(bytes[offset + 1]) << 8) |
         (static_cast<uint32_t>(bytes[offset + 2]) << 16) |
         (static_cast<uint32_t>(bytes[offset + 3]) << 24);
}

uint16_t Read16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }

void Write16(uint8_t* bytes, uint16_t value) {
  bytes[0] = static_cast<uint8_t>(value);
  bytes[1] = static_cast<uint8_t>(value >> 8);
}

void Write32(uint8_t* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The header's own sizes can ask for more than 64 bits (DXT5 at 2^32 - 1 square is 2^64 bytes):
// such a product stops at the largest value instead of wrapping to a small one.
uint64_t SaturatingProduct(uint64_t a, uint64_t b) {
  uint64_t product = 0;
  if (__builtin_mul_overflow(a, b, &product)) return std::numeric_limits<uint64_t>::max();
  return product;
}

uint64_t BlockCount(const DdsInfo& info) {
  const uint64_t wide = (uint64_t{info.width} + kTexelsPerBlockSide - 1) / kTexelsPerBlockSide;
  const uint64_t high = (uint64_t{info.height} + kTexelsPerBlockSide - 1) / kTexelsPerBlockSide;
  return wide * high;  // at most 2^60
}

// Returns true when the block changed.
bool RepairColourBlock(uint8_t* colour) {
  const uint16_t c0 = Read16(colour + kColour0Offset);
  const uint16_t c1 = Read16(colour + kColour1Offset);
  if (c0 > c1) return false;
  uint32_t indices = Read32(std::span<const uint8_t>(colour + kIndicesOffset, 4), 0);
  if (c0 == c1) {
    // Every colour of the block is the same one: index 0 says so in four-colour order too.
    if (indices == 0) return false;
    indices = 0;
  } else {
    Write16(colour + kColour0Offset, c1);
    Write16(colour + kColour1Offset, c0);
    indices ^= kSwapIndexPairs;
  }
  Write32(colour + kIndicesOffset, indices);
  return true;
}

}  // namespace

std::optional<DdsInfo> ReadDdsHeader(std::span<const uint8_t> file) {
  if (file.size() < kDdsDataOffset) return std::nullopt;
  if (Read32(file, kDdsMagicOffset) != static_cast<uint32_t>(kDdsMagic)) return std::nullopt;
  DdsInfo info;
  info.height = Read32(file, kDdsHeightOffset);
  info.width = Read32(file, kDdsWidthOffset);
  info.mipCount = Read32(file, kDdsMipCountOffset);
  info.pixelFlags = Read32(file, kDdsPixelFlagsOffset);
  info.fourCc = Read32(file, kDdsFourCcOffset);
  info.rgbBitCount = Read32(file, kDdsRgbBitCountOffset);
  return info;
}

std::optional<uint64_t> MainLevelSize(const DdsInfo& info) {
  // The same order of checks as the image library: uncompressed first, then the FourCC.
  if (info.pixelFlags & kDdpfRgb) {
    if (info.rgbBitCount == 0 || info.rgbBitCount > 32 || info.rgbBitCount % 8 != 0)
      return std::nullopt;
    return SaturatingProduct(uint64_t{info.width} * info.height, info.rgbBitCount / 8);
  }
  if (info.pixelFlags & kDdpfFourCc) {
    switch (info.fourCc) {
      case kFourCcDxt1:
        return SaturatingProduct(BlockCount(info), kDxt1BlockSize);
      case kFourCcDxt3:
      case kFourCcDxt5:
        return SaturatingProduct(BlockCount(info), kDxt35BlockSize);
      default:
        return std::nullopt;
    }
  }
  return std::nullopt;
}

size_t RepairDxtColourBlocks(std::span<uint8_t> file) {
  const std::optional<DdsInfo> info = ReadDdsHeader(file);
  if (!info || (info->pixelFlags & kDdpfRgb) || !(info->pixelFlags & kDdpfFourCc)) return 0;
  if (info->fourCc != kFourCcDxt3 && info->fourCc != kFourCcDxt5) return 0;
  // Only whole blocks that the file really holds.
  const uint64_t held = (file.size() - kDdsDataOffset) / kDxt35BlockSize;
  const uint64_t blocks = std::min(BlockCount(*info), held);
  size_t changed = 0;
  for (uint64_t i = 0; i < blocks; ++i) {
    uint8_t* block = file.data() + kDdsDataOffset + i * kDxt35BlockSize;
    if (RepairColourBlock(block + kColourHalfOffset)) ++changed;
  }
  return changed;
}

}  // namespace corvane
