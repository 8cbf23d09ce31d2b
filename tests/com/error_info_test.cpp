#include <gtest/gtest.h>

#include <thread>

#include "com_test_support.h"

namespace {

using comtest::TakeErrorInfo;

TEST(ErrorInfo, ReadingTakesItAway) {
  ComSetErrorInfo(E_FAIL, u"first");
  ComSetErrorInfo(E_INVALIDARG, u"second");
  const auto info = TakeErrorInfo();
  EXPECT_TRUE(info.present);
  EXPECT_EQ(info.number, E_INVALIDARG);
  EXPECT_EQ(info.description, "second");
  EXPECT_FALSE(TakeErrorInfo().present);
  HRESULT number = 0;
  BSTR text = reinterpret_cast<BSTR>(1);
  EXPECT_EQ(ComGetErrorInfo(&number, &text), S_FALSE);
  EXPECT_EQ(text, nullptr);
}

TEST(ErrorInfo, ClearDropsIt) {
  ComSetErrorInfo(E_FAIL, u"stale");
  ComClearErrorInfo();
  EXPECT_FALSE(TakeErrorInfo().present);
}

TEST(ErrorInfo, BelongsToOneThread) {
  ComSetErrorInfo(E_FAIL, u"main");
  comtest::TakenErrorInfo seen;
  std::thread other([&] {
    seen = TakeErrorInfo();
    ComSetErrorInfo(E_POINTER, u"other");
  });
  other.join();
  EXPECT_FALSE(seen.present);
  const auto mine = TakeErrorInfo();
  EXPECT_EQ(mine.number, E_FAIL);
  EXPECT_EQ(mine.description, "main");
}

}  // namespace
