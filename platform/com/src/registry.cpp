// The class registry's entry points: register, unregister and look up in-process servers.
#include <cstring>
#include <exception>
#include <new>
#include <string>

#include "com/error.h"
#include "com/guid.h"
#include "com/runtime.h"
#include "registry_store.h"

namespace {

using com::GuidToString;
using namespace com::detail;

// Key and value names, as the component model names them.
constexpr const char* kClassKey = "CLSID\\";
constexpr const char* kProgIdKey = "ProgID\\";
constexpr const char* kTypeLibKey = "TypeLib\\";
constexpr const char* kInterfaceKey = "Interface\\";
constexpr const char* kInprocServer = "InprocServer32";
constexpr const char* kThreadingModel = "ThreadingModel";
constexpr const char* kApartment = "Apartment";

HRESULT Fail(HRESULT hr, const std::string& description) {
  return com::SetErrorInfo(hr, description);
}

// Runs work (which returns an HRESULT) with nothing thrown across the C boundary.
template <typename Work>
HRESULT Guarded(const char* what, Work&& work) {
  try {
    return work();
  } catch (const std::bad_alloc&) {
    return com::SetErrorInfo(E_OUTOFMEMORY, what, "out of memory");
  } catch (const std::exception& e) {
    return com::SetErrorInfo(E_FAIL, what, e.what());
  } catch (...) {
    return com::SetErrorInfo(E_FAIL, what, "unexpected failure");
  }
}

// A library name from a program identifier "Library.Class".
std::string LibraryNameOf(std::string_view progId) {
  return std::string(progId.substr(0, progId.find('.')));
}

// Each section is filled before the next is added: adding may move the ones before it.
void WriteEntries(RegistryDocument& doc, const CLSID& clsid, std::string_view progId,
                  std::string_view modulePath, const IID* iid, std::string_view interfaceName,
                  const GUID* libid, std::string_view libVersion, std::string_view helpString) {
  const std::string clsidText = GuidToString(clsid);
  const std::string libText = libid != nullptr ? GuidToString(*libid) : "";
  {
    RegistrySection& cls = doc.Reset(kClassKey + clsidText);
    cls.Set(kInprocServer, std::string(modulePath));
    cls.Set(kThreadingModel, kApartment);
    if (!progId.empty()) cls.Set("ProgID", std::string(progId));
    if (libid != nullptr) {
      cls.Set("TypeLib", libText);
      cls.Set("Version", std::string(libVersion));
    }
  }
  if (!progId.empty()) doc.Reset(kProgIdKey + std::string(progId)).Set("CLSID", clsidText);
  if (libid != nullptr) {
    RegistrySection& lib = doc.Reset(kTypeLibKey + libText + "\\" + std::string(libVersion));
    lib.Set("Name", LibraryNameOf(progId));
    lib.Set("HelpString", std::string(helpString));
    lib.Set("Path", std::string(modulePath));
  }
  if (iid != nullptr) {
    RegistrySection& itf = doc.Reset(kInterfaceKey + GuidToString(*iid));
    itf.Set("Name", std::string(interfaceName));
    if (libid != nullptr) {
      itf.Set("TypeLib", libText);
      itf.Set("Version", std::string(libVersion));
    }
  }
}

std::string_view OrEmpty(const char* text) { return text != nullptr ? text : ""; }

}  // namespace

extern "C" {

void ComSetRegistryPath(const char* utf8Path) {
  try {
    SetRegistryPathOverride(utf8Path);
  } catch (...) {
    // Leaves the earlier choice in place; the next registry call reports any problem.
  }
}

HRESULT ComGetRegistryPath(char* buffer, uint32_t bufferSize) {
  return Guarded("class registry", [&]() -> HRESULT {
    const std::string path = RegistryPath().string();
    if (buffer == nullptr || path.size() + 1 > bufferSize) return E_INVALIDARG;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return S_OK;
  });
}

HRESULT ComRegisterClass(const CLSID* clsid, const char* progId, const char* modulePath,
                         const IID* iid, const char* interfaceName, const GUID* libid,
                         const char* libVersion, const char* helpString) {
  if (clsid == nullptr || modulePath == nullptr) return E_POINTER;
  return Guarded("registering a class", [&]() -> HRESULT {
    for (std::string_view name : {OrEmpty(progId), OrEmpty(interfaceName), OrEmpty(libVersion)}) {
      if (!name.empty() && !IsValidName(name))
        return Fail(E_INVALIDARG, "invalid name: " + std::string(name));
    }
    for (std::string_view value : {OrEmpty(modulePath), OrEmpty(helpString)}) {
      if (!IsValidValue(value)) return Fail(E_INVALIDARG, "a value spans several lines");
    }
    if (*modulePath != '/') {
      return Fail(E_INVALIDARG, "the module path must be absolute: " + std::string(modulePath));
    }
    const auto path = RegistryPath();
    RegistryWriteLock lock(path);
    RegistryDocument doc = LoadRegistry(path);
    WriteEntries(doc, *clsid, OrEmpty(progId), modulePath, iid, OrEmpty(interfaceName), libid,
                 OrEmpty(libVersion), OrEmpty(helpString));
    SaveRegistry(path, doc);
    return S_OK;
  });
}

HRESULT ComUnregisterClass(const CLSID* clsid, const IID* iid, const GUID* libid) {
  if (clsid == nullptr) return E_POINTER;
  return Guarded("unregistering a class", [&]() -> HRESULT {
    const auto path = RegistryPath();
    RegistryWriteLock lock(path);
    RegistryDocument doc = LoadRegistry(path);
    const std::string clsidText = GuidToString(*clsid);
    const std::string classKey = kClassKey + clsidText;
    const std::string libKey = libid != nullptr ? kTypeLibKey + GuidToString(*libid) : "";
    const std::string interfaceKey = iid != nullptr ? kInterfaceKey + GuidToString(*iid) : "";
    const size_t removed = doc.RemoveIf([&](const RegistrySection& s) {
      if (EqualsIgnoringCase(s.name, classKey)) return true;
      if (!interfaceKey.empty() && EqualsIgnoringCase(s.name, interfaceKey)) return true;
      if (!libKey.empty() &&
          (EqualsIgnoringCase(s.name, libKey) || StartsWithIgnoringCase(s.name, libKey + "\\"))) {
        return true;
      }
      const std::string* owner = s.Value("CLSID");
      return StartsWithIgnoringCase(s.name, kProgIdKey) && owner != nullptr &&
             EqualsIgnoringCase(*owner, clsidText);
    });
    if (removed > 0) SaveRegistry(path, doc);
    return S_OK;
  });
}

HRESULT ComLookupInprocServer(const CLSID* clsid, char* buffer, uint32_t bufferSize) {
  if (clsid == nullptr) return E_POINTER;
  return Guarded("looking up a class", [&]() -> HRESULT {
    const auto path = RegistryPath();
    const RegistryDocument doc = LoadRegistry(path);
    const RegistrySection* cls = doc.Find(kClassKey + GuidToString(*clsid));
    const std::string* module = cls != nullptr ? cls->Value(kInprocServer) : nullptr;
    if (module == nullptr || module->empty()) {
      return Fail(REGDB_E_CLASSNOTREG,
                  "class " + GuidToString(*clsid) + " is not registered in " + path.string());
    }
    if (buffer == nullptr || module->size() + 1 > bufferSize) return E_INVALIDARG;
    std::memcpy(buffer, module->c_str(), module->size() + 1);
    return S_OK;
  });
}

}  // extern "C"
