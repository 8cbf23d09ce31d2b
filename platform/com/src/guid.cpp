// GUID text form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#include "com/guid.h"

#include <cstdio>

namespace com {

namespace {

constexpr size_t kTextLength = 38;
// Offsets of the hex pairs of the 16 bytes within the text, in the order of the fields.
constexpr size_t kHexOffsets[16] = {1, 3, 5, 7, 10, 12, 15, 17, 20, 22, 25, 27, 29, 31, 33, 35};
constexpr size_t kHyphenOffsets[4] = {9, 14, 19, 24};

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string GuidToString(const GUID& guid) {
  char text[kTextLength + 1];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1,
                guid.Data2, guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3],
                guid.Data4[4], guid.Data4[5], guid.Data4[6], guid.Data4[7]);
  return text;
}

std::optional<GUID> GuidFromString(std::string_view text) {
  if (text.size() != kTextLength || text.front() != '{' || text.back() != '}') return {};
  for (size_t at : kHyphenOffsets) {
    if (text[at] != '-') return {};
  }
  uint8_t bytes[16];
  for (size_t k = 0; k < 16; ++k) {
    const int high = HexValue(text[kHexOffsets[k]]);
    const int low = HexValue(text[kHexOffsets[k] + 1]);
    if (high < 0 || low < 0) return {};
    bytes[k] = static_cast<uint8_t>(high << 4 | low);
  }
  // The text lists Data1..Data3 most significant byte first.
  GUID guid{};
  guid.Data1 =
      uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
  guid.Data2 = static_cast<uint16_t>(bytes[4] << 8 | bytes[5]);
  guid.Data3 = static_cast<uint16_t>(bytes[6] << 8 | bytes[7]);
  for (size_t k = 0; k < 8; ++k) guid.Data4[k] = bytes[8 + k];
  return guid;
}

}  // namespace com
