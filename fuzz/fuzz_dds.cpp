// Converts fuzz data as a DDS file to BMP or PNG: header checks, the colour-block repair and the
// image library's decode. Either the call fails with a Failure and writes nothing, or the image
// has the texture's size; the texture file is never changed.
#include <FreeImage.h>

#include <cstddef>
#include <cstdint>
#include <cstring>

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
  Put32(dds, 0, ops::kDdsMagicValue);
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const Bytes texture = Texture(data, size);
  const fs::path dds = Folder() / "Face.dds";
  Write(dds, texture);
  const bool png = (data[0] & 2) != 0;
  const fs::path out = Folder() / (png ? "Face.dds.png" : "Face.dds.bmp");
  fs::remove(out);
  try {
    ops::ConvertDds(dds, png ? ops::ImageFormat::Png : ops::ImageFormat::Bmp);
  } catch (const ops::Failure& failure) {
    Require(failure.Code() < 0 && failure.what()[0] != '\0');
    Require(!fs::exists(out));
  }
  Require(Read(dds) == texture);
  if (!fs::exists(out)) return 0;

  const std::optional<ops::DdsInfo> info = ops::ReadDdsHeader(texture);
  Require(info.has_value());
  FIBITMAP* image = FreeImage_Load(png ? FIF_PNG : FIF_BMP, out.c_str(), 0);
  Require(image != nullptr && FreeImage_GetWidth(image) == info->width &&
          FreeImage_GetHeight(image) == info->height);
  FreeImage_Unload(image);
  return 0;
}
