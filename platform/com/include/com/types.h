// Binary contract of the component model: identifiers, result codes, strings, variants and the
// three base interfaces, laid out as the component model lays them out on a 64-bit machine.
// A client that knows only this file can load a module and call its objects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" {

using HRESULT = int32_t;
using ULONG = uint32_t;
using DISPID = int32_t;
using LCID = uint32_t;
using OLECHAR = char16_t;
using LPOLESTR = OLECHAR*;
// Pointer to the first code unit; a 32-bit byte count stands right before it, a NUL after it.
using BSTR = OLECHAR*;
using VARTYPE = uint16_t;

struct GUID {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
};
static_assert(sizeof(GUID) == 16);
using IID = GUID;
using CLSID = GUID;
using REFIID = const GUID&;
using REFCLSID = const GUID&;

}  // extern "C"

inline bool operator==(const GUID& a, const GUID& b) {
  return std::memcmp(&a, &b, sizeof(GUID)) == 0;
}

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_NOTIMPL = static_cast<HRESULT>(0x80004001u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);
constexpr HRESULT E_POINTER = static_cast<HRESULT>(0x80004003u);
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT CLASS_E_NOAGGREGATION = static_cast<HRESULT>(0x80040110u);
constexpr HRESULT CLASS_E_CLASSNOTAVAILABLE = static_cast<HRESULT>(0x80040111u);
constexpr HRESULT REGDB_E_CLASSNOTREG = static_cast<HRESULT>(0x80040154u);
constexpr HRESULT CO_E_ERRORINDLL = static_cast<HRESULT>(0x800401F9u);
constexpr HRESULT DISP_E_MEMBERNOTFOUND = static_cast<HRESULT>(0x80020003u);
constexpr HRESULT DISP_E_TYPEMISMATCH = static_cast<HRESULT>(0x80020005u);
constexpr HRESULT DISP_E_UNKNOWNNAME = static_cast<HRESULT>(0x80020006u);
constexpr HRESULT DISP_E_NONAMEDARGS = static_cast<HRESULT>(0x80020007u);
constexpr HRESULT DISP_E_EXCEPTION = static_cast<HRESULT>(0x80020009u);
constexpr HRESULT DISP_E_BADPARAMCOUNT = static_cast<HRESULT>(0x8002000Eu);
constexpr HRESULT SELFREG_E_CLASS = static_cast<HRESULT>(0x80040201u);

constexpr bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
constexpr bool FAILED(HRESULT hr) { return hr < 0; }

constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_BSTR = 8;
constexpr VARTYPE VT_ERROR = 10;
constexpr VARTYPE VT_VARIANT = 12;
constexpr VARTYPE VT_BYREF = 0x4000;

constexpr uint16_t DISPATCH_METHOD = 1;
constexpr DISPID DISPID_UNKNOWN = -1;

extern "C" {

struct VARIANT {
  VARTYPE vt;
  uint16_t wReserved1;
  uint16_t wReserved2;
  uint16_t wReserved3;
  union {
    int32_t lVal;
    HRESULT scode;
    BSTR bstrVal;
    BSTR* pbstrVal;
    int32_t* plVal;
    VARIANT* pvarVal;
    struct {
      void* pvRecord;
      void* pRecInfo;
    } record;
  };
};
static_assert(sizeof(VARIANT) == 24, "VARIANT is 24 bytes on 64-bit");
static_assert(offsetof(VARIANT, vt) == 0);

struct DISPPARAMS {
  VARIANT* rgvarg;  // arguments in reverse order: rgvarg[0] is the last one
  DISPID* rgdispidNamedArgs;
  uint32_t cArgs;
  uint32_t cNamedArgs;
};

struct EXCEPINFO {
  uint16_t wCode;
  uint16_t wReserved;
  BSTR bstrSource;
  BSTR bstrDescription;
  BSTR bstrHelpFile;
  uint32_t dwHelpContext;
  void* pvReserved;
  HRESULT (*pfnDeferredFillIn)(EXCEPINFO*);
  HRESULT scode;
};

struct ITypeInfo;  // type information is not offered

}  // extern "C"

// Interfaces: pure virtual members and no virtual destructor, so that the vtable holds exactly
// the slots below, in order, each called as `HRESULT slot(self, ...)`.
struct IUnknown {
  virtual HRESULT QueryInterface(REFIID iid, void** out) = 0;
  virtual ULONG AddRef() = 0;
  virtual ULONG Release() = 0;

 protected:
  ~IUnknown() = default;
};

struct IDispatch : IUnknown {
  virtual HRESULT GetTypeInfoCount(uint32_t* count) = 0;
  virtual HRESULT GetTypeInfo(uint32_t index, LCID lcid, ITypeInfo** info) = 0;
  virtual HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, uint32_t count, LCID lcid,
                                DISPID* ids) = 0;
  virtual HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, uint16_t flags, DISPPARAMS* params,
                         VARIANT* result, EXCEPINFO* excepInfo, uint32_t* argErr) = 0;

 protected:
  ~IDispatch() = default;
};

struct IClassFactory : IUnknown {
  virtual HRESULT CreateInstance(IUnknown* outer, REFIID iid, void** out) = 0;
  virtual HRESULT LockServer(int32_t lock) = 0;

 protected:
  ~IClassFactory() = default;
};

// Standard identifiers of the base interfaces.
inline constexpr IID IID_IUnknown = {
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IDispatch = {
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_IClassFactory = {
    0x00000001, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
inline constexpr IID IID_NULL = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

// Entry points an in-process server module exports with C linkage.
extern "C" {
using DllGetClassObjectFn = HRESULT (*)(const GUID* clsid, const GUID* iid, void** out);
using DllCanUnloadNowFn = HRESULT (*)();
using DllRegisterServerFn = HRESULT (*)();
using DllUnregisterServerFn = HRESULT (*)();
}
