// Strings of the component model and the UTF-8 / UTF-16 conversions between them and paths.
#include "com/bstr.h"

#include <cstdlib>
#include <cstring>

namespace {

// Layout of one allocation: a 32-bit byte count, the code units, one NUL code unit.
constexpr size_t kPrefixBytes = sizeof(uint32_t);
constexpr size_t kUnitBytes = sizeof(OLECHAR);
constexpr uint32_t kMaxLength = (UINT32_MAX - kPrefixBytes - kUnitBytes) / kUnitBytes;

constexpr char32_t kReplacement = 0xFFFD;

char* AllocationOf(BSTR text) { return reinterpret_cast<char*>(text) - kPrefixBytes; }

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    c -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (c >> 10));
    out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
  }
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Decodes one code point at utf8[i], advancing i; malformed input gives U+FFFD and skips one
// byte, so that nothing after it is lost.
char32_t DecodeUtf8(std::string_view utf8, size_t& i) {
  const auto lead = static_cast<unsigned char>(utf8[i]);
  size_t extra = 0;
  char32_t c = 0;
  char32_t least = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1, c = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, c = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, c = lead & 0x07, least = 0x10000;
  } else {
    ++i;
    return kReplacement;
  }
  if (i + extra >= utf8.size()) {
    ++i;
    return kReplacement;
  }
  for (size_t k = 1; k <= extra; ++k) {
    const auto b = static_cast<unsigned char>(utf8[i + k]);
    if (!IsContinuation(b)) {
      ++i;
      return kReplacement;
    }
    c = (c << 6) | (b & 0x3F);
  }
  if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++i;
    return kReplacement;
  }
  i += extra + 1;
  return c;
}

}  // namespace

extern "C" {

BSTR SysAllocStringLen(const OLECHAR* text, uint32_t length) {
  if (length > kMaxLength) return nullptr;
  const uint32_t bytes = length * static_cast<uint32_t>(kUnitBytes);
  auto* block = static_cast<char*>(std::malloc(kPrefixBytes + bytes + kUnitBytes));
  if (block == nullptr) return nullptr;
  std::memcpy(block, &bytes, kPrefixBytes);
  auto* units = reinterpret_cast<OLECHAR*>(block + kPrefixBytes);
  if (text != nullptr) {
    std::memcpy(units, text, bytes);
  } else {
    std::memset(units, 0, bytes);
  }
  units[length] = 0;
  return units;
}

BSTR SysAllocString(const OLECHAR* text) {
  if (text == nullptr) return nullptr;
  uint32_t length = 0;
  while (text[length] != 0) ++length;
  return SysAllocStringLen(text, length);
}

void SysFreeString(BSTR text) {
  if (text != nullptr) std::free(AllocationOf(text));
}

uint32_t SysStringLen(BSTR text) {
  if (text == nullptr) return 0;
  uint32_t bytes = 0;
  std::memcpy(&bytes, AllocationOf(text), kPrefixBytes);
  return bytes / static_cast<uint32_t>(kUnitBytes);
}

}  // extern "C"

namespace com {

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) AppendUtf16(out, DecodeUtf8(utf8, i));
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  for (size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;  // a lone surrogate
    }
    AppendUtf8(out, c);
  }
  return out;
}

std::u16string_view BstrView(BSTR text) {
  if (text == nullptr) return {};
  return {text, SysStringLen(text)};
}

std::filesystem::path BstrToPath(BSTR text) { return {Utf16ToUtf8(BstrView(text))}; }

}  // namespace com
