// Class creation: registry lookup, module loading and the module's class factory.
#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "com/error.h"
#include "com/guid.h"
#include "com/ptr.h"
#include "com/runtime.h"

namespace {

constexpr uint32_t kFirstPathBuffer = 4096;
constexpr uint32_t kLargestPathBuffer = 1u << 20;

HRESULT LookUp(const CLSID& clsid, std::string& modulePath) {
  std::vector<char> buffer(kFirstPathBuffer);
  for (;;) {
    const HRESULT hr =
        ComLookupInprocServer(&clsid, buffer.data(), static_cast<uint32_t>(buffer.size()));
    if (hr != E_INVALIDARG || buffer.size() >= kLargestPathBuffer) {
      if (SUCCEEDED(hr)) modulePath = buffer.data();
      return hr;
    }
    buffer.resize(buffer.size() * 2);
  }
}

// Modules stay loaded for the life of the process: objects they made may outlive any count we
// could keep here.
std::mutex g_modulesMutex;
std::map<std::string, void*> g_modules;

void* LoadModule(const std::string& path, std::string& error) {
  std::lock_guard lock(g_modulesMutex);
  if (auto it = g_modules.find(path); it != g_modules.end()) return it->second;
  void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (module == nullptr) {
    const char* why = dlerror();
    error = why != nullptr ? why : "unknown error";
    return nullptr;
  }
  g_modules.emplace(path, module);
  return module;
}

HRESULT Create(const CLSID& clsid, IUnknown* outer, const IID& iid, void** out) {
  std::string modulePath;
  if (const HRESULT hr = LookUp(clsid, modulePath); FAILED(hr)) return hr;

  std::string error;
  void* module = LoadModule(modulePath, error);
  if (module == nullptr) {
    return com::SetErrorInfo(CO_E_ERRORINDLL, "cannot load the module of class " +
                                                  com::GuidToString(clsid) + ": " + error);
  }
  auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(module, "DllGetClassObject"));
  if (getClassObject == nullptr) {
    return com::SetErrorInfo(CO_E_ERRORINDLL, modulePath + " does not export DllGetClassObject");
  }
  com::Ptr<IClassFactory> factory;
  if (const HRESULT hr = getClassObject(&clsid, &IID_IClassFactory, factory.Out()); FAILED(hr)) {
    return hr;
  }
  if (!factory) return com::SetErrorInfo(E_FAIL, modulePath + " returned no class factory");
  return factory->CreateInstance(outer, iid, out);
}

}  // namespace

extern "C" HRESULT CoCreateInstance(const CLSID* clsid, IUnknown* outer, uint32_t context,
                                    const IID* iid, void** out) {
  if (out == nullptr) return E_POINTER;
  *out = nullptr;
  if (clsid == nullptr || iid == nullptr) return E_POINTER;
  try {
    if ((context & CLSCTX_INPROC_SERVER) == 0) {
      return com::SetErrorInfo(REGDB_E_CLASSNOTREG, "only in-process servers are available");
    }
    return Create(*clsid, outer, *iid, out);
  } catch (...) {
    return com::SetErrorInfo(E_OUTOFMEMORY, "out of memory while creating an object");
  }
}
