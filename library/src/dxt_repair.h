// DDS header reading and the colour-block repair that makes the image library decode DXT3 and
// DXT5 textures in their true colours.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "byte_range.h"

namespace corvane {

// Layout of a DDS file: the magic (kDdsMagic), a 124-byte header, then the main level's data.
inline constexpr size_t kDdsMagicOffset = 0;
inline constexpr size_t kDdsHeaderSizeOffset = 4;
inline constexpr uint32_t kDdsHeaderSize = 124;
inline constexpr size_t kDdsHeightOffset = 12;
inline constexpr size_t kDdsWidthOffset = 16;
inline constexpr size_t kDdsMipCountOffset = 28;
inline constexpr size_t kDdsPixelFlagsOffset = 80;
inline constexpr size_t kDdsFourCcOffset = 84;
inline constexpr size_t kDdsRgbBitCountOffset = 88;
inline constexpr size_t kDdsDataOffset = 128;  // magic + header

inline constexpr uint32_t kDdpfFourCc = 0x4;
inline constexpr uint32_t kDdpfRgb = 0x40;
inline constexpr uint32_t kFourCcDxt1 = 0x31545844;  // "DXT1"
inline constexpr uint32_t kFourCcDxt3 = 0x33545844;  // "DXT3"
inline constexpr uint32_t kFourCcDxt5 = 0x35545844;  // "DXT5"

struct DdsInfo {
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t mipCount = 0;
  uint32_t pixelFlags = 0;
  uint32_t fourCc = 0;
  uint32_t rgbBitCount = 0;
};

// The header's fields, or nothing when the bytes do not begin with a whole DDS header.
std::optional<DdsInfo> ReadDdsHeader(std::span<const uint8_t> file);

// Bytes of the main level behind the header, or nothing for a pixel format the image library
// does not decode. A size past 64 bits comes back as UINT64_MAX: more than any file holds.
std::optional<uint64_t> MainLevelSize(const DdsInfo& info);

// For DXT3 and DXT5 textures, rewrites every colour block of the main level whose first
// endpoint is not greater than the second into the equivalent block with the endpoints in
// four-colour order. Returns the number of blocks changed; other textures are left alone.
size_t RepairDxtColourBlocks(std::span<uint8_t> file);

}  // namespace corvane
