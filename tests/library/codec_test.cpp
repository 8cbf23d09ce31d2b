#include <gtest/gtest.h>
#include <zlib.h>

#include <random>

#include "operations.h"
#include "scratch_files.h"

namespace {

using namespace tftest;
namespace ops = corvane;

// Texture-like payload: runs and noise, so that it compresses but not to nothing.
Bytes Payload(size_t n, unsigned seed = 1) {
  std::mt19937 random(seed);
  Bytes bytes(n);
  for (size_t i = 0; i < n; ++i)
    bytes[i] = (i / 64) % 3 == 0 ? static_cast<uint8_t>(random()) : static_cast<uint8_t>(i / 256);
  return bytes;
}

class CodecTest : public ::testing::Test {
 protected:
  // Packs payload the way the library's pack method does; returns the container's path.
  fs::path Pack(const Bytes& payload) {
    const fs::path source = m_folder / "Face.bin.unzlib";
    WriteBytes(source, payload);
    ops::CheckPackInput(source);
    const fs::path packed = ops::SuffixedOutputName(source, ".zlib");
    ops::CompressFile(source, packed);
    ops::WrapPackedContainer(packed);
    return packed;
  }
  // Unpacks the container the way the library's unpack method does.
  Bytes Unpack(const fs::path& packed) {
    const fs::path temp = m_folder / "temp.bin";
    const fs::path out = ops::SuffixedOutputName(packed, ".unzlib");
    ops::WriteUnpackTemp(packed, temp);
    ops::UncompressFile(temp, out);
    fs::remove(temp);
    return ReadBytes(out);
  }
  ScratchFolder m_folder;
};

TEST(CompressCapacity, IsAHundredthMoreAndTwelveRoundedHalfToEven) {
  EXPECT_EQ(ops::CompressCapacity(0), 12u);
  EXPECT_EQ(ops::CompressCapacity(1000), 1022u);
  EXPECT_EQ(ops::CompressCapacity(1048576), 1059074u);
  EXPECT_EQ(ops::CompressCapacity(50), 62u);    // 62.5
  EXPECT_EQ(ops::CompressCapacity(150), 164u);  // 163.5
}

TEST(CompressBytes, MakesOneZlibStreamEvenOfNoise) {
  std::mt19937 random(3);
  Bytes noise(100000);
  for (auto& b : noise) b = static_cast<uint8_t>(random());
  Bytes stream = ops::CompressBytes(noise);
  EXPECT_LE(stream.size(), ops::CompressCapacity(noise.size()));
  EXPECT_EQ(stream[0] & 0x0F, 8) << "deflate method in the zlib header";
  EXPECT_EQ(ops::UncompressBytes(stream, static_cast<uint32_t>(noise.size())), noise);
}

TEST_F(CodecTest, PackWritesTheContainerHeadAndUnpackRestoresThePayload) {
  const Bytes payload = Payload(300000);
  const fs::path packed = Pack(payload);
  const Bytes container = ReadBytes(packed);
  ASSERT_GT(container.size(), 16u);
  EXPECT_EQ(Bytes(container.begin(), container.begin() + 8),
            (Bytes{0x00, 0x01, 0x01, 'W', 'E', 'S', 'Y', 'S'}));
  EXPECT_EQ(Get32(container, 8), container.size() - 12);
  EXPECT_EQ(Get32(container, 12), payload.size());
  EXPECT_EQ(Unpack(packed), payload);
  EXPECT_EQ(m_folder.Names(), (std::vector<std::string>{"Face.bin.unzlib", "Face.bin.unzlib.zlib",
                                                        "Face.bin.unzlib.zlib.unzlib"}));
}

TEST_F(CodecTest, CompressFileWritesTheSizeThenTheStream) {
  const Bytes payload = Payload(5000, 9);
  WriteBytes(m_folder / "in", payload);
  WriteBytes(m_folder / "out", Bytes(100000, 0xEE));  // longer old content must not survive
  ops::CompressFile(m_folder / "in", m_folder / "out");
  const Bytes sized = ReadBytes(m_folder / "out");
  EXPECT_EQ(Get32(sized, 0), payload.size());
  Bytes inflated(payload.size());
  uLongf length = inflated.size();
  ASSERT_EQ(uncompress(inflated.data(), &length, sized.data() + 4, sized.size() - 4), Z_OK);
  EXPECT_EQ(inflated, payload);
}

TEST_F(CodecTest, TheContainerHeadIsNeverCompared) {
  const Bytes payload = Payload(4000);
  const fs::path packed = Pack(payload);
  Bytes container = ReadBytes(packed);
  for (size_t i = 0; i < 12; ++i) container[i] = 0xA5;
  WriteBytes(packed, container);
  EXPECT_EQ(Unpack(packed), payload);
}

TEST_F(CodecTest, HighlyCompressiblePayloadsAreNotMistakenForImpossibleSizes) {
  const Bytes zeros(8 << 20, 0);
  EXPECT_EQ(Unpack(Pack(zeros)), zeros);
}

TEST_F(CodecTest, UnpackTempIsTheFileFromOffsetTwelveThenTwelveZeros) {
  WriteBytes(m_folder / "p", Numbered(20));
  ops::WriteUnpackTemp(m_folder / "p", m_folder / "t");
  EXPECT_EQ(ReadBytes(m_folder / "t"),
            (Bytes{13, 14, 15, 16, 17, 18, 19, 20, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  WriteBytes(m_folder / "short", Numbered(5));
  ops::WriteUnpackTemp(m_folder / "short", m_folder / "t");
  EXPECT_EQ(ReadBytes(m_folder / "t"), Bytes(5, 0));
}

TEST_F(CodecTest, AZeroLengthPayloadThatTheStreamConfirmsIsAccepted) {
  Bytes sized(4, 0);
  const Bytes stream = ops::CompressBytes({});
  sized.insert(sized.end(), stream.begin(), stream.end());
  WriteBytes(m_folder / "z", sized);
  ops::UncompressFile(m_folder / "z", m_folder / "out");
  EXPECT_TRUE(fs::exists(m_folder / "out"));
  EXPECT_EQ(fs::file_size(m_folder / "out"), 0u);
}

// Each malformed input fails with a description naming the file and leaves no output.
class MalformedInputTest : public CodecTest {
 protected:
  void ExpectUncompressFails(const Bytes& sized, const std::string& text) {
    WriteBytes(m_folder / "bad", sized);
    const auto before = m_folder.Names();
    EXPECT_FAILURE(ops::UncompressFile(m_folder / "bad", m_folder / "bad.unzlib"), text);
    EXPECT_FAILURE(ops::UncompressFile(m_folder / "bad", m_folder / "bad.unzlib"), "bad");
    EXPECT_EQ(m_folder.Names(), before) << "no output, no temporary file";
  }
  Bytes Sized(const Bytes& payload) {
    WriteBytes(m_folder / "payload", payload);
    ops::CompressFile(m_folder / "payload", m_folder / "sized");
    Bytes sized = ReadBytes(m_folder / "sized");
    fs::remove(m_folder / "payload");
    fs::remove(m_folder / "sized");
    return sized;
  }
};

TEST_F(MalformedInputTest, CorruptStream) {
  Bytes sized = Sized(Payload(20000));
  for (size_t i = 40; i < 80; ++i) sized[i] ^= 0x5A;
  ExpectUncompressFails(sized, "Cannot uncompress");
}

TEST_F(MalformedInputTest, TruncatedStream) {
  Bytes sized = Sized(Payload(20000));
  sized.resize(sized.size() / 2);
  ExpectUncompressFails(sized, "corrupt or incomplete");
}

TEST_F(MalformedInputTest, StoredSizeDiffersFromTheStream) {
  Bytes sized = Sized(Payload(20000));
  Put32(sized, 0, 20001);
  ExpectUncompressFails(sized, "inflates to 20000 bytes");
  Put32(sized, 0, 19999);
  ExpectUncompressFails(sized, "not the stored size 19999");
  Put32(sized, 0, 100);
  ExpectUncompressFails(sized, "more than the stored size 100");
}

TEST_F(MalformedInputTest, HugeStoredSizeIsRefusedBeforeAllocating) {
  Bytes sized = Sized(Payload(1000));
  Put32(sized, 0, 0xFFFFFFFF);
  ExpectUncompressFails(sized, "is more than a stream of");
}

TEST_F(MalformedInputTest, TooShortOrEmpty) {
  ExpectUncompressFails(Bytes{1, 0}, "too short");
  ExpectUncompressFails(Bytes(4, 0), "No compressed stream");
}

TEST_F(MalformedInputTest, TruncatedContainerFailsToUnpackAndTheTempCanGo) {
  const fs::path packed = Pack(Payload(50000));
  Bytes container = ReadBytes(packed);
  container.resize(container.size() - 100);
  WriteBytes(packed, container);
  const fs::path temp = m_folder / "temp.bin";
  ops::WriteUnpackTemp(packed, temp);
  EXPECT_FAILURE(ops::UncompressFile(temp, ops::SuffixedOutputName(packed, ".unzlib")), "temp.bin");
  EXPECT_FALSE(fs::exists(ops::SuffixedOutputName(packed, ".unzlib")));
}

TEST_F(MalformedInputTest, MissingAndEmptyInputs) {
  const fs::path missing = m_folder / "missing.bin";
  EXPECT_FAILURE(ops::UncompressFile(missing, m_folder / "out"), missing.string());
  EXPECT_FAILURE(ops::CompressFile(missing, m_folder / "out"), missing.string());
  EXPECT_FAILURE(ops::WriteUnpackTemp(missing, m_folder / "temp"), missing.string());
  EXPECT_FAILURE(ops::CheckPackInput(missing), missing.string());
  WriteBytes(m_folder / "empty", {});
  EXPECT_FAILURE(ops::CompressFile(m_folder / "empty", m_folder / "out"), "empty");
  EXPECT_FAILURE(ops::WriteUnpackTemp(m_folder / "empty", m_folder / "temp"), "empty");
  EXPECT_FAILURE(ops::CheckPackInput(m_folder / "empty"), "empty");
  EXPECT_EQ(m_folder.Names(), std::vector<std::string>{"empty"});
}

TEST_F(MalformedInputTest, AFailedUnpackLeavesAnEarlierOutputAsItWas) {
  Bytes sized = Sized(Payload(1000));
  sized[10] ^= 0xFF;
  WriteBytes(m_folder / "bad", sized);
  WriteBytes(m_folder / "bad.unzlib", Text("earlier"));
  EXPECT_FAILURE(ops::UncompressFile(m_folder / "bad", m_folder / "bad.unzlib"), "bad");
  EXPECT_EQ(ReadBytes(m_folder / "bad.unzlib"), Text("earlier"));
}

}  // namespace
