// The module's entry points as an in-process server: class factory, unload check and
// self-registration.
#include <dlfcn.h>

#include <atomic>
#include <new>
#include <string>

#include "com/error.h"
#include "com/object.h"
#include "com/runtime.h"
#include "corvane_gorm_object.h"

namespace corvane {

namespace {

constexpr const char* kInterfaceName = "_CorvaneGorm";

std::atomic<long> g_serverLocks{0};

class ClassFactory final : public com::Object<IClassFactory> {
 public:
  HRESULT QueryInterface(REFIID iid, void** out) override {
    return com::QueryFor(this, iid, out, {IID_IUnknown, IID_IClassFactory});
  }

  HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    auto* object = new (std::nothrow) CorvaneGorm;
    if (object == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }

  HRESULT LockServer(int32_t lock) override {
    if (lock != 0) {
      ++g_serverLocks;
    } else if (g_serverLocks > 0) {
      --g_serverLocks;
    }
    return S_OK;
  }
};

}  // namespace

std::filesystem::path ModulePath() {
  static const char anchor = 0;
  Dl_info info{};
  if (dladdr(&anchor, &info) == 0 || info.dli_fname == nullptr) return {};
  std::error_code ec;
  auto path = std::filesystem::weakly_canonical(std::filesystem::absolute(info.dli_fname), ec);
  return ec ? std::filesystem::absolute(info.dli_fname) : path;
}

}  // namespace corvane

extern "C" {

__attribute__((visibility("default"))) HRESULT DllGetClassObject(const GUID* clsid, const GUID* iid,
                                                                 void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (clsid == nullptr || iid == nullptr) return E_POINTER;
  if (!(*clsid == CLSID_CorvaneGorm)) return CLASS_E_CLASSNOTAVAILABLE;
  auto* factory = new (std::nothrow) corvane::ClassFactory;
  if (factory == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = factory->QueryInterface(*iid, out);
  factory->Release();
  return hr;
}

__attribute__((visibility("default"))) HRESULT DllCanUnloadNow() {
  return com::ModuleObjectCount() == 0 && corvane::g_serverLocks == 0 ? S_OK : S_FALSE;
}

__attribute__((visibility("default"))) HRESULT DllRegisterServer() {
  try {
    const std::string module = corvane::ModulePath().string();
    if (module.empty())
      return com::SetErrorInfo(SELFREG_E_CLASS, "cannot find the module's own path");
    return ComRegisterClass(&CLSID_CorvaneGorm, kCorvaneGormProgId, module.c_str(),
                            &IID__CorvaneGorm, corvane::kInterfaceName, &LIBID_Corvane_Gorm,
                            kCorvaneGormLibraryVersion, kCorvaneGormHelpString);
  } catch (...) {
    return com::SetErrorInfo(SELFREG_E_CLASS, "registering Corvane_Gorm failed");
  }
}

__attribute__((visibility("default"))) HRESULT DllUnregisterServer() {
  return ComUnregisterClass(&CLSID_CorvaneGorm, &IID__CorvaneGorm, &LIBID_Corvane_Gorm);
}

}  // extern "C"
