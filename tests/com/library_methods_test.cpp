// The methods through the interface: empty results, error info, the unpack temporary file, the
// compositions over the object's own interface, and instances that behave alike.
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <functional>

#include "library_fixture.h"
#include "special_files.h"

namespace {

using comtest::LibraryTest;
using comtest::ReadBytes;
using comtest::TakeErrorInfo;
using comtest::WriteBytes;

constexpr int32_t kDdsMagic = 0x20534444;

// The unpack temporary files of this process in the module's folder.
std::vector<std::string> OwnTempFiles() {
  const std::string prefix = "temp.bin." + std::to_string(getpid()) + ".";
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(comtest::ProgramDir())) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0) found.push_back(name);
  }
  return found;
}

HRESULT Pack(_CorvaneGorm& object, const std::filesystem::path& path) {
  com::Bstr p = com::Bstr::FromPath(path);
  VARIANT result{};
  return object.Corvane_Pack(p.Address(), &result);
}

HRESULT UnPack(_CorvaneGorm& object, const std::filesystem::path& path) {
  com::Bstr p = com::Bstr::FromPath(path);
  VARIANT result{};
  return object.Corvane_UnPack(p.Address(), &result);
}

TEST_F(LibraryTest, PackThenUnpackGivesThePayloadBack) {
  auto object = Create();
  const auto payload = comtest::SamplePayload(100000);
  WriteBytes(File("Face.bin.unzlib"), payload);
  ASSERT_EQ(Pack(*object, File("Face.bin.unzlib")), S_OK);
  const auto packed = ReadBytes(File("Face.bin.unzlib.zlib"));
  ASSERT_GT(packed.size(), 16u);
  EXPECT_EQ(std::string(packed.begin(), packed.begin() + 8), std::string("\x00\x01\x01WESYS", 8));

  std::filesystem::copy_file(File("Face.bin.unzlib.zlib"), File("Face.bin"));
  ASSERT_EQ(UnPack(*object, File("Face.bin")), S_OK);
  EXPECT_EQ(ReadBytes(File("Face.bin.unzlib")), payload);
  EXPECT_FALSE(TakeErrorInfo().present);
  EXPECT_TRUE(OwnTempFiles().empty());
}

TEST_F(LibraryTest, UnpackTempFileNeverOutlivesAFailingCall) {
  auto object = Create();
  // Header, stored size, then bytes that are no zlib stream: the temp file is written first.
  std::vector<uint8_t> corrupt(64, 0x5A);
  corrupt[12] = 16;
  corrupt[13] = corrupt[14] = corrupt[15] = 0;
  WriteBytes(File("Bad.bin"), corrupt);
  const HRESULT hr = UnPack(*object, File("Bad.bin"));
  EXPECT_TRUE(FAILED(hr));
  const auto info = TakeErrorInfo();
  EXPECT_EQ(info.number, hr);
  // Told of the packed file, never of the temporary one in the module's folder.
  EXPECT_EQ(info.description,
            "'" + File("Bad.bin").string() + "' is not a packed game file: its data is damaged");
  EXPECT_TRUE(OwnTempFiles().empty());
  EXPECT_FALSE(std::filesystem::exists(File("Bad.bin.unzlib")));

  // The result code is UncompressFile's own, forwarded.
  WriteBytes(File("Bad.sized"), std::vector<uint8_t>(corrupt.begin() + 12, corrupt.end()));
  com::Bstr in = com::Bstr::FromPath(File("Bad.sized"));
  com::Bstr out = com::Bstr::FromPath(File("Bad.out"));
  VARIANT result{};
  EXPECT_EQ(object->UncompressFile(in.Address(), out.Address(), &result), hr);

  EXPECT_TRUE(FAILED(UnPack(*object, File("missing.bin"))));
  EXPECT_NE(TakeErrorInfo().description.find("missing.bin"), std::string::npos);
  EXPECT_TRUE(OwnTempFiles().empty());
}

TEST_F(LibraryTest, PackRefusesMissingAndEmptyInput) {
  auto object = Create();
  EXPECT_TRUE(FAILED(Pack(*object, File("missing.unzlib"))));
  EXPECT_NE(TakeErrorInfo().description.find("missing.unzlib"), std::string::npos);
  WriteBytes(File("empty.unzlib"), {});
  EXPECT_TRUE(FAILED(Pack(*object, File("empty.unzlib"))));
  EXPECT_NE(TakeErrorInfo().description.find("empty.unzlib"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(File("missing.unzlib.zlib")));
}

TEST_F(LibraryTest, EveryMethodHandsBackAnEmptyVariant) {
  auto object = Create();
  std::vector<uint8_t> bytes(40, 0x11);
  std::memcpy(&bytes[8], &kDdsMagic, 4);
  WriteBytes(File("f.bin"), bytes);
  WriteBytes(File("g.dds"), {1, 2, 3});
  com::Bstr f = com::Bstr::FromPath(File("f.bin"));
  com::Bstr g = com::Bstr::FromPath(File("g.dds"));
  com::Bstr out = com::Bstr::FromPath(File("out.bin"));
  com::Bstr z = com::Bstr::FromPath(File("f.bin.z"));
  int32_t marker = kDdsMagic, other = 0x11111111;

  // Successes and failures alike.
  const std::vector<std::pair<const char*, std::function<HRESULT(VARIANT*)>>> calls = {
      {"CompressFile",
       [&](VARIANT* r) { return object->CompressFile(f.Address(), z.Address(), r); }},
      {"UncompressFile",
       [&](VARIANT* r) { return object->UncompressFile(z.Address(), out.Address(), r); }},
      {"Corvane_UnPack", [&](VARIANT* r) { return object->Corvane_UnPack(g.Address(), r); }},
      {"Corvane_Pack", [&](VARIANT* r) { return object->Corvane_Pack(f.Address(), r); }},
      {"StartFile2Data",
       [&](VARIANT* r) {
         return object->Corvane_Export_StartFile2Data(f.Address(), out.Address(), &marker, r);
       }},
      {"Data2Data",
       [&](VARIANT* r) {
         return object->Corvane_Export_Data2Data(f.Address(), &marker, &marker, out.Address(), r);
       }},
      {"Data2FinishFile",
       [&](VARIANT* r) {
         return object->Corvane_Export_Data2FinishFile(f.Address(), &marker, out.Address(), r);
       }},
      {"Replace",
       [&](VARIANT* r) { return object->Corvane_Replace(f.Address(), &other, &marker, r); }},
      {"ReplaceFHTexture",
       [&](VARIANT* r) { return object->Corvane_ReplaceFHTexture(f.Address(), g.Address(), r); }},
      {"DDS2BMP", [&](VARIANT* r) { return object->Corvane_DDS2BMP(g.Address(), r); }},
      {"DDS2PNG", [&](VARIANT* r) { return object->Corvane_DDS2PNG(g.Address(), r); }},
      {"DDS2JPG", [&](VARIANT* r) { return object->Corvane_DDS2JPG(g.Address(), r); }},
      {"DDS2GIF", [&](VARIANT* r) { return object->Corvane_DDS2GIF(g.Address(), r); }},
  };
  for (const auto& [name, call] : calls) {
    VARIANT result{};
    result.vt = VT_BSTR;
    result.lVal = 99;
    const HRESULT hr = call(&result);
    EXPECT_EQ(result.vt, VT_EMPTY) << name;
    EXPECT_EQ(result.lVal, 0) << name;
    const auto info = TakeErrorInfo();
    if (FAILED(hr)) {
      EXPECT_EQ(info.number, hr) << name;
      EXPECT_FALSE(info.description.empty()) << name;
    } else {
      EXPECT_FALSE(info.present) << name;
    }
  }
}

TEST_F(LibraryTest, FailingCallsCarryTheirDescription) {
  auto object = Create();
  WriteBytes(File("plain.bin"), std::vector<uint8_t>(32, 0x20));
  com::Bstr file = com::Bstr::FromPath(File("plain.bin"));
  com::Bstr piece = com::Bstr::FromPath(File("piece.bin"));
  int32_t marker = kDdsMagic;
  VARIANT result{};
  ComSetErrorInfo(E_FAIL, u"stale");
  const HRESULT hr =
      object->Corvane_Export_StartFile2Data(file.Address(), piece.Address(), &marker, &result);
  EXPECT_TRUE(FAILED(hr));
  const auto info = TakeErrorInfo();
  EXPECT_EQ(info.number, hr);
  EXPECT_NE(info.description, "stale");
  EXPECT_FALSE(std::filesystem::exists(File("piece.bin")));

  ComSetErrorInfo(E_FAIL, u"stale");
  WriteBytes(File("Face.dds"), std::vector<uint8_t>{'D', 'D', 'S', ' ', 1, 2, 3, 4});
  com::Bstr dds = com::Bstr::FromPath(File("Face.dds"));
  com::Bstr copy = com::Bstr::FromPath(File("copy.bin"));
  EXPECT_EQ(object->Corvane_Export_Data2FinishFile(dds.Address(), &marker, copy.Address(), &result),
            S_OK);
  EXPECT_FALSE(TakeErrorInfo().present);  // success clears what an earlier call left
}

// A NUL would end the path early, so that the output name became the input's or another file's.
TEST_F(LibraryTest, PathsHoldingANulOrNothingAreRefusedBeforeAnyFileIsTouched) {
  auto object = Create();
  WriteBytes(File("a.dds"), {'D', 'D', 'S', ' '});
  WriteBytes(File("keep.txt"), {'k'});
  WriteBytes(File("f.bin"), {'D', 'D', 'S', ' ', 1, 2, 3, 4});
  const std::u16string folder = com::Utf8ToUtf16(m_files.Path().string() + "/");
  com::Bstr dds(folder + std::u16string(u"a.dds\0x", 7));
  com::Bstr keep(folder + std::u16string(u"keep.txt\0.dds", 13));
  com::Bstr file = com::Bstr::FromPath(File("f.bin"));
  com::Bstr empty(u"");
  int32_t marker = kDdsMagic;
  VARIANT result{};
  EXPECT_EQ(object->Corvane_DDS2PNG(dds.Address(), &result), E_INVALIDARG);
  EXPECT_NE(TakeErrorInfo().description.find("NUL"), std::string::npos);
  EXPECT_EQ(object->Corvane_Export_StartFile2Data(file.Address(), keep.Address(), &marker, &result),
            E_INVALIDARG);
  EXPECT_NE(TakeErrorInfo().description.find("keep.txt"), std::string::npos);
  EXPECT_EQ(object->Corvane_Pack(empty.Address(), &result), E_INVALIDARG);
  EXPECT_FALSE(TakeErrorInfo().description.empty());
  EXPECT_EQ(ReadBytes(File("a.dds")), (std::vector<uint8_t>{'D', 'D', 'S', ' '}));
  EXPECT_EQ(ReadBytes(File("keep.txt")), std::vector<uint8_t>{'k'});
}

TEST_F(LibraryTest, UnpackOntoAFolderFailsAndKeepsIt) {
  auto object = Create();
  WriteBytes(File("x.unzlib"), comtest::SamplePayload(100));
  ASSERT_EQ(Pack(*object, File("x.unzlib")), S_OK);
  std::filesystem::rename(File("x.unzlib.zlib"), File("x.bin"));
  std::filesystem::create_directory(File("x.bin.unzlib"));
  EXPECT_TRUE(FAILED(UnPack(*object, File("x.bin"))));
  EXPECT_NE(TakeErrorInfo().description.find("folder"), std::string::npos);
  EXPECT_TRUE(std::filesystem::is_empty(File("x.bin.unzlib")));
  EXPECT_TRUE(OwnTempFiles().empty());
}

HRESULT Replace(_CorvaneGorm& object, const std::filesystem::path& path, int32_t from, int32_t to) {
  com::Bstr p = com::Bstr::FromPath(path);
  VARIANT result{};
  return object.Corvane_Replace(p.Address(), &from, &to, &result);
}

// Any caller may hand any path: a pipe or a device is refused at once (a read would wait or
// never end), and a name as long as the system allows is written through its temporary file.
TEST_F(LibraryTest, OnlyFilesAreReadAndTheLongestNamesAreWritten) {
  auto object = Create();
  ASSERT_EQ(::mkfifo(File("pipe.bin").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", File("zero.bin"));
  for (const char* name : {"pipe.bin", "zero.bin"}) {
    for (const auto& call : std::vector<std::function<HRESULT()>>{
             [&] { return Pack(*object, File(name)); }, [&] { return UnPack(*object, File(name)); },
             [&] { return Replace(*object, File(name), kDdsMagic, 1); }}) {
      EXPECT_TRUE(FAILED(call()));
      EXPECT_NE(TakeErrorInfo().description.find(File(name).string() + "' is a "),
                std::string::npos);
    }
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_files.Path()), {}), 2);

  auto payload = comtest::SamplePayload(1000);
  std::memcpy(payload.data(), "DDS ", 4);
  const std::string longest(251, 'n');  // + ".bin": 255 bytes
  WriteBytes(File(longest + ".bin"), payload);
  EXPECT_EQ(Replace(*object, File(longest + ".bin"), kDdsMagic, 7), S_OK);
  EXPECT_EQ(ReadBytes(File(longest + ".bin"))[0], 7);
  WriteBytes(File(longest.substr(2) + "u"), payload);  // + ".zlib": 255 bytes
  EXPECT_EQ(Pack(*object, File(longest.substr(2) + "u")), S_OK);
  EXPECT_TRUE(std::filesystem::exists(File(longest.substr(2) + "u.zlib")));
}

TEST_F(LibraryTest, TwoInstancesBehaveIdentically) {
  auto first = Create();
  auto second = Create();
  ASSERT_NE(first.Get(), second.Get());
  const auto payload = comtest::SamplePayload(5000);
  WriteBytes(File("a.unzlib"), payload);
  WriteBytes(File("b.unzlib"), payload);

  EXPECT_TRUE(FAILED(UnPack(*first, File("missing.bin"))));  // leaves nothing for the other
  ASSERT_EQ(Pack(*second, File("b.unzlib")), S_OK);
  EXPECT_FALSE(TakeErrorInfo().present);
  ASSERT_EQ(Pack(*first, File("a.unzlib")), S_OK);
  EXPECT_EQ(ReadBytes(File("a.unzlib.zlib")), ReadBytes(File("b.unzlib.zlib")));

  for (auto* object : {first.Get(), second.Get()}) {
    com::Bstr f = com::Bstr::FromPath(File("a.unzlib"));
    int32_t search = 0x03020100, replace = 0x7F7F7F7F;
    VARIANT result{};
    EXPECT_EQ(object->Corvane_Replace(f.Address(), &search, &replace, &result), S_OK);
  }
  com::Bstr f = com::Bstr::FromPath(File("b.unzlib"));
  int32_t search = 0x03020100, replace = 0x7F7F7F7F;
  VARIANT result{};
  ASSERT_EQ(first->Corvane_Replace(f.Address(), &search, &replace, &result), S_OK);
  ASSERT_EQ(second->Corvane_Replace(f.Address(), &search, &replace, &result), S_OK);
  EXPECT_EQ(ReadBytes(File("a.unzlib")), ReadBytes(File("b.unzlib")));
}

// The writers refuse an output that is a pipe, a socket or a device: a rename over it would
// make a plain file of it. Nothing is written and the node stays.
TEST_F(LibraryTest, WritersNeverReplaceWhatIsNoFile) {
  auto object = Create();
  auto payload = comtest::SamplePayload(2000);
  std::memcpy(payload.data() + 100, "DDS ", 4);
  WriteBytes(File("in"), payload);
  for (const auto& special : testing_support::MakeSpecialFiles(m_files.Path(), "out")) {
    com::Bstr in = com::Bstr::FromPath(File("in")), out = com::Bstr::FromPath(special.path);
    int32_t marker = kDdsMagic;
    VARIANT result{};
    const auto refused = [&](HRESULT hr) {
      EXPECT_EQ(hr, static_cast<HRESULT>(0x800700DEu)) << special.kind;
      EXPECT_NE(TakeErrorInfo().description.find("' is " + std::string(special.kind) +
                                                 ", not a file; nothing was written"),
                std::string::npos);
    };
    refused(object->CompressFile(in.Address(), out.Address(), &result));
    refused(object->Corvane_Export_Data2FinishFile(in.Address(), &marker, out.Address(), &result));
    EXPECT_TRUE(testing_support::StillStands(special)) << special.kind;
  }
}

}  // namespace
