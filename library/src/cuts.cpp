// Cut, replace and splice: byte ranges of whole files located by 32-bit markers.
#include <cstring>
#include <limits>
#include <string>

#include "byte_range.h"
#include "failure.h"
#include "operations.h"
#include "whole_file.h"

namespace corvane {

namespace {

constexpr int32_t kFirstPosition = 1;
constexpr size_t kValueSize = 4;
constexpr const char* kSpliceMarkerMissing = "One Of The File Not Found";

// A marker as the user knows it: its four characters as they stand in the file ("DDS "), or
// its number when they are not all printable.
std::string MarkerText(int32_t marker) {
  uint8_t bytes[kValueSize];
  WriteInt32LE(bytes, marker);
  std::string text;
  for (uint8_t b : bytes) {
    if (b < 0x20 || b > 0x7E) return std::to_string(marker);
    text += static_cast<char>(b);
  }
  return "\"" + text + "\"";
}

// What a file lacks without the marker, in the words of the one who opened it.
std::string WithoutMarker(int32_t marker) {
  switch (marker) {
    case kDdsMagic:
      return "holds no DDS texture";
    case kModelSectionMagic:
      return "holds no model section (no \"KTMD\")";
    case kBootHeadEnd:
      return "has no end-of-head mark";
    default:
      return "holds no " + MarkerText(marker) + " marker";
  }
}

// Position of the marker from the start of the file; fails naming both when it is absent.
int32_t RequireMarker(BinaryFile& file, int32_t marker) {
  int32_t position = FindLong(file, kFirstPosition, marker);
  if (position == 0)
    throw Failure(kUnspecifiedFailure, "'" + file.Path().string() + "' " + WithoutMarker(marker));
  return position;
}

int32_t LengthAsCount(BinaryFile& file) {
  const int64_t length = file.Length();
  if (length > std::numeric_limits<int32_t>::max())
    throw Failure(kInvalidArgument, "File too large: '" + file.Path().string() + "'");
  return static_cast<int32_t>(length);
}

}  // namespace

void ExportStartFile2Data(const fs::path& file, const fs::path& newFile, int32_t searchData) {
  std::vector<uint8_t> piece;
  {
    BinaryFile in(file, BinaryFile::Mode::ReadOnly);
    const int32_t p = RequireMarker(in, searchData);
    // p bytes: everything before the marker and the marker's first byte.
    piece = ReadBlock(in, kFirstPosition, p);
  }
  WriteFileReplacing(newFile, OldTarget::DroppedFirst, {piece});
}

void ExportData2Data(const fs::path& file, int32_t startData, int32_t finishData,
                     const fs::path& newFile) {
  std::vector<uint8_t> piece;
  {
    BinaryFile in(file, BinaryFile::Mode::ReadOnly);
    const int32_t s = RequireMarker(in, startData);
    const int32_t f = RequireMarker(in, finishData);
    // The count is the finish marker's own position, not its distance from the start marker.
    piece = ReadBlock(in, s, f);
  }
  WriteFileReplacing(newFile, OldTarget::DroppedFirst, {piece});
}

void ExportData2FinishFile(const fs::path& file, int32_t searchData, const fs::path& newFile) {
  std::vector<uint8_t> piece;
  {
    BinaryFile in(file, BinaryFile::Mode::ReadOnly);
    const int32_t p = RequireMarker(in, searchData);
    // The whole file's length from the marker on: the tail, then p - 1 zero bytes.
    piece = ReadBlock(in, p, LengthAsCount(in));
  }
  WriteFileReplacing(newFile, OldTarget::DroppedFirst, {piece});
}

void Replace(const fs::path& file, int32_t searchData, int32_t replaceData) {
  std::vector<uint8_t> bytes = ReadWholeFile(file);
  if (bytes.size() < kValueSize) return;
  uint8_t search[kValueSize];
  uint8_t replacement[kValueSize];
  WriteInt32LE(search, searchData);
  WriteInt32LE(replacement, replaceData);

  // Left to right at every byte; after a hit the scan goes on behind the four written bytes, so
  // bytes still to be examined are always unchanged ones.
  bool changed = false;
  uint8_t* cursor = bytes.data();
  uint8_t* const last = bytes.data() + bytes.size() - kValueSize;
  while (cursor <= last) {
    void* hit = std::memchr(cursor, search[0], static_cast<size_t>(last - cursor) + 1);
    if (hit == nullptr) break;
    uint8_t* at = static_cast<uint8_t*>(hit);
    if (std::memcmp(at, search, kValueSize) == 0) {
      std::memcpy(at, replacement, kValueSize);
      changed = changed || searchData != replaceData;
      cursor = at + kValueSize;
    } else {
      cursor = at + 1;
    }
  }
  if (changed) WriteFileReplacing(file, OldTarget::KeptUntilRename, {bytes});
}

void ReplaceFHTexture(const fs::path& file, const fs::path& replaceFile) {
  std::vector<uint8_t> head;
  {
    BinaryFile in(file, BinaryFile::Mode::ReadOnly);
    const int32_t p = FindLong(in, kFirstPosition, kDdsMagic);
    if (p == 0) throw Failure(kUnspecifiedFailure, kSpliceMarkerMissing);
    if (p > kFirstPosition) head = ReadBlock(in, kFirstPosition, p - 1);
  }
  std::vector<uint8_t> texture = ReadWholeFile(replaceFile);
  if (texture.empty())
    throw Failure(kInvalidArgument, "Replacement file is empty: '" + replaceFile.string() + "'");
  WriteFileReplacing(file, OldTarget::KeptUntilRename, {head, texture});
}

}  // namespace corvane
