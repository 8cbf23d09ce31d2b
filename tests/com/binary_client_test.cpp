// A client that knows the library only by its binary contract: raw vtables of function
// pointers, the module and the runtime loaded by name, identifiers as bytes. It includes no
// header of the project on purpose.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Result = int32_t;
using Text = char16_t*;

struct Guid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};

struct Variant {
  uint16_t vt;
  uint16_t reserved[3];
  uint64_t value[2];
};
static_assert(sizeof(Variant) == 24);

constexpr Guid kClassId = {
    0x7CA11F19, 0x433B, 0x4F61, {0x8C, 0xE0, 0x0B, 0xEE, 0xBE, 0x1A, 0xB5, 0x0C}};
constexpr Guid kInterfaceId = {
    0x2289D7B8, 0x7306, 0x407D, {0x98, 0x89, 0x4E, 0x7A, 0xC3, 0xBF, 0x08, 0xA8}};
constexpr Guid kClassFactoryId = {0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

struct FactoryVtbl {
  Result (*QueryInterface)(void* self, const Guid* iid, void** out);
  uint32_t (*AddRef)(void* self);
  uint32_t (*Release)(void* self);
  Result (*CreateInstance)(void* self, void* outer, const Guid* iid, void** out);
  Result (*LockServer)(void* self, int32_t lock);
};
struct Factory {
  const FactoryVtbl* vtbl;
};

struct CorvaneVtbl {
  Result (*QueryInterface)(void* self, const Guid* iid, void** out);
  uint32_t (*AddRef)(void* self);
  uint32_t (*Release)(void* self);
  void* dispatch[4];  // GetTypeInfoCount, GetTypeInfo, GetIDsOfNames, Invoke
  Result (*CompressFile)(void* self, Text* source, Text* destination, Variant* result);
  Result (*UncompressFile)(void* self, Text* compressed, Text* uncompressed, Variant* result);
  Result (*UnPack)(void* self, Text* path, Variant* result);
  Result (*Pack)(void* self, Text* path, Variant* result);
  Result (*StartFile2Data)(void* self, Text* file, Text* newFile, int32_t* search, Variant* r);
  Result (*Data2Data)(void* self, Text* file, int32_t* start, int32_t* finish, Text* newFile,
                      Variant* r);
  Result (*Data2FinishFile)(void* self, Text* file, int32_t* search, Text* newFile, Variant* r);
  Result (*Replace)(void* self, Text* file, int32_t* search, int32_t* replace, Variant* r);
  void* rest[5];  // ReplaceFHTexture and the four conversions
};
struct Corvane {
  const CorvaneVtbl* vtbl;
};

using GetClassObjectFn = Result (*)(const Guid*, const Guid*, void**);
using AllocStringFn = Text (*)(const char16_t*);
using FreeStringFn = void (*)(Text);
using GetErrorInfoFn = Result (*)(Result*, Text*);

std::u16string Widen(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

std::vector<uint8_t> Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class BinaryClient : public testing::Test {
 protected:
  void SetUp() override {
    const char* dir = std::getenv("TF_PROGRAM_DIR");
    ASSERT_NE(dir, nullptr) << "TF_PROGRAM_DIR is not set";
    m_runtime = dlopen((fs::path(dir) / "libtfcom.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    m_module = dlopen((fs::path(dir) / "Corvane_Gorm.so").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(m_runtime, nullptr) << dlerror();
    ASSERT_NE(m_module, nullptr) << dlerror();
    m_alloc = reinterpret_cast<AllocStringFn>(dlsym(m_runtime, "SysAllocString"));
    m_free = reinterpret_cast<FreeStringFn>(dlsym(m_runtime, "SysFreeString"));
    m_errorInfo = reinterpret_cast<GetErrorInfoFn>(dlsym(m_runtime, "ComGetErrorInfo"));
    auto getClassObject = reinterpret_cast<GetClassObjectFn>(dlsym(m_module, "DllGetClassObject"));
    ASSERT_TRUE(m_alloc && m_free && m_errorInfo && getClassObject);

    Factory* factory = nullptr;
    ASSERT_EQ(getClassObject(&kClassId, &kClassFactoryId, reinterpret_cast<void**>(&factory)), 0);
    ASSERT_EQ(factory->vtbl->CreateInstance(factory, nullptr, &kInterfaceId,
                                            reinterpret_cast<void**>(&m_object)),
              0);
    EXPECT_EQ(factory->vtbl->Release(factory), 0u);

    char folder[] = "/tmp/tf-binary-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    m_folder = folder;
  }

  void TearDown() override {
    for (Text t : m_texts) m_free(t);
    if (m_object != nullptr) {
      EXPECT_EQ(m_object->vtbl->Release(m_object), 0u);
    }
    std::error_code ec;
    fs::remove_all(m_folder, ec);
  }

  // A string the runtime allocated, freed at the end of the test.
  Text* Path(const std::string& name) {
    m_texts.push_back(m_alloc(Widen((m_folder / name).string()).c_str()));
    return &m_texts.back();
  }

  void* m_runtime = nullptr;
  void* m_module = nullptr;
  AllocStringFn m_alloc = nullptr;
  FreeStringFn m_free = nullptr;
  GetErrorInfoFn m_errorInfo = nullptr;
  Corvane* m_object = nullptr;
  fs::path m_folder;
  std::deque<Text> m_texts;  // Path hands out pointers into it
};

TEST_F(BinaryClient, PackUnpackAndReplaceThroughRawSlots) {
  const std::string payload = "DDS  head and body, body, body, body of a texture";
  std::ofstream(m_folder / "Ball.bin.unzlib", std::ios::binary) << payload;

  Variant result{};
  result.vt = 3;
  ASSERT_EQ(m_object->vtbl->Pack(m_object, Path("Ball.bin.unzlib"), &result), 0);
  EXPECT_EQ(result.vt, 0);
  const auto packed = Read(m_folder / "Ball.bin.unzlib.zlib");
  ASSERT_GE(packed.size(), 16u);
  EXPECT_EQ(std::memcmp(packed.data(), "\x00\x01\x01WESYS", 8), 0);
  uint32_t length = 0, size = 0;
  std::memcpy(&length, &packed[8], 4);
  std::memcpy(&size, &packed[12], 4);
  EXPECT_EQ(length, packed.size() - 12);
  EXPECT_EQ(size, payload.size());

  fs::rename(m_folder / "Ball.bin.unzlib.zlib", m_folder / "Ball.bin");
  ASSERT_EQ(m_object->vtbl->UnPack(m_object, Path("Ball.bin"), &result), 0);
  const auto unpacked = Read(m_folder / "Ball.bin.unzlib");
  EXPECT_EQ(std::string(unpacked.begin(), unpacked.end()), payload);

  int32_t search = 0x79646F62;   // "body"
  int32_t replace = 0x59444F42;  // "BODY"
  ASSERT_EQ(m_object->vtbl->Replace(m_object, Path("Ball.bin.unzlib"), &search, &replace, &result),
            0);
  const auto replaced = Read(m_folder / "Ball.bin.unzlib");
  EXPECT_EQ(std::string(replaced.begin(), replaced.end()),
            "DDS  head and BODY, BODY, BODY, BODY of a texture");

  int32_t dds = 0x20534444;
  ASSERT_EQ(m_object->vtbl->StartFile2Data(m_object, Path("Ball.bin.unzlib"), Path("head"), &dds,
                                           &result),
            0);
  EXPECT_EQ(Read(m_folder / "head"), std::vector<uint8_t>{'D'});
}

TEST_F(BinaryClient, FailureComesBackAsResultAndErrorInfo) {
  Variant result{};
  const Result hr = m_object->vtbl->UnPack(m_object, Path("absent.bin"), &result);
  EXPECT_LT(hr, 0);
  EXPECT_EQ(result.vt, 0);
  Result number = 0;
  Text description = nullptr;
  ASSERT_EQ(m_errorInfo(&number, &description), 0);
  EXPECT_EQ(number, hr);
  const std::u16string text(description);
  m_free(description);
  EXPECT_NE(text.find(u"absent.bin"), std::u16string::npos);
}

}  // namespace
