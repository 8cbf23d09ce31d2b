// Late binding: names to DISPIDs and Invoke with by-reference arguments.
#include <set>

#include "library_fixture.h"

namespace {

using comtest::LibraryTest;
using comtest::ReadBytes;
using comtest::WriteBytes;

DISPID IdOf(IDispatch& object, const char16_t* name, HRESULT* hr = nullptr) {
  std::u16string copy(name);
  LPOLESTR names[] = {copy.data()};
  DISPID id = 12345;
  const HRESULT result = object.GetIDsOfNames(IID_NULL, names, 1, 0, &id);
  if (hr != nullptr) *hr = result;
  return id;
}

VARIANT ByRef(BSTR* text) {
  VARIANT v{};
  v.vt = VT_BSTR | VT_BYREF;
  v.pbstrVal = text;
  return v;
}

VARIANT ByRef(int32_t* value) {
  VARIANT v{};
  v.vt = VT_I4 | VT_BYREF;
  v.plVal = value;
  return v;
}

TEST_F(LibraryTest, KnowsTheThirteenNamesWithoutRegardToCase) {
  auto object = Create();
  const char16_t* names[] = {u"CompressFile",
                             u"UncompressFile",
                             u"Corvane_UnPack",
                             u"Corvane_Pack",
                             u"Corvane_Export_StartFile2Data",
                             u"Corvane_Export_Data2Data",
                             u"Corvane_Export_Data2FinishFile",
                             u"Corvane_Replace",
                             u"Corvane_ReplaceFHTexture",
                             u"Corvane_DDS2BMP",
                             u"Corvane_DDS2PNG",
                             u"Corvane_DDS2JPG",
                             u"Corvane_DDS2GIF"};
  std::set<DISPID> ids;
  for (const char16_t* name : names) {
    HRESULT hr = E_FAIL;
    ids.insert(IdOf(*object, name, &hr));
    EXPECT_EQ(hr, S_OK);
  }
  EXPECT_EQ(ids.size(), 13u);
  EXPECT_EQ(IdOf(*object, u"corvane_unpack"), IdOf(*object, u"Corvane_UnPack"));
  EXPECT_EQ(IdOf(*object, u"CORVANE_DDS2GIF"), IdOf(*object, u"Corvane_DDS2GIF"));

  for (const char16_t* unknown : {u"Corvane_Unpac", u"Corvane_UnPackX", u"", u"ReadBlock"}) {
    HRESULT hr = S_OK;
    EXPECT_EQ(IdOf(*object, unknown, &hr), DISPID_UNKNOWN);
    EXPECT_EQ(hr, DISP_E_UNKNOWNNAME);
  }
}

TEST_F(LibraryTest, InvokeCallsTheMethodWithArgumentsLastFirst) {
  auto object = Create();
  WriteBytes(File("Face.bin.unzlib"), {0xF8, 0x55, 0x01, 0x00, 0x00, 0xF8, 0x55, 0x01, 0x00});
  com::Bstr file = com::Bstr::FromPath(File("Face.bin.unzlib"));
  int32_t search = 87544, replace = 1048720;
  VARIANT args[] = {ByRef(&replace), ByRef(&search), ByRef(file.Address())};
  DISPPARAMS params{args, nullptr, 3, 0};
  VARIANT result{};
  result.vt = VT_I4;
  EXCEPINFO exception{};
  uint32_t argErr = 99;
  ASSERT_EQ(object->Invoke(IdOf(*object, u"Corvane_Replace"), IID_NULL, 0, DISPATCH_METHOD, &params,
                           &result, &exception, &argErr),
            S_OK);
  EXPECT_EQ(result.vt, VT_EMPTY);
  EXPECT_EQ(ReadBytes(File("Face.bin.unzlib")),
            (std::vector<uint8_t>{0x90, 0x00, 0x10, 0x00, 0x00, 0x90, 0x00, 0x10, 0x00}));

  // By value is accepted too, and a missing result is fine.
  VARIANT byValue[3] = {};
  byValue[0].vt = VT_I4;
  byValue[0].lVal = 0x00100090;
  byValue[1].vt = VT_I4;
  byValue[1].lVal = 0x11111111;
  byValue[2].vt = VT_BSTR;
  byValue[2].bstrVal = file.Get();
  DISPPARAMS plain{byValue, nullptr, 3, 0};
  EXPECT_EQ(object->Invoke(IdOf(*object, u"Corvane_Replace"), IID_NULL, 0, DISPATCH_METHOD, &plain,
                           nullptr, nullptr, nullptr),
            S_OK);
}

TEST_F(LibraryTest, InvokeRefusesWrongCallsClearly) {
  auto object = Create();
  com::Bstr file = com::Bstr::FromPath(File("x.bin"));
  int32_t value = 1;
  VARIANT args[] = {ByRef(&value), ByRef(file.Address())};
  DISPPARAMS params{args, nullptr, 2, 0};
  uint32_t argErr = 99;
  const DISPID pack = IdOf(*object, u"Corvane_Pack");
  EXPECT_EQ(object->Invoke(pack, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, &argErr),
            DISP_E_BADPARAMCOUNT);
  // CompressFile takes two strings: rgvarg[0], its second, is a number here.
  EXPECT_EQ(object->Invoke(IdOf(*object, u"CompressFile"), IID_NULL, 0, DISPATCH_METHOD, &params,
                           nullptr, nullptr, &argErr),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 0u);
  EXPECT_EQ(object->Invoke(0, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(object->Invoke(14, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  DISPID named = 0;
  DISPPARAMS withNames{args, &named, 1, 1};
  EXPECT_EQ(
      object->Invoke(pack, IID_NULL, 0, DISPATCH_METHOD, &withNames, nullptr, nullptr, nullptr),
      DISP_E_NONAMEDARGS);
}

TEST_F(LibraryTest, InvokeReportsAFailingMethodAsAnException) {
  auto object = Create();
  com::Bstr file = com::Bstr::FromPath(File("missing.bin"));
  VARIANT args[] = {ByRef(file.Address())};
  DISPPARAMS params{args, nullptr, 1, 0};
  EXCEPINFO exception{};
  VARIANT result{};
  result.vt = VT_I4;
  const HRESULT hr = object->Invoke(IdOf(*object, u"Corvane_UnPack"), IID_NULL, 0, DISPATCH_METHOD,
                                    &params, &result, &exception, nullptr);
  EXPECT_EQ(hr, DISP_E_EXCEPTION);
  EXPECT_EQ(result.vt, VT_EMPTY);
  EXPECT_TRUE(FAILED(exception.scode));
  const std::string description = com::Bstr::Attach(exception.bstrDescription).Utf8();
  const std::string source = com::Bstr::Attach(exception.bstrSource).Utf8();
  EXPECT_NE(description.find("missing.bin"), std::string::npos) << description;
  EXPECT_EQ(source, "Corvane_Gorm.CorvaneGorm");

  // Without EXCEPINFO the method's own result comes back, with its error info.
  const HRESULT direct = object->Invoke(IdOf(*object, u"Corvane_UnPack"), IID_NULL, 0,
                                        DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
  EXPECT_EQ(direct, exception.scode);
  EXPECT_EQ(comtest::TakeErrorInfo().description, description);
}

}  // namespace
