// The byte-range routines every cut, splice and scan stands on.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "binary_file.h"

namespace corvane {

// Markers, compared little-endian with the four bytes at a position.
inline constexpr int32_t kDdsMagic = 0x20534444;           // "DDS "
inline constexpr int32_t kModelSectionMagic = 0x444D544B;  // "KTMD"
inline constexpr int32_t kChunkMagic = 0x30304557;         // "WE00"
inline constexpr int32_t kBootHeadEnd = -16;               // F0 FF FF FF

// count bytes from 1-based position; bytes past the end come back as zeros. Fails for
// count <= 0 or position <= 0. The file position is restored.
std::vector<uint8_t> ReadBlock(BinaryFile& file, int32_t position, int32_t count);
// Writes bytes at position, growing the file as needed. The file position is restored.
void WriteBlock(BinaryFile& file, int32_t position, std::span<const uint8_t> bytes);
// First 1-based position >= start where value stands (any alignment), or 0. Never fails.
// Leaves the file position behind the last four bytes examined.
int32_t FindLong(BinaryFile& file, int32_t start, int32_t value);

int32_t ReadInt32LE(const uint8_t* bytes);
void WriteInt32LE(uint8_t* bytes, int32_t value);

}  // namespace corvane
