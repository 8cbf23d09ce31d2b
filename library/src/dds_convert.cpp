// DDS textures to BMP, PNG, JPEG and GIF files through the image library.
#include <FreeImage.h>

#include <cstdint>
#include <limits>
#include <memory>
#include <string>

#include "dxt_repair.h"
#include "failure.h"
#include "operations.h"
#include "whole_file.h"

namespace corvane {

namespace {

struct BitmapDeleter {
  void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using Bitmap = std::unique_ptr<FIBITMAP, BitmapDeleter>;

struct MemoryDeleter {
  void operator()(FIMEMORY* memory) const { FreeImage_CloseMemory(memory); }
};
using Memory = std::unique_ptr<FIMEMORY, MemoryDeleter>;

struct Target {
  FREE_IMAGE_FORMAT format;
  const char* suffix;
};

Target TargetOf(ImageFormat format) {
  switch (format) {
    case ImageFormat::Bmp:
      return {FIF_BMP, ".bmp"};
    case ImageFormat::Png:
      return {FIF_PNG, ".png"};
    case ImageFormat::Jpg:
      return {FIF_JPEG, ".jpg"};
    case ImageFormat::Gif:
      return {FIF_GIF, ".gif"};
  }
  throw Failure(kInvalidArgument, "Unknown image format");
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

void WriteUint32(std::span<uint8_t> bytes, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Refuses what the image library would misread: no DDS head, an empty image, a pixel format it
// does not decode, or less data than the main level needs.
DdsInfo RequireDecodable(std::span<const uint8_t> bytes, const fs::path& dds) {
  const std::optional<DdsInfo> info = ReadDdsHeader(bytes);
  if (!info) throw Failure(kInvalidArgument, "Not a DDS texture: " + Quoted(dds));
  if (info->width == 0 || info->height == 0)
    throw Failure(kInvalidArgument, "DDS texture without pixels: " + Quoted(dds));
  const std::optional<uint64_t> needed = MainLevelSize(*info);
  if (!needed) throw Failure(kInvalidArgument, "Unsupported DDS pixel format: " + Quoted(dds));
  if (bytes.size() - kDdsDataOffset < *needed)
    throw Failure(kInvalidArgument, "DDS texture is truncated: " + Quoted(dds));
  if (bytes.size() > std::numeric_limits<DWORD>::max())
    throw Failure(kInvalidArgument, "DDS file too large: " + Quoted(dds));
  return *info;
}

// The image library decodes whole 4 x 4 blocks only and drops a partial last column or row of
// them; it is handed the size rounded up to whole blocks (the data is laid out so anyway) and
// the image is cut back to the texture's own size afterwards.
bool RoundUpToWholeBlocks(std::span<uint8_t> bytes, const DdsInfo& info) {
  if (!(info.pixelFlags & kDdpfFourCc) || (info.pixelFlags & kDdpfRgb)) return false;
  constexpr uint32_t kBlockSide = 4;
  if (info.width % kBlockSide == 0 && info.height % kBlockSide == 0) return false;
  // The cut back takes int sides: a block texture that wide needs more data than a file may hold.
  constexpr uint32_t kMostSide = std::numeric_limits<int>::max() - kBlockSide;
  if (info.width > kMostSide || info.height > kMostSide) return false;
  WriteUint32(bytes, kDdsWidthOffset, (info.width + kBlockSide - 1) / kBlockSide * kBlockSide);
  WriteUint32(bytes, kDdsHeightOffset, (info.height + kBlockSide - 1) / kBlockSide * kBlockSide);
  return true;
}

// JPEG takes 24-bit pixels only, GIF an 8-bit palette.
Bitmap PrepareFor(ImageFormat format, Bitmap image) {
  if (format != ImageFormat::Jpg && format != ImageFormat::Gif) return image;
  Bitmap rgb(FreeImage_ConvertTo24Bits(image.get()));
  if (!rgb || format == ImageFormat::Jpg) return rgb;
  return Bitmap(FreeImage_ColorQuantize(rgb.get(), FIQ_WUQUANT));
}

}  // namespace

void ConvertDds(const fs::path& dds, ImageFormat format) {
  const Target target = TargetOf(format);
  std::vector<uint8_t> bytes = ReadWholeFile(dds);
  const DdsInfo info = RequireDecodable(bytes, dds);
  // Both changes are made to our copy only; the file stays as it is.
  RepairDxtColourBlocks(bytes);
  const bool rounded = RoundUpToWholeBlocks(bytes, info);

  Memory memory(FreeImage_OpenMemory(bytes.data(), static_cast<DWORD>(bytes.size())));
  if (!memory) throw Failure(kUnspecifiedFailure, "Cannot read DDS texture " + Quoted(dds));
  Bitmap image(FreeImage_LoadFromMemory(FIF_DDS, memory.get(), 0));
  if (!image) throw Failure(kInvalidArgument, "Cannot decode DDS texture " + Quoted(dds));
  if (rounded) {
    image = Bitmap(FreeImage_Copy(image.get(), 0, 0, static_cast<int>(info.width),
                                  static_cast<int>(info.height)));
    if (!image) throw Failure(kUnspecifiedFailure, "Cannot cut the image of " + Quoted(dds));
  }
  image = PrepareFor(format, std::move(image));
  if (!image) throw Failure(kUnspecifiedFailure, "Cannot convert the pixels of " + Quoted(dds));

  // Encoded in memory, then written with one checked write: the image library does not report
  // a file write that fails, and a full disk would leave a cut-off image under the output name.
  const fs::path output = SuffixedOutputName(dds, target.suffix);
  Memory encoded(FreeImage_OpenMemory());
  BYTE* data = nullptr;
  DWORD size = 0;
  if (!encoded || !FreeImage_SaveToMemory(target.format, image.get(), encoded.get(), 0) ||
      !FreeImage_AcquireMemory(encoded.get(), &data, &size))
    throw Failure(kUnspecifiedFailure, "Cannot encode the image for " + Quoted(output));
  WriteFileReplacing(output, OldTarget::DroppedFirst, {std::span<const uint8_t>(data, size)});
}

}  // namespace corvane
