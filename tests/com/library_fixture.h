// Tests of the CorvaneGorm class: the built module registered into a registry of the test's own,
// objects created by class identifier, scratch files in a folder of their own.
#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "com/ptr.h"
#include "com_test_support.h"
#include "corvane_gorm.h"

namespace comtest {

template <typename Fn>
Fn ModuleEntry(const char* name) {
  void* module = dlopen(LibraryModule().c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) throw std::runtime_error(dlerror());
  return reinterpret_cast<Fn>(dlsym(module, name));
}

class LibraryTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ModuleEntry<DllRegisterServerFn>("DllRegisterServer")(), S_OK);
    ComClearErrorInfo();
  }

  static com::Ptr<_CorvaneGorm> Create() {
    com::Ptr<_CorvaneGorm> object;
    const HRESULT hr = CoCreateInstance(&CLSID_CorvaneGorm, nullptr, CLSCTX_INPROC_SERVER,
                                        &IID__CorvaneGorm, object.Out());
    EXPECT_EQ(hr, S_OK);
    return object;
  }

  fs::path File(const std::string& name) const { return m_files / name; }

  ScopedRegistry m_registry;
  TempFolder m_files;
};

}  // namespace comtest
