#include "dispatch_table.h"

#include <array>
#include <string_view>

#include "com/bstr.h"
#include "com/error.h"
#include "com/runtime.h"

namespace corvane {

namespace {

enum class Kind { Text, Long };

// One method's parameters, converted: pointers to the caller's values (by reference) or to the
// copies below (by value).
struct Arguments {
  static constexpr size_t kMost = 4;
  std::array<void*, kMost> slots{};
  std::array<BSTR, kMost> texts{};
  std::array<int32_t, kMost> longs{};

  BSTR* Text(size_t i) const { return static_cast<BSTR*>(slots[i]); }
  int32_t* Long(size_t i) const { return static_cast<int32_t*>(slots[i]); }
};

using Call = HRESULT (*)(_CorvaneGorm&, const Arguments&, VARIANT*);

struct Method {
  std::u16string_view name;
  std::array<Kind, Arguments::kMost> kinds;
  size_t count;
  Call call;
};

constexpr Kind T = Kind::Text;
constexpr Kind L = Kind::Long;

// In slot order; the DISPID is the index + 1.
const Method kMethods[] = {
    {u"CompressFile",
     {T, T},
     2,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.CompressFile(a.Text(0), a.Text(1), r);
     }},
    {u"UncompressFile",
     {T, T},
     2,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.UncompressFile(a.Text(0), a.Text(1), r);
     }},
    {u"Corvane_UnPack",
     {T},
     1,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.Corvane_UnPack(a.Text(0), r);
     }},
    {u"Corvane_Pack",
     {T},
     1,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) { return o.Corvane_Pack(a.Text(0), r); }},
    {u"Corvane_Export_StartFile2Data",
     {T, T, L},
     3,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.Corvane_Export_StartFile2Data(a.Text(0), a.Text(1), a.Long(2), r);
     }},
    {u"Corvane_Export_Data2Data",
     {T, L, L, T},
     4,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.Corvane_Export_Data2Data(a.Text(0), a.Long(1), a.Long(2), a.Text(3), r);
     }},
    {u"Corvane_Export_Data2FinishFile",
     {T, L, T},
     3,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.Corvane_Export_Data2FinishFile(a.Text(0), a.Long(1), a.Text(2), r);
     }},
    {u"Corvane_Replace",
     {T, L, L},
     3,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.Corvane_Replace(a.Text(0), a.Long(1), a.Long(2), r);
     }},
    {u"Corvane_ReplaceFHTexture",
     {T, T},
     2,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.Corvane_ReplaceFHTexture(a.Text(0), a.Text(1), r);
     }},
    {u"Corvane_DDS2BMP",
     {T},
     1,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.Corvane_DDS2BMP(a.Text(0), r);
     }},
    {u"Corvane_DDS2PNG",
     {T},
     1,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.Corvane_DDS2PNG(a.Text(0), r);
     }},
    {u"Corvane_DDS2JPG",
     {T},
     1,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.Corvane_DDS2JPG(a.Text(0), r);
     }},
    {u"Corvane_DDS2GIF",
     {T},
     1,
     [](_CorvaneGorm& o, const Arguments& a, VARIANT* r) {
       return o.Corvane_DDS2GIF(a.Text(0), r);
     }},
};

constexpr const char16_t* kSource = u"Corvane_Gorm.CorvaneGorm";

char16_t Lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? c - u'A' + u'a' : c; }

bool SameName(std::u16string_view a, const char16_t* b) {
  size_t i = 0;
  for (; i < a.size(); ++i) {
    if (b[i] == 0 || Lower(a[i]) != Lower(b[i])) return false;
  }
  return b[i] == 0;
}

// A by-reference variant stands for the variant it points to.
const VARIANT* Unwrap(const VARIANT& v) {
  if (v.vt == (VT_VARIANT | VT_BYREF)) return v.pvarVal;
  return &v;
}

bool Convert(VARIANT& given, Kind kind, size_t i, Arguments& args) {
  const VARIANT* v = Unwrap(given);
  if (v == nullptr) return false;
  if (kind == Kind::Text) {
    if (v->vt == (VT_BSTR | VT_BYREF) && v->pbstrVal != nullptr) {
      args.slots[i] = v->pbstrVal;
      return true;
    }
    if (v->vt == VT_BSTR) {
      args.texts[i] = v->bstrVal;
      args.slots[i] = &args.texts[i];
      return true;
    }
    return false;
  }
  if (v->vt == (VT_I4 | VT_BYREF) && v->plVal != nullptr) {
    args.slots[i] = v->plVal;
    return true;
  }
  if (v->vt == VT_I4) {
    args.longs[i] = v->lVal;
    args.slots[i] = &args.longs[i];
    return true;
  }
  return false;
}

// Never throws: out of memory leaves the description empty.
void FillException(EXCEPINFO& info, HRESULT hr) noexcept {
  HRESULT number = 0;
  BSTR description = nullptr;
  if (ComGetErrorInfo(&number, &description) != S_OK || SysStringLen(description) == 0) {
    SysFreeString(description);
    description = nullptr;
    try {
      description = SysAllocString(com::Utf8ToUtf16(com::DescribeResult(hr)).c_str());
    } catch (...) {
    }
  }
  info = EXCEPINFO{};
  info.bstrSource = SysAllocString(kSource);
  info.bstrDescription = description;
  info.scode = hr;
}

}  // namespace

HRESULT DispatchIdsOfNames(LPOLESTR* names, uint32_t count, DISPID* ids) {
  if (names == nullptr || ids == nullptr) return E_POINTER;
  if (count == 0) return S_OK;
  // Only the member name is known; parameters go by position.
  for (uint32_t i = 1; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  ids[0] = DISPID_UNKNOWN;
  if (names[0] == nullptr) return DISP_E_UNKNOWNNAME;
  for (size_t k = 0; k < std::size(kMethods); ++k) {
    if (SameName(kMethods[k].name, names[0])) {
      ids[0] = static_cast<DISPID>(k + 1);
      return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
    }
  }
  return DISP_E_UNKNOWNNAME;
}

HRESULT DispatchInvoke(_CorvaneGorm& object, DISPID id, uint16_t flags, DISPPARAMS* params,
                       VARIANT* result, EXCEPINFO* excepInfo, uint32_t* argErr) {
  if (id < 1 || static_cast<size_t>(id) > std::size(kMethods)) return DISP_E_MEMBERNOTFOUND;
  if ((flags & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
  if (params == nullptr) return E_POINTER;
  if (params->cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  const Method& method = kMethods[id - 1];
  if (params->cArgs != method.count) return DISP_E_BADPARAMCOUNT;
  if (method.count > 0 && params->rgvarg == nullptr) return E_POINTER;

  Arguments args;
  for (size_t i = 0; i < method.count; ++i) {
    const size_t slot = method.count - 1 - i;  // arguments arrive last first
    if (!Convert(params->rgvarg[slot], method.kinds[i], i, args)) {
      if (argErr != nullptr) *argErr = static_cast<uint32_t>(slot);
      return DISP_E_TYPEMISMATCH;
    }
  }

  VARIANT local{};
  const HRESULT hr = method.call(object, args, result != nullptr ? result : &local);
  if (SUCCEEDED(hr) || excepInfo == nullptr) return hr;
  FillException(*excepInfo, hr);
  return DISP_E_EXCEPTION;
}

}  // namespace corvane
