#include <gtest/gtest.h>

#include <cstring>

#include "com/bstr.h"

namespace {

uint32_t BytePrefix(BSTR text) {
  uint32_t bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<const char*>(text) - sizeof bytes, sizeof bytes);
  return bytes;
}

TEST(Bstr, CarriesByteCountBeforeAndNulAfter) {
  BSTR text = SysAllocString(u"Face.bin");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(BytePrefix(text), 16u);
  EXPECT_EQ(SysStringLen(text), 8u);
  EXPECT_EQ(text[8], u'\0');
  EXPECT_EQ(std::u16string_view(text), u"Face.bin");
  SysFreeString(text);
}

TEST(Bstr, LengthCountsEmbeddedNulsAndZeroFills) {
  const char16_t withNul[] = {u'a', 0, u'b'};
  BSTR text = SysAllocStringLen(withNul, 3);
  EXPECT_EQ(SysStringLen(text), 3u);
  EXPECT_EQ(com::BstrView(text), std::u16string_view(withNul, 3));
  SysFreeString(text);

  BSTR zeros = SysAllocStringLen(nullptr, 4);
  EXPECT_EQ(BytePrefix(zeros), 8u);
  for (uint32_t i = 0; i <= 4; ++i) EXPECT_EQ(zeros[i], 0) << i;
  SysFreeString(zeros);
}

TEST(Bstr, NullIsTheEmptyString) {
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_TRUE(com::BstrView(nullptr).empty());
  SysFreeString(nullptr);
  BSTR empty = SysAllocString(u"");
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(BytePrefix(empty), 0u);
  EXPECT_EQ(empty[0], 0);
  SysFreeString(empty);
}

TEST(Bstr, RefusesLengthsBeyondTheByteCount) {
  EXPECT_EQ(SysAllocStringLen(nullptr, 0x80000000u), nullptr);
}

TEST(Utf, SurrogatePairsRoundTrip) {
  const std::string utf8 = "Gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xF0\x9F\x98\x80.dds";  // ü ß € 😀
  const std::u16string utf16 = com::Utf8ToUtf16(utf8);
  EXPECT_EQ(utf16, u"Grüß € \U0001F600.dds");
  EXPECT_EQ(utf16[7], 0xD83D);
  EXPECT_EQ(utf16[8], 0xDE00);
  EXPECT_EQ(com::Utf16ToUtf8(utf16), utf8);
}

TEST(Utf, MalformedInputBecomesReplacementWithoutLosingTheRest) {
  EXPECT_EQ(com::Utf8ToUtf16("a\xFF"
                             "b"),
            u"a\uFFFDb");
  EXPECT_EQ(com::Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong '/'
  EXPECT_EQ(com::Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // encoded surrogate
  EXPECT_EQ(com::Utf8ToUtf16("x\xE2\x82"), u"x\uFFFD\uFFFD");          // cut short
  const char16_t lone[] = {u'a', 0xD800, u'b', 0xDC00};
  EXPECT_EQ(com::Utf16ToUtf8(std::u16string_view(lone, 4)),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
}

TEST(Bstr, PathsTravelAsUtf16) {
  const std::filesystem::path path = "/tmp/T\xC3\xA9xel/Face.bin";
  com::Bstr text = com::Bstr::FromPath(path);
  EXPECT_EQ(text.View(), u"/tmp/Téxel/Face.bin");
  EXPECT_EQ(com::BstrToPath(text.Get()), path);
}

TEST(Bstr, OwnerMovesItsOneAllocation) {
  com::Bstr a(u"one");
  BSTR raw = a.Get();
  com::Bstr b(std::move(a));
  EXPECT_EQ(b.Get(), raw);
  EXPECT_EQ(a.Get(), nullptr);
  com::Bstr c(u"two");
  c = std::move(b);
  EXPECT_EQ(c.Get(), raw);
  EXPECT_EQ(c.Utf8(), "one");
}

}  // namespace
