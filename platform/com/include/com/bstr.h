// Owning string of the component model, and the UTF-8 / UTF-16 conversions paths travel through.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "com/runtime.h"

namespace com {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// BSTR contents as a file-system path (UTF-16 to the file system's UTF-8).
std::filesystem::path BstrToPath(BSTR text);
std::u16string_view BstrView(BSTR text);

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(std::u16string_view text)
      : m_raw(SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()))) {}
  static Bstr FromUtf8(std::string_view utf8) { return Bstr(Utf8ToUtf16(utf8)); }
  static Bstr FromPath(const std::filesystem::path& path) { return FromUtf8(path.string()); }
  static Bstr Attach(BSTR raw) {
    Bstr b;
    b.m_raw = raw;
    return b;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  Bstr(Bstr&& other) noexcept : m_raw(std::exchange(other.m_raw, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept {
    std::swap(m_raw, other.m_raw);
    return *this;
  }
  ~Bstr() { SysFreeString(m_raw); }

  BSTR Get() const { return m_raw; }
  BSTR* Address() { return &m_raw; }
  std::u16string_view View() const { return BstrView(m_raw); }
  std::string Utf8() const { return Utf16ToUtf8(View()); }

 private:
  BSTR m_raw = nullptr;
};

}  // namespace com
