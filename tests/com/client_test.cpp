// The program's side of the library: creation by class identifier and failures as exceptions.
#include "corvane_client.h"

#include "com/error.h"
#include "library_fixture.h"

namespace {

using comtest::LibraryTest;
using comtest::ReadBytes;
using comtest::WriteBytes;

TEST_F(LibraryTest, ClientSaysHowToRegisterAnUnknownLibrary) {
  ASSERT_EQ(comtest::ModuleEntry<DllUnregisterServerFn>("DllUnregisterServer")(), S_OK);
  try {
    texel::CorvaneClient::Create();
    FAIL() << "created an unregistered class";
  } catch (const com::Error& e) {
    EXPECT_EQ(e.Code(), REGDB_E_CLASSNOTREG);
    const std::string message = e.what();
    EXPECT_NE(message.find("not registered"), std::string::npos) << message;
    EXPECT_NE(message.find("run comreg Corvane_Gorm.so from the program folder"), std::string::npos)
        << message;
  }
}

TEST_F(LibraryTest, ClientRoundTripsAndNamesTheFailingMethod) {
  auto library = texel::CorvaneClient::Create();
  const auto payload = comtest::SamplePayload(3000);
  WriteBytes(File("Hair.bin.unzlib"), payload);
  library.Corvane_Pack(File("Hair.bin.unzlib"));
  std::filesystem::rename(File("Hair.bin.unzlib.zlib"), File("Hair.bin"));
  library.Corvane_UnPack(File("Hair.bin"));
  EXPECT_EQ(ReadBytes(File("Hair.bin.unzlib")), payload);

  try {
    library.Corvane_Export_Data2FinishFile(File("absent.bin"), 0x20534444, File("Hair.dds"));
    FAIL() << "cut a missing file";
  } catch (const com::Error& e) {
    const std::string message = e.what();
    EXPECT_TRUE(FAILED(e.Code()));
    EXPECT_EQ(message.rfind("Corvane_Export_Data2FinishFile: ", 0), 0u) << message;
    EXPECT_NE(message.find("absent.bin"), std::string::npos) << message;
  }
}

}  // namespace
