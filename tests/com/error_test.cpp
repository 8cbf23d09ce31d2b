#include <gtest/gtest.h>

#include "com/error.h"
#include "com/runtime.h"

namespace {

std::string MessageOf(HRESULT hr, const std::string& call) {
  try {
    com::ThrowIfFailed(hr, call);
  } catch (const com::Error& e) {
    EXPECT_EQ(e.Code(), hr);
    return e.what();
  }
  return "(no exception)";
}

TEST(ThrowIfFailed, NamesTheCallAndCarriesTheDescription) {
  ComSetErrorInfo(E_INVALIDARG, u"Cannot unpack empty file 'Face.bin'");
  EXPECT_EQ(MessageOf(E_INVALIDARG, "Corvane_UnPack"),
            "Corvane_UnPack: Cannot unpack empty file 'Face.bin'");
}

TEST(ThrowIfFailed, FallsBackToTheCodeAndDropsStaleInfo) {
  ComSetErrorInfo(E_FAIL, u"left over from another call");
  EXPECT_EQ(MessageOf(E_POINTER, "Corvane_Pack"), "Corvane_Pack: Invalid pointer (0x80004003)");
  HRESULT number = 0;
  EXPECT_EQ(ComGetErrorInfo(&number, nullptr), S_FALSE);
  EXPECT_EQ(MessageOf(static_cast<HRESULT>(0x80041234u), "X"), "X: Error 0x80041234");
}

TEST(ThrowIfFailed, SuccessPassesQuietly) {
  EXPECT_NO_THROW(com::ThrowIfFailed(S_OK, "a"));
  EXPECT_NO_THROW(com::ThrowIfFailed(S_FALSE, "a"));
}

}  // namespace
