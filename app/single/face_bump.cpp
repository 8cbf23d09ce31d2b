#include "face_bump.h"

#include <array>
#include <limits>
#include <vector>

#include "byte_range.h"
#include "tab_steps.h"
#include "whole_file.h"

namespace texel {

namespace {
constexpr int32_t kFieldPosition = kBumpOffsetField + 1;  // 1-based
constexpr const char* kUnpackedFace = "Face.bin.unzlib";
constexpr const char* kBumpTexture = "Bump.dds";
}  // namespace

QString ReadBumpOffset(const fs::path& unpackedFace) {
  corvane::BinaryFile file(unpackedFace, corvane::BinaryFile::Mode::ReadOnly);
  const std::vector<uint8_t> field = corvane::ReadBlock(file, kFieldPosition, 4);
  const uint64_t offset = static_cast<uint32_t>(corvane::ReadInt32LE(field.data()));
  return QString::number(offset + 1);
}

void AppendBumpToFace(const fs::path& faceFolder) {
  const fs::path unpacked = faceFolder / kUnpackedFace;
  RequireNonEmptyFile(faceFolder / kBumpTexture);
  const std::vector<uint8_t> bump = corvane::ReadWholeFile(faceFolder / kBumpTexture);
  const std::vector<uint8_t> face = corvane::ReadWholeFile(unpacked);
  const size_t n = face.size();
  if (n + bump.size() > std::numeric_limits<uint32_t>::max()) {
    throw StepFailure("The rebuilt face file is too large for its bump offset field.");
  }
  corvane::WriteFileReplacing(unpacked, corvane::OldTarget::KeptUntilRename, {face, bump});
  WriteBumpOffset(unpacked, static_cast<uint32_t>(n));
}

void WriteBumpOffset(const fs::path& unpackedFace, uint32_t offset) {
  std::array<uint8_t, 4> field{};
  corvane::WriteInt32LE(field.data(), static_cast<int32_t>(offset));
  corvane::BinaryFile file(unpackedFace, corvane::BinaryFile::Mode::ReadWrite);
  corvane::WriteBlock(file, kFieldPosition, field);
  file.Close();
}

}  // namespace texel
