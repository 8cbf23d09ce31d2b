#include "single_texture_steps.h"

#include <gtest/gtest.h>

#include "game_files.h"
#include "temp_folder.h"

namespace texel {
namespace {

using fixtures::Bytes;
using fixtures::ReadFile;
using fixtures::WriteFile;
using testing_support::FileNames;
using testing_support::TempFolder;

Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes Le32(uint32_t v) {
  return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v >> 16),
          static_cast<uint8_t>(v >> 24)};
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

class DdsSpliceTest : public ::testing::Test {
 protected:
  TempFolder folder;
  fs::path work = folder / "work.bin";
  fs::path texture = folder / "new.dds";
};

TEST_F(DdsSpliceTest, KeepsTheHeadAndDropsEverythingFromTheFirstMarkerOn) {
  WriteFile(work, Join({Text("HEAD+"), Text("DDS old texture DDS again")}));
  WriteFile(texture, Text("DDS new"));
  ASSERT_TRUE(DdsSplice(work, texture));
  EXPECT_EQ(ReadFile(work), Text("HEAD+DDS new"));
  EXPECT_EQ(FileNames(folder.Path()), (std::set<std::string>{"work.bin", "new.dds"}));
}

TEST_F(DdsSpliceTest, MarkerAtPositionOneLeavesExactlyTheNewTexture) {
  WriteFile(work, Text("DDS a much longer old texture than the new one"));
  WriteFile(texture, Text("DDS n"));
  ASSERT_TRUE(DdsSplice(work, texture));
  EXPECT_EQ(ReadFile(work), Text("DDS n"));
}

TEST_F(DdsSpliceTest, FindsTheMarkerAtAnOddOffset) {
  WriteFile(work, Text("12345DDS xyz"));
  WriteFile(texture, Text("NEW"));
  ASSERT_TRUE(DdsSplice(work, texture));
  EXPECT_EQ(ReadFile(work), Text("12345NEW"));
}

TEST_F(DdsSpliceTest, WithoutAMarkerTellsTheCallerAndLeavesTheFileAlone) {
  for (const std::string& content :
       {std::string(), std::string("DDS"), std::string("no marker"), std::string("xxDDS")}) {
    WriteFile(work, Text(content));
    WriteFile(texture, Text("DDS new"));
    EXPECT_FALSE(DdsSplice(work, texture)) << content;
    EXPECT_EQ(ReadFile(work), Text(content));
  }
}

TEST_F(DdsSpliceTest, AnEmptyOrMissingTextureFailsBeforeTheWorkFileChanges) {
  const Bytes original = Text("HEADDDS old");
  WriteFile(work, original);
  WriteFile(texture, {});
  EXPECT_THROW(DdsSplice(work, texture), StepFailure);
  EXPECT_EQ(ReadFile(work), original);
  fs::remove(texture);
  EXPECT_THROW(DdsSplice(work, texture), std::exception);
  EXPECT_EQ(ReadFile(work), original);
  EXPECT_EQ(FileNames(folder.Path()), (std::set<std::string>{"work.bin"}));
}

class ScanTest : public ::testing::Test {
 protected:
  TempFolder folder;
  fs::path file = folder / "scan.bin";

  void Place(size_t size, std::initializer_list<std::pair<size_t, Bytes>> items) {
    Bytes bytes(size, 0x11);
    for (const auto& [offset, value] : items) {
      std::copy(value.begin(), value.end(), bytes.begin() + static_cast<long>(offset));
    }
    WriteFile(file, bytes);
  }
};

TEST_F(ScanTest, HdSizeValuesCountAtAnyOffsetUpToTheLastFourBytes) {
  for (uint32_t value : {1048720u, 1048704u}) {
    for (size_t offset : {0u, 7u, 96u}) {
      Place(100, {{offset, Le32(value)}});
      EXPECT_TRUE(HoldsHdSizeValue(file)) << value << " at " << offset;
    }
  }
  Place(100, {{97, Bytes{0x90, 0x00, 0x10}}});  // cut short by the end of the file
  EXPECT_FALSE(HoldsHdSizeValue(file));
  Place(100, {{10, Le32(87544)}, {20, Le32(87528)}, {30, Le32(349680)}});
  EXPECT_FALSE(HoldsHdSizeValue(file));
  Place(3, {});
  EXPECT_FALSE(HoldsHdSizeValue(file));
}

TEST_F(ScanTest, FaceAndHairSeeEvenOffsetsOnlyAndTheLastMatchWins) {
  Place(1200, {{84, Text("DXT5")}, {1000, Text("DXT1")}});
  EXPECT_EQ(ScanDxtType(file, FourCcStride::EvenOffsets), QString("DXT - 1"));
  Place(1200, {{84, Text("DXT3")}, {1001, Text("DXT1")}});
  EXPECT_EQ(ScanDxtType(file, FourCcStride::EvenOffsets), QString("DXT - 3"));
  Place(1200, {{85, Text("DXT5")}});
  EXPECT_EQ(ScanDxtType(file, FourCcStride::EvenOffsets), std::nullopt);
  Place(100, {{96, Text("DXT2")}});
  EXPECT_EQ(ScanDxtType(file, FourCcStride::EvenOffsets), QString("DXT - 2"));
}

TEST_F(ScanTest, TurfSeesEveryOffset) {
  Place(1200, {{84, Text("DXT1")}, {999, Text("DXT5")}});
  EXPECT_EQ(ScanDxtType(file, FourCcStride::EveryOffset), QString("DXT - 5"));
  Place(1200, {{85, Text("DXT4")}});
  EXPECT_EQ(ScanDxtType(file, FourCcStride::EveryOffset), QString("DXT - 4"));
}

TEST_F(ScanTest, OnlyDxtOneToFiveAreTypes) {
  Place(100, {{0, Text("DXT0")}, {8, Text("DXT6")}, {16, Text("DXT ")}});
  EXPECT_EQ(ScanDxtType(file, FourCcStride::EveryOffset), std::nullopt);
  Place(2, {});
  EXPECT_EQ(ScanDxtType(file, FourCcStride::EveryOffset), std::nullopt);
}

}  // namespace
}  // namespace texel
