#include "byte_range.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <random>

#include "planted_names.h"
#include "scratch_files.h"
#include "whole_file.h"

namespace {

using corvane::BinaryFile;
using corvane::FindLong;
using corvane::ReadBlock;
using corvane::WriteBlock;
using namespace tftest;

constexpr int32_t kDds = corvane::kDdsMagic;

class ByteRangeTest : public ::testing::Test {
 protected:
  BinaryFile Open(const Bytes& bytes) {
    WriteBytes(m_folder / "file.bin", bytes);
    return BinaryFile(m_folder / "file.bin", BinaryFile::Mode::ReadWrite);
  }
  ScratchFolder m_folder;
};

Bytes WithMarkerAt(size_t length, std::initializer_list<int32_t> positions) {
  Bytes bytes(length, 0x11);
  for (int32_t p : positions) Put32(bytes, static_cast<size_t>(p - 1), kDds);
  return bytes;
}

int32_t NaiveFind(const Bytes& bytes, int32_t start, int32_t value) {
  for (int64_t p = std::max(start, 1); p + 3 <= static_cast<int64_t>(bytes.size()); ++p)
    if (static_cast<int32_t>(Get32(bytes, static_cast<size_t>(p - 1))) == value)
      return static_cast<int32_t>(p);
  return 0;
}

TEST_F(ByteRangeTest, FindLongFindsTheFirstMatchAtAnyAlignment) {
  BinaryFile atStart = Open(Text("DDS rest of file"));
  EXPECT_EQ(FindLong(atStart, 1, kDds), 1);

  BinaryFile odd = Open(WithMarkerAt(20, {6}));
  EXPECT_EQ(FindLong(odd, 1, kDds), 6);

  // 01 02 01 02 01 02 from position 10: the value 01 02 01 02 stands at 10 and at 12.
  Bytes twice(30, 0);
  Put32(twice, 9, 0x02010201);
  Put32(twice, 11, 0x02010201);
  BinaryFile two = Open(twice);
  EXPECT_EQ(FindLong(two, 1, 0x02010201), 10);
  EXPECT_EQ(FindLong(two, 10, 0x02010201), 10);
  EXPECT_EQ(FindLong(two, 11, 0x02010201), 12);
  EXPECT_EQ(FindLong(two, 13, 0x02010201), 0);
}

TEST_F(ByteRangeTest, FindLongReturnsZeroOnShortFilesAndAbsentMarkers) {
  BinaryFile empty = Open({});
  EXPECT_EQ(FindLong(empty, 1, kDds), 0);
  BinaryFile three = Open(Text("DDS"));
  EXPECT_EQ(FindLong(three, 1, kDds), 0);
  BinaryFile absent = Open(Bytes(64, 0x44));
  EXPECT_EQ(FindLong(absent, 1, kDds), 0);
  EXPECT_EQ(absent.Position(), 65) << "behind the last byte examined";
}

TEST_F(ByteRangeTest, FindLongHonoursTheLastWholePositionBound) {
  BinaryFile file = Open(WithMarkerAt(40, {37}));  // length - 3
  EXPECT_EQ(FindLong(file, 1, kDds), 37);
  EXPECT_EQ(file.Position(), 41) << "behind the match";
  EXPECT_EQ(FindLong(file, 37, kDds), 37);
  EXPECT_EQ(FindLong(file, 38, kDds), 0);
  EXPECT_EQ(FindLong(file, 1000, kDds), 0);
}

TEST_F(ByteRangeTest, FindLongSeesMarkersAcrossItsReadChunks) {
  // Markers straddling every offset around the first two 1 MiB borders.
  const int32_t border = 1 << 20;
  for (int32_t shift = -3; shift <= 1; ++shift) {
    for (int32_t around : {border, 2 * border}) {
      const int32_t at = around + shift;
      BinaryFile file = Open(WithMarkerAt(static_cast<size_t>(3 * border), {at}));
      EXPECT_EQ(FindLong(file, 1, kDds), at) << "marker at " << at;
      EXPECT_EQ(FindLong(file, at + 1, kDds), 0);
    }
  }
}

TEST_F(ByteRangeTest, FindLongAgreesWithAByteByByteScan) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> small(0, 3);  // many partial matches
  Bytes bytes(5000);
  for (auto& b : bytes) b = static_cast<uint8_t>(small(random));
  BinaryFile file = Open(bytes);
  const int32_t value = 0x00010203;
  for (int32_t start : {-5, 0, 1, 2, 100, 2500, 4990, 4997, 4998, 6000}) {
    EXPECT_EQ(FindLong(file, start, value), NaiveFind(bytes, start, value)) << "from " << start;
  }
}

TEST_F(ByteRangeTest, ReadBlockZeroFillsPastTheEndAndRestoresThePosition) {
  BinaryFile file = Open(Numbered(100));
  file.Seek(42);
  Bytes tail = ReadBlock(file, 95, 10);
  EXPECT_EQ(tail, (Bytes{95, 96, 97, 98, 99, 100, 0, 0, 0, 0}));
  EXPECT_EQ(file.Position(), 42);
  EXPECT_EQ(ReadBlock(file, 500, 3), Bytes(3, 0));
  EXPECT_EQ(ReadBlock(file, 1, 3), (Bytes{1, 2, 3}));
}

TEST_F(ByteRangeTest, ReadBlockRefusesEmptyCountsAndPositionsBeforeTheFile) {
  BinaryFile file = Open(Numbered(10));
  for (auto [position, count] : {std::pair{1, 0}, {1, -1}, {0, 4}, {-3, 4}}) {
    try {
      ReadBlock(file, position, count);
      ADD_FAILURE() << "read at " << position << " count " << count;
    } catch (const corvane::Failure& failure) {
      EXPECT_EQ(failure.Code(), corvane::kInvalidArgument);
      EXPECT_NE(std::string(failure.what()).find("file.bin"), std::string::npos);
    }
  }
}

TEST_F(ByteRangeTest, WriteBlockWritesAtThePositionGrowsTheFileAndRestoresThePosition) {
  BinaryFile file = Open(Numbered(8));
  file.Seek(3);
  WriteBlock(file, 7, Bytes{0xAA, 0xBB, 0xCC});
  EXPECT_EQ(file.Position(), 3);
  WriteBlock(file, 12, Bytes{0xDD});  // leaves a gap of zeros
  EXPECT_EQ(file.Length(), 12);
  EXPECT_EQ(ReadBlock(file, 1, 12), (Bytes{1, 2, 3, 4, 5, 6, 0xAA, 0xBB, 0xCC, 0, 0, 0xDD}));
  file.Close();
  EXPECT_EQ(ReadBytes(m_folder / "file.bin"),
            (Bytes{1, 2, 3, 4, 5, 6, 0xAA, 0xBB, 0xCC, 0, 0, 0xDD}));
}

TEST_F(ByteRangeTest, OpenModes) {
  const fs::path missing = m_folder / "missing.bin";
  try {
    BinaryFile file(missing, BinaryFile::Mode::ReadOnly);
    ADD_FAILURE() << "opened a missing file";
  } catch (const corvane::Failure& failure) {
    EXPECT_EQ(failure.Code(), corvane::kFileNotFound);
    EXPECT_NE(std::string(failure.what()).find(missing.string()), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(missing));

  {
    BinaryFile created(missing, BinaryFile::Mode::ReadWrite);
    EXPECT_EQ(created.Length(), 0);
  }
  EXPECT_TRUE(fs::exists(missing));

  WriteBytes(m_folder / "old.bin", Numbered(50));
  BinaryFile kept(m_folder / "old.bin", BinaryFile::Mode::ReadWrite);
  EXPECT_EQ(kept.Length(), 50);
}

// A pipe that takes the target's name while the new file is written stays a pipe: the target is
// asked about again just before the rename, and the temporary file goes.
TEST_F(ByteRangeTest, AReplacingWriteAsksAgainJustBeforeItsRename) {
  const fs::path target = m_folder / "out.bin";
  {
    corvane::ReplacingFile out(target, corvane::OldTarget::DroppedFirst);
    WriteBytes(out.TempPath(), Numbered(20));
    ASSERT_EQ(::mkfifo(target.c_str(), 0600), 0);
    try {
      out.Commit();
      ADD_FAILURE() << "renamed over a pipe";
    } catch (const corvane::Failure& failure) {
      EXPECT_EQ(failure.Code(), corvane::kNotAFile);
    }
  }
  EXPECT_TRUE(fs::is_fifo(target));
  EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"out.bin"});
}

// What was planted at the names the write tries is passed over and left as it was; a link swapped
// in for the new file before the rename is never moved onto the target, nor given its mode.
TEST_F(ByteRangeTest, AReplacingWriteMakesItsNewFileOnlyWhereNothingStands) {
  const fs::path target = m_folder / "out.bin";
  WriteBytes(target, Numbered(5));
  fs::permissions(target, fs::perms::owner_all | fs::perms::group_read);
  {
    const testing_support::PlantedNames planted(target);
    corvane::WriteFileReplacing(target, corvane::OldTarget::KeptUntilRename, {Numbered(20)});
    EXPECT_TRUE(planted.Untouched());
  }
  EXPECT_EQ(ReadBytes(target), Numbered(20));
  EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_all | fs::perms::group_read);

  const fs::path victim = m_folder / "private-key";
  const fs::perms own = fs::status(victim).permissions();
  {
    corvane::ReplacingFile out(target, corvane::OldTarget::DroppedFirst);
    fs::remove(out.TempPath());
    fs::create_symlink(victim, out.TempPath());
    EXPECT_THROW(out.Commit(), corvane::Failure);
  }
  EXPECT_EQ(ReadBytes(target), Numbered(20));
  EXPECT_EQ(fs::status(victim).permissions(), own);
}

}  // namespace
