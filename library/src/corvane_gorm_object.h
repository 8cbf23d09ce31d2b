// The class CorvaneGorm: the `_CorvaneGorm` methods on the library's work on files. No state:
// every instance behaves the same and each call stands alone.
#pragma once

#include <filesystem>

#include "com/object.h"
#include "corvane_gorm.h"

namespace corvane {

class CorvaneGorm final : public com::Object<_CorvaneGorm> {
 public:
  HRESULT QueryInterface(REFIID iid, void** out) override;

  HRESULT GetTypeInfoCount(uint32_t* count) override;
  HRESULT GetTypeInfo(uint32_t index, LCID lcid, ITypeInfo** info) override;
  HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* names, uint32_t count, LCID lcid,
                        DISPID* ids) override;
  HRESULT Invoke(DISPID id, REFIID riid, LCID lcid, uint16_t flags, DISPPARAMS* params,
                 VARIANT* result, EXCEPINFO* excepInfo, uint32_t* argErr) override;

  HRESULT CompressFile(BSTR* Source, BSTR* Destination, VARIANT* result) override;
  HRESULT UncompressFile(BSTR* Compressed, BSTR* Uncompressed, VARIANT* result) override;
  HRESULT Corvane_UnPack(BSTR* Path, VARIANT* result) override;
  HRESULT Corvane_Pack(BSTR* Path, VARIANT* result) override;
  HRESULT Corvane_Export_StartFile2Data(BSTR* File, BSTR* NewFile, int32_t* SearchData,
                                        VARIANT* result) override;
  HRESULT Corvane_Export_Data2Data(BSTR* File, int32_t* StartData, int32_t* FinishData,
                                   BSTR* NewFile, VARIANT* result) override;
  HRESULT Corvane_Export_Data2FinishFile(BSTR* File, int32_t* SearchData, BSTR* NewFile,
                                         VARIANT* result) override;
  HRESULT Corvane_Replace(BSTR* File, int32_t* SearchData, int32_t* ReplaceData,
                          VARIANT* result) override;
  HRESULT Corvane_ReplaceFHTexture(BSTR* File, BSTR* ReplaceFile, VARIANT* result) override;
  HRESULT Corvane_DDS2BMP(BSTR* DDS, VARIANT* result) override;
  HRESULT Corvane_DDS2PNG(BSTR* DDS, VARIANT* result) override;
  HRESULT Corvane_DDS2JPG(BSTR* DDS, VARIANT* result) override;
  HRESULT Corvane_DDS2GIF(BSTR* DDS, VARIANT* result) override;
};

// The absolute path of the module file this code was loaded from.
std::filesystem::path ModulePath();

}  // namespace corvane
