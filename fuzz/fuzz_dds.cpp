// Converts fuzz data as a DDS file to the BMP, PNG, JPEG or GIF its first byte picks: header
// checks, the colour-block repair, the image library's decode and encode. Either the call fails
// with a Failure naming a file and writes nothing, or the image has the texture's size; the
// texture file is never changed. The seeds in fuzz/corpus/fuzz_dds are headers alone whose main
// level needs 2^64 bytes.
#include <FreeImage.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>

#include "dxt_repair.h"
#include "failure.h"
#include "fuzz_folder.h"
#include "operations.h"

namespace {

using namespace tffuzz;
namespace ops = corvane;
using Bytes = std::vector<uint8_t>;

void Put32(Bytes& bytes, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Raw bytes reach the header checks; a made header with small sizes lets most inputs reach
// the block repair and the decode.
Bytes Texture(const uint8_t* data, size_t size) {
  if ((data[0] & 1) == 0 || size < 6) return Bytes(data + 1, data + size);
  static constexpr uint32_t kFourCcs[] = {ops::kFourCcDxt1, ops::kFourCcDxt3, ops::kFourCcDxt5};
  Bytes dds(ops::kDdsDataOffset, 0);
  Put32(dds, 0, static_cast<uint32_t>(ops::kDdsMagic));
  Put32(dds, 4, ops::kDdsHeaderSize);
  Put32(dds, 8, 0x1007);
  Put32(dds, ops::kDdsHeightOffset, 1 + data[1] % 64u);
  Put32(dds, ops::kDdsWidthOffset, 1 + data[2] % 64u);
  Put32(dds, 76, 32);
  if (data[3] % 4 < 3) {
    Put32(dds, ops::kDdsPixelFlagsOffset, ops::kDdpfFourCc);
    Put32(dds, ops::kDdsFourCcOffset, kFourCcs[data[3] % 4]);
  } else {
    Put32(dds, ops::kDdsPixelFlagsOffset, ops::kDdpfRgb | (data[4] & 1));
    Put32(dds, ops::kDdsRgbBitCountOffset, 8u * (data[4] % 5));
    for (size_t i = 0; i < 4; ++i) Put32(dds, 92 + 4 * i, 0xFFu << (8 * ((data[4] >> 1) + i) % 32));
  }
  Put32(dds, 108, 0x1000);
  dds.insert(dds.end(), data + 5, data + size);
  return dds;
}

struct Target {
  ops::ImageFormat format;
  const char* suffix;
  FREE_IMAGE_FORMAT fif;
};

constexpr Target kTargets[] = {{ops::ImageFormat::Bmp, ".bmp", FIF_BMP},
                               {ops::ImageFormat::Png, ".png", FIF_PNG},
                               {ops::ImageFormat::Jpg, ".jpg", FIF_JPEG},
                               {ops::ImageFormat::Gif, ".gif", FIF_GIF}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const Bytes texture = Texture(data, size);
  const fs::path& folder = EmptyFolder();
  const fs::path dds = folder / "Face.dds";
  Write(dds, texture);
  const Target& target = kTargets[(data[0] >> 1) % std::size(kTargets)];
  const fs::path out = ops::SuffixedOutputName(dds, target.suffix);
  bool converted = false;
  try {
    ops::ConvertDds(dds, target.format);
    converted = true;
  } catch (const ops::Failure& failure) {
    Require(failure.Code() < 0 && std::strstr(failure.what(), folder.c_str()) != nullptr);
  }
  Require(Read(dds) == texture);
  // The texture and, after a conversion, its image: no temporary file is left either way.
  const size_t expected = converted ? 2 : 1;
  Require(std::distance(fs::directory_iterator(folder), fs::directory_iterator()) ==
          static_cast<std::ptrdiff_t>(expected));
  if (!converted) return 0;

  const std::optional<ops::DdsInfo> info = ops::ReadDdsHeader(texture);
  Require(info.has_value());
  FIBITMAP* image = FreeImage_Load(target.fif, out.c_str(), 0);
  Require(image != nullptr && FreeImage_GetWidth(image) == info->width &&
          FreeImage_GetHeight(image) == info->height);
  FreeImage_Unload(image);
  return 0;
}
