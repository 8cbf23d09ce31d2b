// The face file's bump offset: an unsigned 32-bit little-endian value at byte offset 44 of the
// unpacked face file, where the bump texture (always the last block) begins.
#pragma once

#include <cstdint>
#include <filesystem>

#include <QString>

namespace texel {

inline constexpr int64_t kBumpOffsetField = 44;

// The text for FB: the field's value + 1 (the bump texture's 1-based position). Missing bytes
// of a file shorter than 48 bytes count as zero.
QString ReadBumpOffset(const std::filesystem::path& unpackedFace);
// "Face.bin.unzlib" in `faceFolder` becomes its content followed by "Bump.dds", with the field
// set to where the bump texture now begins.
void AppendBumpToFace(const std::filesystem::path& faceFolder);
// Bytes 44 to 47 of the file get `offset`; nothing else changes.
void WriteBumpOffset(const std::filesystem::path& unpackedFace, uint32_t offset);

}  // namespace texel
