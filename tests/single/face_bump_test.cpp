#include "face_bump.h"

#include <gtest/gtest.h>

#include "game_files.h"
#include "single_texture_steps.h"
#include "temp_folder.h"

namespace texel {
namespace {

using fixtures::Bytes;
using fixtures::ReadFile;
using fixtures::WriteFile;
using testing_support::FileNames;
using testing_support::TempFolder;

Bytes FaceWithField(size_t size, Bytes field44) {
  Bytes bytes(size, 0x5A);
  std::copy(field44.begin(), field44.end(), bytes.begin() + 44);
  return bytes;
}

TEST(ReadBumpOffset, GivesTheUnsignedLittleEndianValuePlusOne) {
  TempFolder folder;
  const fs::path face = folder / "Face.bin.unzlib";
  const std::pair<Bytes, const char*> cases[] = {
      {{0xE8, 0x55, 0x01, 0x00}, "87529"},
      {{0x20, 0x30, 0x01, 0x00}, "77857"},  // a blank byte reads like any other
      {{0x20, 0x20, 0x20, 0x20}, "538976289"},
      {{0xFF, 0xFF, 0xFF, 0xFF}, "4294967296"},
      {{0x00, 0x00, 0x00, 0x00}, "1"},
  };
  for (const auto& [field, text] : cases) {
    WriteFile(face, FaceWithField(64, field));
    EXPECT_EQ(ReadBumpOffset(face), QString(text));
  }
  EXPECT_EQ(FileNames(folder.Path()), (std::set<std::string>{"Face.bin.unzlib"}));
}

TEST(ReadBumpOffset, MissingBytesOfAShortFileCountAsZero) {
  TempFolder folder;
  const fs::path face = folder / "Face.bin.unzlib";
  Bytes shortFace(46, 0);
  shortFace[44] = 0x01;
  shortFace[45] = 0x02;
  WriteFile(face, shortFace);
  EXPECT_EQ(ReadBumpOffset(face), QString("514"));
  WriteFile(face, Bytes(10, 0x33));
  EXPECT_EQ(ReadBumpOffset(face), QString("1"));
}

TEST(AppendBumpToFace, AppendsTheBumpTextureAndPointsTheFieldAtIt) {
  TempFolder folder;
  Bytes spliced(1048900, 0x00);
  for (size_t i = 0; i < spliced.size(); ++i) spliced[i] = static_cast<uint8_t>(i * 7);
  const Bytes bump = {'D', 'D', 'S', ' ', 1, 2, 3};
  WriteFile(folder / "Face.bin.unzlib", spliced);
  WriteFile(folder / "Bump.dds", bump);

  AppendBumpToFace(folder.Path());

  const Bytes result = ReadFile(folder / "Face.bin.unzlib");
  ASSERT_EQ(result.size(), spliced.size() + bump.size());
  EXPECT_EQ(Bytes(result.begin() + 44, result.begin() + 48), (Bytes{0x44, 0x01, 0x10, 0x00}));
  // Every other byte is as it was: 40..43 in particular, and the appended tail.
  Bytes expected = spliced;
  expected.insert(expected.end(), bump.begin(), bump.end());
  std::copy(result.begin() + 44, result.begin() + 48, expected.begin() + 44);
  EXPECT_EQ(result, expected);
  EXPECT_EQ(FileNames(folder.Path()), (std::set<std::string>{"Face.bin.unzlib", "Bump.dds"}));
}

TEST(AppendBumpToFace, WithoutABumpTextureFailsAndLeavesTheFaceFile) {
  TempFolder folder;
  const Bytes face = FaceWithField(100, {1, 2, 3, 4});
  WriteFile(folder / "Face.bin.unzlib", face);
  EXPECT_THROW(AppendBumpToFace(folder.Path()), StepFailure);
  WriteFile(folder / "Bump.dds", {});
  EXPECT_THROW(AppendBumpToFace(folder.Path()), StepFailure);
  EXPECT_EQ(ReadFile(folder / "Face.bin.unzlib"), face);
}

TEST(WriteBumpOffset, WritesBytes44To47Only) {
  TempFolder folder;
  const fs::path face = folder / "Face.bin.unzlib";
  Bytes bytes(80, 0xAB);
  WriteFile(face, bytes);
  WriteBumpOffset(face, 0x01020304);
  std::copy_n(Bytes{0x04, 0x03, 0x02, 0x01}.begin(), 4, bytes.begin() + 44);
  EXPECT_EQ(ReadFile(face), bytes);
  EXPECT_EQ(ReadBumpOffset(face), QString::number(0x01020304 + 1));
}

}  // namespace
}  // namespace texel
