// Class creation through the registry: lookup, module loading, the class factory.
#include "library_fixture.h"

namespace {

using comtest::LibraryTest;
using comtest::ModuleEntry;

constexpr CLSID kUnknownClass = {0x0BADC0DE, 0x0001, 0x0002, {1, 2, 3, 4, 5, 6, 7, 8}};

TEST_F(LibraryTest, CreatesTheRegisteredClassFromTheModulesOwnPath) {
  char module[4096];
  ASSERT_EQ(ComLookupInprocServer(&CLSID_CorvaneGorm, module, sizeof module), S_OK);
  EXPECT_EQ(std::filesystem::path(module),
            std::filesystem::weakly_canonical(comtest::LibraryModule()));
  const std::string text = comtest::ReadText(m_registry.File());
  EXPECT_NE(text.find("HelpString=CorvaneGorm Library By Dremmwel"), std::string::npos);
  EXPECT_NE(text.find("[TypeLib\\{57836394-9F1A-4EB5-A4FD-EFDBE64DEFF1}\\8.0]"), std::string::npos);
  EXPECT_NE(text.find("[Interface\\{2289D7B8-7306-407D-9889-4E7AC3BF08A8}]"), std::string::npos);
  EXPECT_NE(text.find("Name=Corvane_Gorm"), std::string::npos);

  com::Ptr<IDispatch> object;
  ASSERT_EQ(CoCreateInstance(&CLSID_CorvaneGorm, nullptr, CLSCTX_INPROC_SERVER, &IID_IDispatch,
                             object.Out()),
            S_OK);
  EXPECT_TRUE(object);
}

TEST_F(LibraryTest, UnregisteredClassIsReported) {
  ASSERT_EQ(ModuleEntry<DllUnregisterServerFn>("DllUnregisterServer")(), S_OK);
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(
      CoCreateInstance(&CLSID_CorvaneGorm, nullptr, CLSCTX_INPROC_SERVER, &IID_IUnknown, &out),
      REGDB_E_CLASSNOTREG);
  EXPECT_EQ(out, nullptr);
  EXPECT_NE(comtest::TakeErrorInfo().description.find("7CA11F19-433B-4F61-8CE0-0BEEBE1AB50C"),
            std::string::npos);
  EXPECT_EQ(comtest::ReadText(m_registry.File()).find("Corvane"), std::string::npos);
}

TEST_F(LibraryTest, ModuleThatCannotServeIsAnErrorInTheModule) {
  ASSERT_EQ(
      ComRegisterClass(&kUnknownClass, "", "/nonexistent/Thing.so", nullptr, "", nullptr, "", ""),
      S_OK);
  void* out = nullptr;
  EXPECT_EQ(CoCreateInstance(&kUnknownClass, nullptr, CLSCTX_INPROC_SERVER, &IID_IUnknown, &out),
            CO_E_ERRORINDLL);
  EXPECT_NE(comtest::TakeErrorInfo().description.find("/nonexistent/Thing.so"), std::string::npos);

  // A loadable file that is no server.
  const auto runtime = (comtest::ProgramDir() / "libtfcom.so").string();
  ASSERT_EQ(ComRegisterClass(&kUnknownClass, "", runtime.c_str(), nullptr, "", nullptr, "", ""),
            S_OK);
  EXPECT_EQ(CoCreateInstance(&kUnknownClass, nullptr, CLSCTX_INPROC_SERVER, &IID_IUnknown, &out),
            CO_E_ERRORINDLL);
  EXPECT_NE(comtest::TakeErrorInfo().description.find("DllGetClassObject"), std::string::npos);

  // The library's module asked for a class it does not hold.
  const auto library = comtest::LibraryModule().string();
  ASSERT_EQ(ComRegisterClass(&kUnknownClass, "", library.c_str(), nullptr, "", nullptr, "", ""),
            S_OK);
  EXPECT_EQ(CoCreateInstance(&kUnknownClass, nullptr, CLSCTX_INPROC_SERVER, &IID_IUnknown, &out),
            CLASS_E_CLASSNOTAVAILABLE);
}

TEST_F(LibraryTest, ClassFactoryRefusesAggregationAndCountsLocks) {
  const auto getClassObject = ModuleEntry<DllGetClassObjectFn>("DllGetClassObject");
  const auto canUnloadNow = ModuleEntry<DllCanUnloadNowFn>("DllCanUnloadNow");
  EXPECT_EQ(canUnloadNow(), S_OK);

  com::Ptr<IClassFactory> factory;
  ASSERT_EQ(getClassObject(&CLSID_CorvaneGorm, &IID_IClassFactory, factory.Out()), S_OK);
  EXPECT_EQ(canUnloadNow(), S_FALSE);  // the factory is an object of the module

  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(factory.Get(), IID_IUnknown, &out), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);

  EXPECT_EQ(factory->LockServer(1), S_OK);
  factory.Reset();
  EXPECT_EQ(canUnloadNow(), S_FALSE);
  {
    com::Ptr<IClassFactory> again;
    ASSERT_EQ(getClassObject(&CLSID_CorvaneGorm, &IID_IClassFactory, again.Out()), S_OK);
    EXPECT_EQ(again->LockServer(0), S_OK);
  }
  EXPECT_EQ(canUnloadNow(), S_OK);

  {
    auto object = Create();
    EXPECT_EQ(canUnloadNow(), S_FALSE);
  }
  EXPECT_EQ(canUnloadNow(), S_OK);
}

}  // namespace
