// DDS textures to BMP, PNG, JPEG and GIF files through the image library.
#include <FreeImage.h>

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

// Refuses what the image library would misread: no DDS head, an empty image, a pixel format it
// does not decode, or less data than the main level needs.
void RequireDecodable(std::span<const uint8_t> bytes, const fs::path& dds) {
  const std::optional<DdsInfo> info = ReadDdsHeader(bytes);
  if (!info) throw Failure(kInvalidArgument, "Not a DDS texture: " + Quoted(dds));
  if (info->width == 0 || info->height == 0)
    throw Failure(kInvalidArgument, "DDS texture without pixels: " + Quoted(dds));
  const std::optional<uint64_t> needed = MainLevelSize(*info);
  if (!needed) throw Failure(kInvalidArgument, "Unsupported DDS pixel format: " + Quoted(dds));
  if (bytes.size() - kDdsDataOffset < *needed)
    throw Failure(kInvalidArgument, "DDS texture is truncated: " + Quoted(dds));
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
  RequireDecodable(bytes, dds);
  RepairDxtColourBlocks(bytes);  // on our copy only; the file stays as it is

  Memory memory(FreeImage_OpenMemory(bytes.data(), static_cast<DWORD>(bytes.size())));
  if (!memory) throw Failure(kUnspecifiedFailure, "Cannot read DDS texture " + Quoted(dds));
  Bitmap image(FreeImage_LoadFromMemory(FIF_DDS, memory.get(), 0));
  if (!image) throw Failure(kInvalidArgument, "Cannot decode DDS texture " + Quoted(dds));
  image = PrepareFor(format, std::move(image));
  if (!image) throw Failure(kUnspecifiedFailure, "Cannot convert the pixels of " + Quoted(dds));

  ReplacingFile output(SuffixedOutputName(dds, target.suffix), OldTarget::DroppedFirst);
  if (!FreeImage_Save(target.format, image.get(), output.TempPath().c_str(), 0))
    throw Failure(kUnspecifiedFailure, "Cannot save " + Quoted(output.Target()));
  output.Commit();
}

}  // namespace corvane
