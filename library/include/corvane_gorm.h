// Interface of the Corvane_Gorm library: class, interface and type library identifiers and the
// `_CorvaneGorm` vtable (the seven IDispatch slots, then these thirteen methods in this order).
// Every parameter is passed by reference; `result` is always handed back empty.
#pragma once

#include "com/types.h"

inline constexpr CLSID CLSID_CorvaneGorm = {
    0x7CA11F19, 0x433B, 0x4F61, {0x8C, 0xE0, 0x0B, 0xEE, 0xBE, 0x1A, 0xB5, 0x0C}};
inline constexpr IID IID__CorvaneGorm = {
    0x2289D7B8, 0x7306, 0x407D, {0x98, 0x89, 0x4E, 0x7A, 0xC3, 0xBF, 0x08, 0xA8}};
inline constexpr GUID LIBID_Corvane_Gorm = {
    0x57836394, 0x9F1A, 0x4EB5, {0xA4, 0xFD, 0xEF, 0xDB, 0xE6, 0x4D, 0xEF, 0xF1}};
inline constexpr const char* kCorvaneGormLibraryName = "Corvane_Gorm";
inline constexpr const char* kCorvaneGormLibraryVersion = "8.0";
inline constexpr const char* kCorvaneGormHelpString = "CorvaneGorm Library By Dremmwel";
inline constexpr const char* kCorvaneGormProgId = "Corvane_Gorm.CorvaneGorm";

struct _CorvaneGorm : IDispatch {
  virtual HRESULT CompressFile(BSTR* Source, BSTR* Destination, VARIANT* result) = 0;
  virtual HRESULT UncompressFile(BSTR* Compressed, BSTR* Uncompressed, VARIANT* result) = 0;
  virtual HRESULT Corvane_UnPack(BSTR* Path, VARIANT* result) = 0;
  virtual HRESULT Corvane_Pack(BSTR* Path, VARIANT* result) = 0;
  virtual HRESULT Corvane_Export_StartFile2Data(BSTR* File, BSTR* NewFile, int32_t* SearchData,
                                                VARIANT* result) = 0;
  virtual HRESULT Corvane_Export_Data2Data(BSTR* File, int32_t* StartData, int32_t* FinishData,
                                           BSTR* NewFile, VARIANT* result) = 0;
  virtual HRESULT Corvane_Export_Data2FinishFile(BSTR* File, int32_t* SearchData, BSTR* NewFile,
                                                 VARIANT* result) = 0;
  virtual HRESULT Corvane_Replace(BSTR* File, int32_t* SearchData, int32_t* ReplaceData,
                                  VARIANT* result) = 0;
  virtual HRESULT Corvane_ReplaceFHTexture(BSTR* File, BSTR* ReplaceFile, VARIANT* result) = 0;
  virtual HRESULT Corvane_DDS2BMP(BSTR* DDS, VARIANT* result) = 0;
  virtual HRESULT Corvane_DDS2PNG(BSTR* DDS, VARIANT* result) = 0;
  virtual HRESULT Corvane_DDS2JPG(BSTR* DDS, VARIANT* result) = 0;
  virtual HRESULT Corvane_DDS2GIF(BSTR* DDS, VARIANT* result) = 0;

 protected:
  ~_CorvaneGorm() = default;
};
