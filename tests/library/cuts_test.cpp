#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "byte_range.h"
#include "operations.h"
#include "scratch_files.h"

namespace {

using namespace tftest;
namespace ops = corvane;

constexpr int32_t kDds = corvane::kDdsMagic;
constexpr int32_t kKtmd = corvane::kModelSectionMagic;
constexpr int32_t kWe00 = corvane::kChunkMagic;

class CutsTest : public ::testing::Test {
 protected:
  // Numbered bytes with markers written at the given 1-based positions.
  fs::path File(size_t length, std::initializer_list<std::pair<int32_t, int32_t>> markers) {
    Bytes bytes = Numbered(length);
    for (auto [position, value] : markers)
      Put32(bytes, static_cast<size_t>(position - 1), static_cast<uint32_t>(value));
    WriteBytes(m_file, bytes);
    return m_file;
  }
  Bytes Range(size_t from, size_t count) {  // 1-based, zero-filled past the end
    Bytes all = ReadBytes(m_file);
    Bytes piece(count, 0);
    for (size_t i = 0; i < count && from - 1 + i < all.size(); ++i) piece[i] = all[from - 1 + i];
    return piece;
  }
  ScratchFolder m_folder;
  fs::path m_file = m_folder / "Face.bin.unzlib";
  fs::path m_new = m_folder / "Face.dds";
};

TEST_F(CutsTest, StartAndFinishPiecesAroundAMarkerAtPositionNine) {
  File(20, {{9, kDds}});
  ops::ExportStartFile2Data(m_file, m_new, kDds);
  EXPECT_EQ(ReadBytes(m_new), Range(1, 9)) << "the bytes before the marker and its first byte";
  EXPECT_EQ(ReadBytes(m_new).back(), 'D');

  ops::ExportData2FinishFile(m_file, kDds, m_new);
  Bytes expected = Range(9, 12);
  expected.resize(20, 0);
  EXPECT_EQ(ReadBytes(m_new), expected) << "the tail, then eight zero bytes";
}

TEST_F(CutsTest, MarkerAtPositionOne) {
  File(30, {{1, kDds}});
  ops::ExportStartFile2Data(m_file, m_new, kDds);
  EXPECT_EQ(ReadBytes(m_new), Range(1, 1));
  ops::ExportData2FinishFile(m_file, kDds, m_new);
  EXPECT_EQ(ReadBytes(m_new), ReadBytes(m_file));
}

TEST_F(CutsTest, Data2DataCountsTheFinishMarkersPositionAndZeroFillsPastTheEnd) {
  File(350, {{101, kKtmd}, {301, kWe00}});
  ops::ExportData2Data(m_file, kKtmd, kWe00, m_new);
  const Bytes piece = ReadBytes(m_new);
  ASSERT_EQ(piece.size(), 301u);
  EXPECT_EQ(piece, Range(101, 301));
  EXPECT_EQ(Bytes(piece.begin() + 250, piece.end()), Bytes(51, 0)) << "positions 351 to 401";
}

TEST_F(CutsTest, PiecesAreWrittenAfresh) {
  File(20, {{9, kDds}});
  WriteBytes(m_new, Bytes(1000, 0xEE));
  ops::ExportStartFile2Data(m_file, m_new, kDds);
  EXPECT_EQ(fs::file_size(m_new), 9u);
}

TEST_F(CutsTest, AbsentMarkersFailAndWriteNothing) {
  File(200, {{50, kKtmd}});
  EXPECT_FAILURE(ops::ExportStartFile2Data(m_file, m_new, kDds), "holds no DDS texture");
  EXPECT_FAILURE(ops::ExportData2FinishFile(m_file, kDds, m_new), "holds no DDS texture");
  EXPECT_FAILURE(ops::ExportData2Data(m_file, kDds, kKtmd, m_new), m_file.string());
  EXPECT_FAILURE(ops::ExportData2Data(m_file, kKtmd, kWe00, m_new), "holds no \"WE00\" marker");
  EXPECT_FAILURE(ops::ExportData2Data(m_file, kKtmd, ops::kBootHeadEnd, m_new),
                 "has no end-of-head mark");
  EXPECT_FALSE(fs::exists(m_new));

  WriteBytes(m_new, Text("earlier piece"));
  EXPECT_FAILURE(ops::ExportData2FinishFile(m_file, kWe00, m_new), "holds no");
  EXPECT_EQ(ReadBytes(m_new), Text("earlier piece"));
}

TEST_F(CutsTest, EmptyAndMissingFilesFail) {
  WriteBytes(m_file, {});
  EXPECT_FAILURE(ops::ExportData2FinishFile(m_file, kDds, m_new), "holds no DDS texture");
  EXPECT_FAILURE(ops::ExportStartFile2Data(m_file, m_new, kDds), "holds no DDS texture");
  const fs::path missing = m_folder / "missing";
  EXPECT_FAILURE(ops::ExportStartFile2Data(missing, m_new, kDds), missing.string());
  EXPECT_FAILURE(ops::Replace(missing, kDds, 1), missing.string());
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_FALSE(fs::exists(m_new));
}

TEST_F(CutsTest, ReplaceTakesOverlappingValuesFromTheLeft) {
  WriteBytes(m_file, Bytes(7, 0x41));
  ops::Replace(m_file, 0x41414141, 0x01020304);
  EXPECT_EQ(ReadBytes(m_file), (Bytes{4, 3, 2, 1, 0x41, 0x41, 0x41}));
}

TEST_F(CutsTest, ReplaceFindsEveryAlignment) {
  File(20, {{2, 87544}, {7, 87544}, {17, 87544}});
  Bytes expected = ReadBytes(m_file);
  Put32(expected, 1, 1048720);
  Put32(expected, 6, 1048720);
  Put32(expected, 16, 1048720);
  ops::Replace(m_file, 87544, 1048720);
  EXPECT_EQ(ReadBytes(m_file), expected);
}

TEST_F(CutsTest, ReplaceNeverExaminesWhatItWrote) {
  // Writing 09 09 01 02 at position 1 makes 01 02 03 04 appear at position 3; it stays.
  WriteBytes(m_file, Bytes{1, 2, 3, 4, 3, 4, 9, 9});
  ops::Replace(m_file, 0x04030201, 0x02010909);
  EXPECT_EQ(ReadBytes(m_file), (Bytes{9, 9, 1, 2, 3, 4, 9, 9}));
}

TEST_F(CutsTest, ReplaceLeavesShortAndUnmatchedFilesAlone) {
  WriteBytes(m_file, Text("DDS"));
  ops::Replace(m_file, 0x00534444, 0);
  EXPECT_EQ(ReadBytes(m_file), Text("DDS"));
  File(64, {});
  const auto before = fs::last_write_time(m_file);
  const ino_t inode = [&] {
    struct stat info {};
    ::stat(m_file.c_str(), &info);
    return info.st_ino;
  }();
  ops::Replace(m_file, kDds, kKtmd);
  struct stat after {};
  ::stat(m_file.c_str(), &after);
  EXPECT_EQ(after.st_ino, inode) << "not rewritten";
  EXPECT_EQ(fs::last_write_time(m_file), before);
}

TEST_F(CutsTest, SpliceKeepsTheHeadAndTakesTheWholeNewTexture) {
  File(100, {{41, kDds}, {81, kDds}});
  const Bytes head = Range(1, 40);
  const Bytes texture = Text("DDS new texture body");
  WriteBytes(m_folder / "Face-New.dds", texture);
  ops::ReplaceFHTexture(m_file, m_folder / "Face-New.dds");
  Bytes expected = head;
  expected.insert(expected.end(), texture.begin(), texture.end());
  EXPECT_EQ(ReadBytes(m_file), expected);

  File(100, {{1, kDds}});
  ops::ReplaceFHTexture(m_file, m_folder / "Face-New.dds");
  EXPECT_EQ(ReadBytes(m_file), texture);
}

TEST_F(CutsTest, SpliceWithoutATextureOrAReplacementChangesNothing) {
  File(100, {});
  const Bytes original = ReadBytes(m_file);
  WriteBytes(m_folder / "new.dds", Text("DDS body"));
  EXPECT_FAILURE(ops::ReplaceFHTexture(m_file, m_folder / "new.dds"), "One Of The File Not Found");
  EXPECT_EQ(ReadBytes(m_file), original);
  EXPECT_EQ(ReadBytes(m_folder / "new.dds"), Text("DDS body"));

  File(100, {{30, kDds}});
  const Bytes withTexture = ReadBytes(m_file);
  WriteBytes(m_folder / "empty.dds", {});
  EXPECT_FAILURE(ops::ReplaceFHTexture(m_file, m_folder / "empty.dds"), "empty.dds");
  EXPECT_FAILURE(ops::ReplaceFHTexture(m_file, m_folder / "missing.dds"), "missing.dds");
  EXPECT_EQ(ReadBytes(m_file), withTexture);
  EXPECT_EQ(m_folder.Names(),
            (std::vector<std::string>{"Face.bin.unzlib", "empty.dds", "new.dds"}));
}

TEST_F(CutsTest, APieceIsNeverWrittenOverAFolder) {
  File(20, {{9, kDds}});
  fs::create_directory(m_new);
  EXPECT_FAILURE(ops::ExportStartFile2Data(m_file, m_new, kDds), "folder");
  EXPECT_TRUE(fs::is_directory(m_new));
  EXPECT_EQ(m_folder.Names(), (std::vector<std::string>{"Face.bin.unzlib", "Face.dds"}));
}

// Replace and splice edit the file in place: its mode stays, and through a link the linked file
// is edited while the link stays a link.
TEST_F(CutsTest, InPlaceEditsKeepTheModeAndFollowLinks) {
  WriteBytes(m_folder / "New.dds", Text("DDS new"));
  const fs::path link = m_folder / "link.bin";
  fs::create_symlink(m_file.filename(), link);
  const std::vector<std::function<void(const fs::path&)>> edits = {
      [](const fs::path& f) { ops::Replace(f, kDds, kKtmd); },
      [&](const fs::path& f) { ops::ReplaceFHTexture(f, m_folder / "New.dds"); }};
  for (const fs::path& edited : {m_file, link}) {
    for (const auto& edit : edits) {
      const Bytes original = ReadBytes(File(40, {{9, kDds}}));
      fs::permissions(m_file, fs::perms::owner_read | fs::perms::owner_write);
      edit(edited);
      EXPECT_NE(ReadBytes(m_file), original) << edited;
      EXPECT_EQ(fs::status(m_file).permissions(), fs::perms::owner_read | fs::perms::owner_write);
      EXPECT_TRUE(fs::is_symlink(link));
    }
  }
}

}  // namespace
