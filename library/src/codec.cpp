// Packed-container codec: zlib on byte arrays, the sized-zlib file and the container head.
#include <zlib.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "byte_range.h"
#include "failure.h"
#include "operations.h"
#include "whole_file.h"

namespace corvane {

namespace {

// SizedZlibFile: a 32-bit payload length, then one zlib stream.
constexpr size_t kSizeFieldLength = 4;

// PackedContainer head: 00 01, 01, "WESYS", then the length of the SizedZlibFile behind it.
constexpr std::array<uint8_t, 8> kContainerSignature = {0x00, 0x01, 0x01, 'W', 'E', 'S', 'Y', 'S'};
constexpr size_t kContainerLengthOffset = 8;
constexpr size_t kContainerHeadLength = 12;

// Deflate cannot expand more than 1032:1 (258 bytes per two bits); a little slack covers the
// stream's framing and the smallest streams.
constexpr uint64_t kMaxInflateRatio = 1032;
constexpr uint64_t kInflateSlack = 1024;

std::string ZlibText(int rc) {
  switch (rc) {
    case Z_MEM_ERROR:
      return "out of memory";
    case Z_BUF_ERROR:
      return "buffer too small";
    case Z_DATA_ERROR:
      return "corrupt or incomplete stream";
    default:
      return "zlib error " + std::to_string(rc);
  }
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

}  // namespace

uint64_t CompressCapacity(uint64_t n) {
  // Default rounding mode: to nearest, a half to the even neighbour.
  double capacity = static_cast<double>(n) * 0.01 + static_cast<double>(n) + 12.0;
  return static_cast<uint64_t>(std::nearbyint(capacity));
}

std::vector<uint8_t> CompressBytes(std::span<const uint8_t> data) {
  const uint64_t capacity = CompressCapacity(data.size());
  std::vector<uint8_t> buffer(static_cast<size_t>(capacity) + 1);
  uLongf destLength = static_cast<uLongf>(capacity);
  int rc = compress(buffer.data(), &destLength, data.data(), static_cast<uLong>(data.size()));
  if (rc != Z_OK)
    throw Failure(kUnspecifiedFailure,
                  "Cannot compress " + std::to_string(data.size()) + " bytes: " + ZlibText(rc));
  buffer.resize(destLength);
  return buffer;
}

std::vector<uint8_t> UncompressBytes(std::span<const uint8_t> stream, uint32_t expectedSize) {
  const uint64_t most = static_cast<uint64_t>(stream.size()) * kMaxInflateRatio + kInflateSlack;
  if (expectedSize > most)
    throw Failure(kInvalidArgument, "Stored size " + std::to_string(expectedSize) +
                                        " is more than a stream of " +
                                        std::to_string(stream.size()) + " bytes can hold");
  if (stream.empty()) throw Failure(kInvalidArgument, "No compressed stream");
  // One spare byte tells a stream that inflates to more than the stored size.
  std::vector<uint8_t> payload(static_cast<size_t>(expectedSize) + 1);
  uLongf produced = static_cast<uLongf>(payload.size());
  uLong consumed = static_cast<uLong>(stream.size());
  int rc = uncompress2(payload.data(), &produced, stream.data(), &consumed);
  if (rc == Z_BUF_ERROR)
    throw Failure(kInvalidArgument,
                  "Stream inflates to more than the stored size " + std::to_string(expectedSize));
  if (rc != Z_OK) throw Failure(kInvalidArgument, "Cannot inflate: " + ZlibText(rc));
  if (produced != expectedSize)
    throw Failure(kInvalidArgument, "Stream inflates to " + std::to_string(produced) +
                                        " bytes, not the stored size " +
                                        std::to_string(expectedSize));
  payload.resize(expectedSize);
  return payload;
}

void CompressFile(const fs::path& source, const fs::path& destination) {
  std::vector<uint8_t> payload = ReadWholeFile(source);
  if (payload.empty())
    throw Failure(kInvalidArgument, "Cannot compress empty file " + Quoted(source));
  if (payload.size() > std::numeric_limits<uint32_t>::max())
    throw Failure(kInvalidArgument, "File too large to compress: " + Quoted(source));
  std::vector<uint8_t> stream;
  try {
    stream = CompressBytes(payload);
  } catch (const Failure& f) {
    throw Failure(f.Code(), std::string(f.what()) + " of " + Quoted(source));
  }
  std::array<uint8_t, kSizeFieldLength> size{};
  WriteInt32LE(size.data(), static_cast<int32_t>(static_cast<uint32_t>(payload.size())));
  WriteFileReplacing(destination, OldTarget::DroppedFirst, {size, stream});
}

void UncompressFile(const fs::path& compressed, const fs::path& uncompressed) {
  std::vector<uint8_t> bytes = ReadWholeFile(compressed);
  if (bytes.size() < kSizeFieldLength)
    throw Failure(kInvalidArgument,
                  "Cannot uncompress " + Quoted(compressed) + ": too short to hold a stored size");
  const uint32_t storedSize = static_cast<uint32_t>(ReadInt32LE(bytes.data()));
  std::vector<uint8_t> payload;
  try {
    payload = UncompressBytes(std::span(bytes).subspan(kSizeFieldLength), storedSize);
  } catch (const Failure& f) {
    throw Failure(f.Code(), "Cannot uncompress " + Quoted(compressed) + ": " + f.what());
  }
  WriteFileReplacing(uncompressed, OldTarget::DroppedFirst, {payload});
}

void WriteUnpackTemp(const fs::path& packed, const fs::path& temp) {
  std::vector<uint8_t> bytes = ReadWholeFile(packed);
  if (bytes.empty()) throw Failure(kInvalidArgument, "Cannot unpack empty file " + Quoted(packed));
  // The file from offset 12 on, then zeros up to its own length: the head is skipped, not read.
  const size_t n = bytes.size();
  if (n > kContainerHeadLength)
    std::memmove(bytes.data(), bytes.data() + kContainerHeadLength, n - kContainerHeadLength);
  const size_t kept = n > kContainerHeadLength ? n - kContainerHeadLength : 0;
  std::memset(bytes.data() + kept, 0, n - kept);
  WriteFileReplacing(temp, OldTarget::DroppedFirst, {bytes});
}

void WrapPackedContainer(const fs::path& zlibFile) {
  std::vector<uint8_t> sized = ReadWholeFile(zlibFile);
  if (sized.size() > std::numeric_limits<uint32_t>::max())
    throw Failure(kInvalidArgument, "File too large to pack: " + Quoted(zlibFile));
  std::array<uint8_t, kContainerHeadLength> head{};
  std::memcpy(head.data(), kContainerSignature.data(), kContainerSignature.size());
  WriteInt32LE(head.data() + kContainerLengthOffset,
               static_cast<int32_t>(static_cast<uint32_t>(sized.size())));
  WriteFileReplacing(zlibFile, OldTarget::DroppedFirst, {head, sized});
}

void CheckPackInput(const fs::path& path) {
  BinaryFile file(path, BinaryFile::Mode::ReadOnly);
  if (file.Length() == 0) throw Failure(kInvalidArgument, "Cannot pack empty file " + Quoted(path));
}

}  // namespace corvane
