// Reference counting of com::Object and com::Ptr, counted exactly with an instrumented class.
#include <gtest/gtest.h>

#include "com/object.h"
#include "com/ptr.h"

namespace {

struct Counts {
  int constructed = 0;
  int destroyed = 0;
  int queries = 0;
};

Counts g_counts;

constexpr IID IID_ICounted = {0x1B4C8F0E, 0x2D3A, 0x4E5F, {1, 2, 3, 4, 5, 6, 7, 8}};

struct ICounted : IUnknown {
  virtual int Value() = 0;

 protected:
  ~ICounted() = default;
};

class Counted final : public com::Object<ICounted> {
 public:
  Counted() { ++g_counts.constructed; }
  ~Counted() override { ++g_counts.destroyed; }
  HRESULT QueryInterface(REFIID iid, void** out) override {
    ++g_counts.queries;
    return com::QueryFor(this, iid, out, {IID_IUnknown, IID_ICounted});
  }
  int Value() override { return 42; }
};

class ObjectTest : public testing::Test {
 protected:
  void SetUp() override { g_counts = {}; }
};

TEST_F(ObjectTest, StartsAtOneAndGoesOnTheLastRelease) {
  const long before = com::ModuleObjectCount();
  auto* object = new Counted;
  EXPECT_EQ(com::ModuleObjectCount(), before + 1);
  EXPECT_EQ(object->AddRef(), 2u);
  EXPECT_EQ(object->Release(), 1u);
  EXPECT_EQ(g_counts.destroyed, 0);
  EXPECT_EQ(object->Release(), 0u);
  EXPECT_EQ(g_counts.destroyed, 1);
  EXPECT_EQ(com::ModuleObjectCount(), before);
}

TEST_F(ObjectTest, PtrHoldsExactlyOneReference) {
  {
    auto a = com::Ptr<ICounted>::Attach(new Counted);
    {
      com::Ptr<ICounted> b = a;  // copy: +1
      EXPECT_EQ(a->AddRef(), 3u);
      a->Release();
      com::Ptr<ICounted> c = std::move(b);  // move: no change
      EXPECT_FALSE(b);
      EXPECT_EQ(c->Value(), 42);
    }
    EXPECT_EQ(a->AddRef(), 2u);
    a->Release();
    com::Ptr<ICounted> d;
    d = a;
    d.Reset();
    EXPECT_FALSE(d);
    EXPECT_EQ(g_counts.destroyed, 0);
  }
  EXPECT_EQ(g_counts.constructed, 1);
  EXPECT_EQ(g_counts.destroyed, 1);
}

TEST_F(ObjectTest, OutReleasesWhatWasHeld) {
  auto first = com::Ptr<ICounted>::Attach(new Counted);
  ICounted* second = new Counted;
  *first.Out() = second;  // the first object's only reference goes
  EXPECT_EQ(g_counts.destroyed, 1);
  EXPECT_EQ(first.Get(), second);
}

TEST_F(ObjectTest, QueryInterfaceHasOneShape) {
  auto object = com::Ptr<ICounted>::Attach(new Counted);
  EXPECT_EQ(object->QueryInterface(IID_ICounted, nullptr), E_POINTER);

  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(object->QueryInterface(IID_IDispatch, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);

  com::Ptr<IUnknown> unknown;
  ASSERT_EQ(object->QueryInterface(IID_IUnknown, unknown.Out()), S_OK);
  EXPECT_EQ(static_cast<void*>(unknown.Get()), static_cast<void*>(object.Get()));
  EXPECT_EQ(object->AddRef(), 3u);  // the query added one
  object->Release();
  unknown.Reset();
  EXPECT_EQ(object->AddRef(), 2u);
  object->Release();
  EXPECT_EQ(g_counts.queries, 3);
}

}  // namespace
