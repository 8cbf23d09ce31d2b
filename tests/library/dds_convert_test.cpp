#include <FreeImage.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "dxt_repair.h"
#include "operations.h"
#include "scratch_files.h"
#include "write_fault.h"

namespace {

using namespace tftest;
namespace ops = corvane;

// A DDS file made by hand: magic, 124-byte header, then the blocks as given.
Bytes MakeDds(uint32_t width, uint32_t height, const char* fourCc, const Bytes& blocks) {
  Bytes file(128, 0);
  Put32(file, 0, 0x20534444);
  Put32(file, 4, 124);
  Put32(file, 8, 0x1007);  // caps, height, width, pixel format
  Put32(file, 12, height);
  Put32(file, 16, width);
  Put32(file, 76, 32);
  Put32(file, 80, 0x4);  // FourCC
  std::memcpy(&file[84], fourCc, 4);
  Put32(file, 108, 0x1000);
  file.insert(file.end(), blocks.begin(), blocks.end());
  return file;
}

uint16_t Rgb565(int r, int g, int b) { return static_cast<uint16_t>((r << 11) | (g << 5) | b); }

// Colour half of a block: two endpoints, then row after row of 2-bit indices.
Bytes ColourBlock(uint16_t c0, uint16_t c1, std::array<uint8_t, 4> rowIndices) {
  Bytes block(8, 0);
  block[0] = static_cast<uint8_t>(c0);
  block[1] = static_cast<uint8_t>(c0 >> 8);
  block[2] = static_cast<uint8_t>(c1);
  block[3] = static_cast<uint8_t>(c1 >> 8);
  for (int row = 0; row < 4; ++row) {
    uint8_t bits = 0;
    for (int x = 0; x < 4; ++x) bits |= static_cast<uint8_t>(rowIndices[x] << (2 * x));
    block[4 + row] = bits;
  }
  return block;
}

// A DXT5 block: opaque alpha half, then the colour half.
Bytes Dxt5Block(uint16_t c0, uint16_t c1, std::array<uint8_t, 4> rowIndices) {
  Bytes block{0xFF, 0xFF, 0, 0, 0, 0, 0, 0};
  Bytes colour = ColourBlock(c0, c1, rowIndices);
  block.insert(block.end(), colour.begin(), colour.end());
  return block;
}

struct Rgb {
  int r, g, b;
};

Rgb Expand(uint16_t c) {
  const int r = (c >> 11) & 31, g = (c >> 5) & 63, b = c & 31;
  return {(r << 3) | (r >> 2), (g << 2) | (g >> 4), (b << 3) | (b >> 2)};
}

Rgb Mix(Rgb a, Rgb b, int wa, int wb) {
  return {(wa * a.r + wb * b.r) / 3, (wa * a.g + wb * b.g) / 3, (wa * a.b + wb * b.b) / 3};
}

struct BitmapDeleter {
  void operator()(FIBITMAP* b) const { FreeImage_Unload(b); }
};
using Bitmap = std::unique_ptr<FIBITMAP, BitmapDeleter>;

Bitmap LoadImage(const fs::path& path) {
  return Bitmap(FreeImage_Load(FreeImage_GetFileType(path.c_str(), 0), path.c_str(), 0));
}

// Texel x of the image's top row (rows are stored bottom-up).
Rgb TopRowTexel(FIBITMAP* image, unsigned x) {
  Bitmap rgb(FreeImage_ConvertTo24Bits(image));  // palette images have no direct colours
  RGBQUAD q{};
  EXPECT_TRUE(FreeImage_GetPixelColor(rgb.get(), x, FreeImage_GetHeight(rgb.get()) - 1, &q));
  return {q.rgbRed, q.rgbGreen, q.rgbBlue};
}

void ExpectNear(Rgb actual, Rgb expected, const std::string& what, int tolerance = 3) {
  EXPECT_NEAR(actual.r, expected.r, tolerance) << what;
  EXPECT_NEAR(actual.g, expected.g, tolerance) << what;
  EXPECT_NEAR(actual.b, expected.b, tolerance) << what;
}

class DdsConvertTest : public ::testing::Test {
 protected:
  // 8 x 4 DXT1: a red block and a blue one.
  fs::path WriteDxt1() {
    Bytes blocks = ColourBlock(Rgb565(31, 0, 0), Rgb565(0, 0, 0), {0, 0, 0, 0});
    Bytes blue = ColourBlock(Rgb565(0, 0, 31), Rgb565(0, 0, 0), {0, 0, 0, 0});
    blocks.insert(blocks.end(), blue.begin(), blue.end());
    WriteBytes(m_dds, MakeDds(8, 4, "DXT1", blocks));
    return m_dds;
  }
  ScratchFolder m_folder;
  fs::path m_dds = m_folder / "Face.dds";
};

TEST_F(DdsConvertTest, EachFormatIsWrittenBesideTheTextureWithItsSize) {
  WriteDxt1();
  struct Case {
    ops::ImageFormat format;
    const char* suffix;
    FREE_IMAGE_FORMAT fif;
    Bytes signature;
  };
  for (const Case& c : {Case{ops::ImageFormat::Bmp, ".bmp", FIF_BMP, Text("BM")},
                        Case{ops::ImageFormat::Png, ".png", FIF_PNG, Bytes{0x89, 'P', 'N', 'G'}},
                        Case{ops::ImageFormat::Jpg, ".jpg", FIF_JPEG, Bytes{0xFF, 0xD8, 0xFF}},
                        Case{ops::ImageFormat::Gif, ".gif", FIF_GIF, Text("GIF8")}}) {
    ops::ConvertDds(m_dds, c.format);
    const fs::path out = m_folder / (std::string("Face.dds") + c.suffix);
    const Bytes bytes = ReadBytes(out);
    ASSERT_GE(bytes.size(), c.signature.size()) << c.suffix;
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + c.signature.size()), c.signature) << c.suffix;
    EXPECT_EQ(FreeImage_GetFileType(out.c_str(), 0), c.fif) << c.suffix;
    Bitmap image = LoadImage(out);
    ASSERT_TRUE(image) << c.suffix;
    EXPECT_EQ(FreeImage_GetWidth(image.get()), 8u) << c.suffix;
    EXPECT_EQ(FreeImage_GetHeight(image.get()), 4u) << c.suffix;
    const int tolerance = c.fif == FIF_JPEG ? 24 : 3;  // JPEG is lossy
    ExpectNear(TopRowTexel(image.get(), 0), {255, 0, 0}, c.suffix, tolerance);
    ExpectNear(TopRowTexel(image.get(), 7), {0, 0, 255}, c.suffix, tolerance);
  }
  EXPECT_EQ(FreeImage_GetBPP(LoadImage(m_folder / "Face.dds.gif").get()), 8u);
  EXPECT_EQ(m_folder.Names(), (std::vector<std::string>{"Face.dds", "Face.dds.bmp", "Face.dds.gif",
                                                        "Face.dds.jpg", "Face.dds.png"}));
}

TEST_F(DdsConvertTest, SizesThatAreNotWholeBlocksAreKept) {
  Bytes blocks = ColourBlock(Rgb565(31, 0, 0), 0, {0, 0, 0, 0});
  const Bytes blue = ColourBlock(Rgb565(0, 0, 31), 0, {0, 0, 0, 0});
  blocks.insert(blocks.end(), blue.begin(), blue.end());
  const Bytes dds = MakeDds(6, 2, "DXT1", blocks);
  WriteBytes(m_dds, dds);
  ops::ConvertDds(m_dds, ops::ImageFormat::Bmp);
  Bitmap image = LoadImage(m_folder / "Face.dds.bmp");
  ASSERT_TRUE(image);
  EXPECT_EQ(FreeImage_GetWidth(image.get()), 6u);
  EXPECT_EQ(FreeImage_GetHeight(image.get()), 2u);
  ExpectNear(TopRowTexel(image.get(), 0), {255, 0, 0}, "first block");
  ExpectNear(TopRowTexel(image.get(), 5), {0, 0, 255}, "partial second block");
  EXPECT_EQ(ReadBytes(m_dds), dds);
}

TEST_F(DdsConvertTest, TrailingBytesBehindTheTextureChangeNothing) {
  WriteDxt1();
  ops::ConvertDds(m_dds, ops::ImageFormat::Png);
  const Bytes alone = ReadBytes(m_folder / "Face.dds.png");
  Bytes withTail = ReadBytes(m_dds);
  const Bytes second = MakeDds(4, 4, "DXT5", Dxt5Block(1, 2, {3, 3, 3, 3}));
  withTail.insert(withTail.end(), second.begin(), second.end());
  withTail.resize(withTail.size() + 500, 0);
  WriteBytes(m_dds, withTail);
  ops::ConvertDds(m_dds, ops::ImageFormat::Png);
  EXPECT_EQ(ReadBytes(m_folder / "Face.dds.png"), alone);
}

TEST_F(DdsConvertTest, UndecodableInputsFailNamingTheFileAndLeaveNoOutput) {
  const fs::path missing = m_folder / "missing.dds";
  EXPECT_FAILURE(ops::ConvertDds(missing, ops::ImageFormat::Bmp), missing.string());

  WriteBytes(m_dds, Text("this is no texture at all, just some text that goes on for a while"));
  EXPECT_FAILURE(ops::ConvertDds(m_dds, ops::ImageFormat::Bmp), "Not a DDS texture");

  WriteBytes(m_dds, MakeDds(64, 64, "DXT5", Dxt5Block(1, 2, {0, 1, 2, 3})));  // 1 of 256 blocks
  EXPECT_FAILURE(ops::ConvertDds(m_dds, ops::ImageFormat::Png), "truncated");

  WriteBytes(m_dds, MakeDds(4, 4, "ATI2", Bytes(16, 0)));
  EXPECT_FAILURE(ops::ConvertDds(m_dds, ops::ImageFormat::Jpg), "Face.dds");

  WriteBytes(m_dds, MakeDds(0, 4, "DXT1", Bytes(8, 0)));
  EXPECT_FAILURE(ops::ConvertDds(m_dds, ops::ImageFormat::Gif), "without pixels");

  EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"Face.dds"});
}

// DXT5 at 2^32 - 1 square and 32-bit RGB at 2^31 square need 2^64 bytes, which wraps to 0.
TEST_F(DdsConvertTest, ABareHeaderWhoseSizeWrapsIsTruncatedInEveryFormat) {
  Bytes rgb = MakeDds(0x80000000, 0x80000000, "\0\0\0\0", {});
  Put32(rgb, 80, 0x40);  // RGB
  Put32(rgb, 88, 32);
  for (const Bytes& dds : {MakeDds(0xFFFFFFFF, 0xFFFFFFFF, "DXT5", {}), rgb}) {
    WriteBytes(m_dds, dds);
    for (ops::ImageFormat format : {ops::ImageFormat::Bmp, ops::ImageFormat::Png,
                                    ops::ImageFormat::Jpg, ops::ImageFormat::Gif})
      EXPECT_FAILURE(ops::ConvertDds(m_dds, format), "truncated: '" + m_dds.string() + "'");
  }
  EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"Face.dds"});
}

TEST_F(DdsConvertTest, AFailedConversionKeepsTheEarlierOutput) {
  WriteBytes(m_folder / "Face.dds.bmp", Text("earlier preview"));
  WriteBytes(m_dds, Text("DDS but far too short"));
  EXPECT_FAILURE(ops::ConvertDds(m_dds, ops::ImageFormat::Bmp), "Face.dds");
  EXPECT_EQ(ReadBytes(m_folder / "Face.dds.bmp"), Text("earlier preview"));
}

TEST_F(DdsConvertTest, AFullDiskFailsEveryFormatAndKeepsTheEarlierOutput) {
  WriteDxt1();
  for (const char* suffix : {".bmp", ".png", ".jpg", ".gif"})
    WriteBytes(m_folder / (std::string("Face.dds") + suffix), Text("earlier preview"));
  const std::vector<std::string> before = m_folder.Names();
  for (auto [format, suffix] :
       {std::pair{ops::ImageFormat::Bmp, ".bmp"}, std::pair{ops::ImageFormat::Png, ".png"},
        std::pair{ops::ImageFormat::Jpg, ".jpg"}, std::pair{ops::ImageFormat::Gif, ".gif"}}) {
    files::WriteFaultScope fault(10);
    EXPECT_FAILURE(ops::ConvertDds(m_dds, format),
                   "Cannot write '" + (m_folder / "Face.dds").string() + suffix + "': No space");
  }
  for (const char* suffix : {".bmp", ".png", ".jpg", ".gif"})
    EXPECT_EQ(ReadBytes(m_folder / (std::string("Face.dds") + suffix)), Text("earlier preview"));
  EXPECT_EQ(m_folder.Names(), before) << "no temporary file is left";
}

// One DXT5 block with indices 0, 1, 2, 3 across each row, decoded against the colours it defines.
class DxtRepairTest : public DdsConvertTest {
 protected:
  void ExpectTrueColours(uint16_t c0, uint16_t c1) {
    const Bytes dds = MakeDds(4, 4, "DXT5", Dxt5Block(c0, c1, {0, 1, 2, 3}));
    WriteBytes(m_dds, dds);
    ops::ConvertDds(m_dds, ops::ImageFormat::Png);
    EXPECT_EQ(ReadBytes(m_dds), dds) << "the texture file is never changed";
    Bitmap image = LoadImage(m_folder / "Face.dds.png");
    ASSERT_TRUE(image);
    const Rgb a = Expand(c0), b = Expand(c1);
    ExpectNear(TopRowTexel(image.get(), 0), a, "index 0");
    ExpectNear(TopRowTexel(image.get(), 1), b, "index 1");
    ExpectNear(TopRowTexel(image.get(), 2), Mix(a, b, 2, 1), "index 2");
    ExpectNear(TopRowTexel(image.get(), 3), Mix(a, b, 1, 2), "index 3");
  }
};

TEST_F(DxtRepairTest, FirstEndpointGreater) {
  ExpectTrueColours(Rgb565(31, 40, 0), Rgb565(0, 20, 31));
}

TEST_F(DxtRepairTest, FirstEndpointSmallerIndexThreeIsNotBlack) {
  ExpectTrueColours(Rgb565(0, 20, 31), Rgb565(31, 40, 0));
}

TEST_F(DxtRepairTest, EqualEndpoints) { ExpectTrueColours(Rgb565(10, 50, 20), Rgb565(10, 50, 20)); }

TEST(RepairDxtColourBlocks, RewritesOnlyThreeColourOrderBlocksWithinTheFile) {
  const uint16_t lo = Rgb565(0, 0, 31), hi = Rgb565(31, 0, 0);
  Bytes blocks = Dxt5Block(lo, hi, {0, 1, 2, 3});
  const Bytes ordered = Dxt5Block(hi, lo, {0, 1, 2, 3});
  blocks.insert(blocks.end(), ordered.begin(), ordered.end());
  Bytes dds = MakeDds(8, 4, "DXT5", blocks);
  EXPECT_EQ(ops::RepairDxtColourBlocks(dds), 1u);
  EXPECT_EQ(Bytes(dds.begin() + 128, dds.begin() + 144), Dxt5Block(hi, lo, {1, 0, 3, 2}));
  EXPECT_EQ(Bytes(dds.begin() + 144, dds.end()), ordered);

  Bytes dxt1 = MakeDds(4, 4, "DXT1", ColourBlock(lo, hi, {0, 1, 2, 3}));
  const Bytes dxt1Before = dxt1;
  EXPECT_EQ(ops::RepairDxtColourBlocks(dxt1), 0u) << "DXT1 keeps its three-colour mode";
  EXPECT_EQ(dxt1, dxt1Before);

  // A header that promises far more blocks than the file holds: only whole held blocks.
  Bytes truncated = MakeDds(4096, 4096, "DXT3", blocks);
  truncated.resize(truncated.size() - 3);
  EXPECT_EQ(ops::RepairDxtColourBlocks(truncated), 1u);
  Bytes tiny = Bytes{'D', 'D', 'S', ' ', 124};
  EXPECT_EQ(ops::RepairDxtColourBlocks(tiny), 0u);
}

}  // namespace
