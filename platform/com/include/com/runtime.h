// The component-model runtime: strings, per-thread error info, the class registry and class
// creation. Exported with C linkage from libtfcom.so, which servers and clients both load, so
// that a string allocated on one side is freed on the other and error info crosses modules.
#pragma once

#include "com/types.h"

extern "C" {

// Strings. A NULL BSTR is the empty string.
BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length);  // text may be NULL: zero-filled
void SysFreeString(BSTR text);
uint32_t SysStringLen(BSTR text);  // in code units

// Per-thread error info left by a failing call. Setting replaces what was there; reading takes
// it away (the caller owns the returned description). Returns S_FALSE when there is none.
void ComSetErrorInfo(HRESULT number, const OLECHAR* description);
HRESULT ComGetErrorInfo(HRESULT* number, BSTR* description);
void ComClearErrorInfo();

// Registry. Default location: $XDG_CONFIG_HOME/texelforge/com-registry (or ~/.config/...);
// TF_COM_REGISTRY names another file, and ComSetRegistryPath overrides both (NULL resets).
void ComSetRegistryPath(const char* utf8Path);
// Copies the registry file in use into buffer (UTF-8, NUL-terminated); E_INVALIDARG when the
// buffer is too small.
HRESULT ComGetRegistryPath(char* buffer, uint32_t bufferSize);
// Writes the class entry (module path, server name, type library and version), the interface
// entry and the type library entry (named after progId's part before its first dot). Keys are
// written atomically; a second call replaces them.
HRESULT ComRegisterClass(const CLSID* clsid, const char* progId, const char* modulePath,
                         const IID* iid, const char* interfaceName, const GUID* libid,
                         const char* libVersion, const char* helpString);
HRESULT ComUnregisterClass(const CLSID* clsid, const IID* iid, const GUID* libid);
// Copies the registered module path of clsid into buffer (UTF-8, NUL-terminated).
// REGDB_E_CLASSNOTREG when absent, E_INVALIDARG when the buffer is too small.
HRESULT ComLookupInprocServer(const CLSID* clsid, char* buffer, uint32_t bufferSize);

// Class creation: looks clsid up in the registry, loads the module, asks its class factory.
HRESULT CoCreateInstance(const CLSID* clsid, IUnknown* outer, uint32_t context, const IID* iid,
                         void** out);
constexpr uint32_t CLSCTX_INPROC_SERVER = 1;

}  // extern "C"
