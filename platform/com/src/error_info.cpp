// Per-thread error info. It lives in libtfcom.so, which every module and client shares, so a
// server sets it and its caller reads it whatever module either sits in.
#include <string>

#include "com/runtime.h"

namespace {

struct ErrorInfo {
  bool present = false;
  HRESULT number = 0;
  std::u16string description;
};

thread_local ErrorInfo t_errorInfo;

}  // namespace

extern "C" {

void ComSetErrorInfo(HRESULT number, const OLECHAR* description) {
  ErrorInfo& info = t_errorInfo;
  info.present = true;
  info.number = number;
  try {
    info.description = description != nullptr ? description : u"";
  } catch (...) {
    info.description.clear();  // out of memory: keep the number at least
  }
}

HRESULT ComGetErrorInfo(HRESULT* number, BSTR* description) {
  if (description != nullptr) *description = nullptr;
  ErrorInfo& info = t_errorInfo;
  if (!info.present) return S_FALSE;
  if (number != nullptr) *number = info.number;
  if (description != nullptr) {
    *description =
        SysAllocStringLen(info.description.data(), static_cast<uint32_t>(info.description.size()));
    if (*description == nullptr) return E_OUTOFMEMORY;
  }
  info.present = false;
  info.description.clear();
  return S_OK;
}

void ComClearErrorInfo() {
  t_errorInfo.present = false;
  t_errorInfo.description.clear();
}

}  // extern "C"
