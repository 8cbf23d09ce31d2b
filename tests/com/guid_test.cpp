#include <gtest/gtest.h>

#include "com/guid.h"

namespace {

constexpr GUID kSample = {
    0x7CA11F19, 0x433B, 0x4F61, {0x8C, 0xE0, 0x0B, 0xEE, 0xBE, 0x1A, 0xB5, 0x0C}};

TEST(Guid, TextRoundTrip) {
  EXPECT_EQ(com::GuidToString(kSample), "{7CA11F19-433B-4F61-8CE0-0BEEBE1AB50C}");
  const auto parsed = com::GuidFromString("{7ca11f19-433b-4f61-8ce0-0beebe1ab50c}");
  ASSERT_TRUE(parsed);
  EXPECT_TRUE(*parsed == kSample);
  EXPECT_EQ(com::GuidToString(IID_IDispatch), "{00020400-0000-0000-C000-000000000046}");
}

TEST(Guid, RefusesMalformedText) {
  for (const char* bad :
       {"", "7CA11F19-433B-4F61-8CE0-0BEEBE1AB50C", "{7CA11F19-433B-4F61-8CE0-0BEEBE1AB50}",
        "{7CA11F19-433B-4F61-8CE0-0BEEBE1AB50CC}", "{7CA11F19+433B-4F61-8CE0-0BEEBE1AB50C}",
        "{7CA11F1G-433B-4F61-8CE0-0BEEBE1AB50C}"}) {
    EXPECT_FALSE(com::GuidFromString(bad)) << bad;
  }
}

}  // namespace
