// The CorvaneGorm object as a component: its interfaces, references and the method frame.
#include "library_fixture.h"

namespace {

using comtest::LibraryTest;

TEST_F(LibraryTest, AnswersItsThreeInterfacesWithOneIdentity) {
  auto object = Create();
  ASSERT_TRUE(object);
  for (const IID& iid : {IID_IUnknown, IID_IDispatch, IID__CorvaneGorm}) {
    void* out = nullptr;
    ASSERT_EQ(object->QueryInterface(iid, &out), S_OK);
    EXPECT_EQ(out, static_cast<void*>(object.Get()));
    static_cast<IUnknown*>(out)->Release();
  }
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(object->QueryInterface(IID_IClassFactory, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(object->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST_F(LibraryTest, ReferenceCountsAreExactAndCallsGiveBackTheirs) {
  auto object = Create();
  EXPECT_EQ(object->AddRef(), 2u);
  EXPECT_EQ(object->Release(), 1u);
  com::Bstr missing = com::Bstr::FromPath(File("missing.bin"));
  VARIANT result{};
  EXPECT_TRUE(FAILED(object->Corvane_UnPack(missing.Address(), &result)));
  EXPECT_EQ(object->AddRef(), 2u);  // the call's own reference went on the way out
  EXPECT_EQ(object->Release(), 1u);
}

TEST_F(LibraryTest, NullPointersAreRefusedWithEmptyResult) {
  auto object = Create();
  com::Bstr name = com::Bstr::FromPath(File("a.bin"));
  VARIANT result{};
  result.vt = VT_I4;
  EXPECT_EQ(object->Corvane_Pack(nullptr, &result), E_POINTER);
  EXPECT_EQ(result.vt, VT_EMPTY);
  EXPECT_EQ(object->Corvane_Pack(name.Address(), nullptr), E_POINTER);
  EXPECT_EQ(object->Corvane_Replace(name.Address(), nullptr, nullptr, &result), E_POINTER);
  EXPECT_EQ(comtest::TakeErrorInfo().number, E_POINTER);
}

TEST_F(LibraryTest, TypeInformationIsNotOffered) {
  auto object = Create();
  uint32_t count = 7;
  EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
  EXPECT_EQ(object->GetTypeInfo(0, 0, &info), E_NOTIMPL);
  EXPECT_EQ(info, nullptr);
}

}  // namespace
