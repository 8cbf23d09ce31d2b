// Failing results as exceptions on the client side.
#include "com/error.h"

#include <cstdio>

#include "com/bstr.h"
#include "com/runtime.h"

namespace com {

namespace {

struct KnownResult {
  HRESULT code;
  const char* text;
};

constexpr KnownResult kKnownResults[] = {
    {S_OK, "Success"},
    {S_FALSE, "Success (false)"},
    {E_NOTIMPL, "Not implemented"},
    {E_NOINTERFACE, "No such interface supported"},
    {E_POINTER, "Invalid pointer"},
    {E_FAIL, "Unspecified error"},
    {E_OUTOFMEMORY, "Out of memory"},
    {E_INVALIDARG, "One or more arguments are invalid"},
    {CLASS_E_NOAGGREGATION, "Class does not support aggregation"},
    {CLASS_E_CLASSNOTAVAILABLE, "The module does not provide this class"},
    {REGDB_E_CLASSNOTREG, "Class not registered"},
    {CO_E_ERRORINDLL, "The module of the class cannot be loaded"},
    {DISP_E_MEMBERNOTFOUND, "Member not found"},
    {DISP_E_TYPEMISMATCH, "Type mismatch"},
    {DISP_E_UNKNOWNNAME, "Unknown name"},
    {DISP_E_NONAMEDARGS, "No named arguments"},
    {DISP_E_EXCEPTION, "Exception occurred"},
    {DISP_E_BADPARAMCOUNT, "Invalid number of parameters"},
    {SELFREG_E_CLASS, "Registering the class failed"},
};

}  // namespace

Error::Error(HRESULT code, const std::string& description)
    : std::runtime_error(description), m_code(code) {}

std::string DescribeResult(HRESULT hr) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<uint32_t>(hr));
  for (const KnownResult& known : kKnownResults) {
    if (known.code == hr) return std::string(known.text) + " (" + code + ")";
  }
  return std::string("Error ") + code;
}

HRESULT SetErrorInfo(HRESULT hr, std::string_view description) noexcept {
  try {
    ComSetErrorInfo(hr, Utf8ToUtf16(description).c_str());
  } catch (...) {
    ComSetErrorInfo(hr, nullptr);
  }
  return hr;
}

HRESULT SetErrorInfo(HRESULT hr, std::string_view call, std::string_view detail) noexcept {
  try {
    std::string text(call);
    text.append(": ").append(detail);
    return SetErrorInfo(hr, text);
  } catch (...) {
    return SetErrorInfo(hr, call);
  }
}

void ThrowIfFailed(HRESULT hr, const std::string& call) {
  if (SUCCEEDED(hr)) return;
  HRESULT number = 0;
  BSTR raw = nullptr;
  // Reading takes the info away; info for another code is stale and is dropped with it.
  const bool haveInfo = ComGetErrorInfo(&number, &raw) == S_OK;
  const Bstr description = Bstr::Attach(raw);
  std::string text = haveInfo && number == hr && !description.View().empty() ? description.Utf8()
                                                                             : DescribeResult(hr);
  throw Error(hr, call + ": " + text);
}

}  // namespace com
