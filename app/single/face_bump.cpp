#include "face_bump.h"

#include <array>
#include <limits>
#include <vector>

#include "byte_range.h"
#include "single_texture_steps.h"

namespace texel {

namespace {
constexpr int32_t kFieldPosition = kBumpOffsetField + 1;  // 1-based
constexpr const char* kUnpackedFace = "Face.bin.unzlib";
constexpr const char* kBumpTexture = "Bump.dds";
}  // namespace

QString ReadBumpOffset(const fs::path& unpackedFace) {
  corvane::BinaryFile file(unpackedFace, corvane::BinaryFile::Mode::ReadOnly);
  const std::vector<uint8_t> field = corvane::ReadBlock(file, kFieldPosition, 4);
  const uint64_t offset = uint64_t{field[0]} | uint64_t{field[1]} << 8 | uint64_t{field[2]} << 16 |
                          uint64_t{field[3]} << 24;
  return QString::number(offset + 1);
}

void AppendBumpToFace(const fs::path& faceFolder) {
  const fs::path unpacked = faceFolder / kUnpackedFace;
  const std::vector<uint8_t> bump = ReadWholeFile(faceFolder / kBumpTexture);
  if (bump.empty()) throw StepFailure("The kept bump texture \"Bump.dds\" is empty.");
  std::vector<uint8_t> face = ReadWholeFile(unpacked);
  const size_t n = face.size();
  if (n + bump.size() > std::numeric_limits<uint32_t>::max()) {
    throw StepFailure("The rebuilt face file is too large for its bump offset field.");
  }
  face.insert(face.end(), bump.begin(), bump.end());
  WriteWholeFile(unpacked, face);
  WriteBumpOffset(unpacked, static_cast<uint32_t>(n));
}

void WriteBumpOffset(const fs::path& unpackedFace, uint32_t offset) {
  const std::array<uint8_t, 4> field = {
      static_cast<uint8_t>(offset), static_cast<uint8_t>(offset >> 8),
      static_cast<uint8_t>(offset >> 16), static_cast<uint8_t>(offset >> 24)};
  corvane::BinaryFile file(unpackedFace, corvane::BinaryFile::Mode::ReadWrite);
  corvane::WriteBlock(file, kFieldPosition, field);
  file.Close();
}

}  // namespace texel
