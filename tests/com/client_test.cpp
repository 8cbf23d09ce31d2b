// The program's side of the library: creation by class identifier and failures as exceptions.
#include "corvane_client.h"

#include <gmock/gmock.h>

#include "com/error.h"
#include "com/guid.h"
#include "library_fixture.h"
#include "user_facing_failure.h"

namespace {

using comtest::LibraryTest;
using comtest::ReadBytes;
using comtest::WriteBytes;

// The installation's fault, told in words with the command that mends it; the class and the
// code on the detail line alone.
TEST_F(LibraryTest, ClientSaysHowToRegisterALibraryItCannotCreate) {
  const std::string command =
      (comtest::ProgramDir() / "comreg").string() + " " + comtest::LibraryModule().string();
  const auto fault = [] {
    try {
      texel::CorvaneClient::Create(comtest::ProgramDir());
    } catch (const texel::InstallationFault& e) {
      EXPECT_THAT(e.what(), testing::Not(testing::HasSubstr("0x")));
      EXPECT_THAT(e.Detail(), testing::HasSubstr(com::GuidToString(CLSID_CorvaneGorm)));
      return std::string(e.what()) + "\n" + e.Detail();
    }
    ADD_FAILURE() << "created a class it cannot have";
    return std::string();
  };
  ASSERT_EQ(comtest::ModuleEntry<DllUnregisterServerFn>("DllUnregisterServer")(), S_OK);
  EXPECT_THAT(fault(), testing::AllOf(testing::HasSubstr("library is not registered"),
                                      testing::HasSubstr("running: " + command + "\n"),
                                      testing::HasSubstr("0x80040154")));

  // Registered from a program folder that has since moved.
  const std::string moved = File("moved/Corvane_Gorm.so").string();
  ASSERT_EQ(ComRegisterClass(&CLSID_CorvaneGorm, "Corvane_Gorm.CorvaneGorm", moved.c_str(),
                             &IID__CorvaneGorm, "_CorvaneGorm", &LIBID_Corvane_Gorm, "1.0", ""),
            S_OK);
  EXPECT_THAT(fault(), testing::AllOf(testing::HasSubstr("registered as \"" + moved +
                                                         "\", and that file is missing"),
                                      testing::HasSubstr("running: " + command + "\n")));

  std::filesystem::remove(m_registry.File());
  std::filesystem::create_directory(m_registry.File());  // a registry that cannot be read
  EXPECT_THAT(fault(), testing::AllOf(testing::HasSubstr("cannot read its class registry \"" +
                                                         m_registry.File().string()),
                                      testing::HasSubstr(command)));
  std::filesystem::remove(m_registry.File());
}

TEST_F(LibraryTest, ClientRoundTripsAndNamesTheFailingMethod) {
  auto library = texel::CorvaneClient::Create(comtest::ProgramDir());
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
