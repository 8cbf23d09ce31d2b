#include "byte_range.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "failure.h"

namespace corvane {

namespace {

constexpr int64_t kMarkerSize = 4;
// FindLong reads the file in chunks of this size; consecutive chunks overlap by three bytes so
// that a marker straddling a chunk border is still seen.
constexpr size_t kSearchChunk = size_t{1} << 20;

// Restores the file position on every way out.
class PositionGuard {
 public:
  explicit PositionGuard(BinaryFile& file) : m_file(file), m_position(file.Position()) {}
  PositionGuard(const PositionGuard&) = delete;
  PositionGuard& operator=(const PositionGuard&) = delete;
  ~PositionGuard() {
    if (m_restored) return;
    try {
      m_file.Seek(m_position);
    } catch (const Failure&) {
      // Unwinding already: the caller sees the first failure.
    }
  }
  void Restore() {
    m_file.Seek(m_position);
    m_restored = true;
  }

 private:
  BinaryFile& m_file;
  int64_t m_position;
  bool m_restored = false;
};

// Offset of the first four bytes in data equal to pattern, or -1.
int64_t FindInBuffer(const uint8_t* data, size_t size, const uint8_t pattern[4]) {
  if (size < kMarkerSize) return -1;
  const uint8_t* cursor = data;
  const uint8_t* last = data + size - kMarkerSize;  // last start with four whole bytes
  while (cursor <= last) {
    const void* hit = std::memchr(cursor, pattern[0], static_cast<size_t>(last - cursor) + 1);
    if (hit == nullptr) return -1;
    const uint8_t* at = static_cast<const uint8_t*>(hit);
    if (std::memcmp(at + 1, pattern + 1, kMarkerSize - 1) == 0) return at - data;
    cursor = at + 1;
  }
  return -1;
}

}  // namespace

std::vector<uint8_t> ReadBlock(BinaryFile& file, int32_t position, int32_t count) {
  if (count <= 0)
    throw Failure(kInvalidArgument, "Cannot read " + std::to_string(count) + " bytes from '" +
                                        file.Path().string() + "'");
  if (position <= 0)
    throw Failure(kInvalidArgument, "Cannot read at position " + std::to_string(position) +
                                        " of '" + file.Path().string() + "'");
  PositionGuard guard(file);
  std::vector<uint8_t> bytes(static_cast<size_t>(count), 0);
  file.Seek(position);
  size_t filled = 0;
  while (filled < bytes.size()) {
    size_t got = file.Read(bytes.data() + filled, bytes.size() - filled);
    if (got == 0) break;  // past the end: the rest stays zero
    filled += got;
  }
  guard.Restore();
  return bytes;
}

void WriteBlock(BinaryFile& file, int32_t position, std::span<const uint8_t> bytes) {
  if (position <= 0)
    throw Failure(kInvalidArgument, "Cannot write at position " + std::to_string(position) +
                                        " of '" + file.Path().string() + "'");
  PositionGuard guard(file);
  file.Seek(position);
  file.Write(bytes.data(), bytes.size());
  guard.Restore();
}

int32_t FindLong(BinaryFile& file, int32_t start, int32_t value) {
  try {
    const int64_t length = file.Length();
    const int64_t last =
        std::min<int64_t>(length - (kMarkerSize - 1), std::numeric_limits<int32_t>::max());
    const int64_t first = std::max<int32_t>(start, 1);
    if (first > last) return 0;

    uint8_t pattern[4];
    WriteInt32LE(pattern, value);
    std::vector<uint8_t> chunk(std::min<size_t>(kSearchChunk, static_cast<size_t>(length)));
    int64_t chunkStart = first;  // 1-based position of chunk[0]
    while (chunkStart <= last) {
      // Read enough to test every start position in [chunkStart, chunkStart + n - 4].
      const int64_t wanted =
          std::min<int64_t>(static_cast<int64_t>(chunk.size()), last + kMarkerSize - chunkStart);
      file.Seek(chunkStart);
      size_t got = 0;
      while (got < static_cast<size_t>(wanted)) {
        size_t n = file.Read(chunk.data() + got, static_cast<size_t>(wanted) - got);
        if (n == 0) break;
        got += n;
      }
      int64_t hit = FindInBuffer(chunk.data(), got, pattern);
      if (hit >= 0) {
        const int64_t found = chunkStart + hit;
        file.Seek(found + kMarkerSize);
        return static_cast<int32_t>(found);
      }
      if (got < kMarkerSize || static_cast<int64_t>(got) < wanted) break;  // file shrank
      chunkStart += static_cast<int64_t>(got) - (kMarkerSize - 1);
    }
    file.Seek(length + 1);
    return 0;
  } catch (const Failure&) {
    return 0;  // a search never fails: what cannot be read holds no marker
  }
}

int32_t ReadInt32LE(const uint8_t* bytes) {
  uint32_t v = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
               (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
  return static_cast<int32_t>(v);
}

void WriteInt32LE(uint8_t* bytes, int32_t value) {
  uint32_t v = static_cast<uint32_t>(value);
  bytes[0] = static_cast<uint8_t>(v);
  bytes[1] = static_cast<uint8_t>(v >> 8);
  bytes[2] = static_cast<uint8_t>(v >> 16);
  bytes[3] = static_cast<uint8_t>(v >> 24);
}

}  // namespace corvane
