#include "corvane_client.h"

#include <tuple>

#include "com/bstr.h"
#include "com/error.h"
#include "com/guid.h"
#include "com/runtime.h"

namespace texel {

namespace {

// A path goes as a string the call owns, a value as itself; both by reference.
com::Bstr Held(const fs::path& path) { return com::Bstr::FromPath(path); }
int32_t Held(int32_t value) { return value; }
BSTR* Passed(com::Bstr& held) { return held.Address(); }
int32_t* Passed(int32_t& held) { return &held; }

}  // namespace

template <typename... Params, typename... Args>
void CorvaneClient::Call(const char* name, HRESULT (_CorvaneGorm::*method)(Params...),
                         const Args&... args) {
  std::tuple<decltype(Held(args))...> held{Held(args)...};
  VARIANT result{};
  const HRESULT hr = std::apply(
      [&](auto&... h) { return (m_object.Get()->*method)(Passed(h)..., &result); }, held);
  com::ThrowIfFailed(hr, name);
}

CorvaneClient CorvaneClient::Create() {
  com::Ptr<_CorvaneGorm> object;
  const HRESULT hr = CoCreateInstance(&CLSID_CorvaneGorm, nullptr, CLSCTX_INPROC_SERVER,
                                      &IID__CorvaneGorm, object.Out());
  if (hr == REGDB_E_CLASSNOTREG) {
    ComClearErrorInfo();
    throw com::Error(hr, "The Corvane_Gorm library is not registered (class " +
                             com::GuidToString(CLSID_CorvaneGorm) +
                             "): run comreg Corvane_Gorm.so from the program folder.");
  }
  com::ThrowIfFailed(hr, "Creating CorvaneGorm");
  return CorvaneClient(std::move(object));
}

void CorvaneClient::CompressFile(const fs::path& source, const fs::path& destination) {
  Call("CompressFile", &_CorvaneGorm::CompressFile, source, destination);
}

void CorvaneClient::UncompressFile(const fs::path& compressed, const fs::path& uncompressed) {
  Call("UncompressFile", &_CorvaneGorm::UncompressFile, compressed, uncompressed);
}

void CorvaneClient::Corvane_UnPack(const fs::path& path) {
  Call("Corvane_UnPack", &_CorvaneGorm::Corvane_UnPack, path);
}

void CorvaneClient::Corvane_Pack(const fs::path& path) {
  Call("Corvane_Pack", &_CorvaneGorm::Corvane_Pack, path);
}

void CorvaneClient::Corvane_Export_StartFile2Data(const fs::path& file, const fs::path& newFile,
                                                  int32_t searchData) {
  Call("Corvane_Export_StartFile2Data", &_CorvaneGorm::Corvane_Export_StartFile2Data, file, newFile,
       searchData);
}

void CorvaneClient::Corvane_Export_Data2Data(const fs::path& file, int32_t startData,
                                             int32_t finishData, const fs::path& newFile) {
  Call("Corvane_Export_Data2Data", &_CorvaneGorm::Corvane_Export_Data2Data, file, startData,
       finishData, newFile);
}

void CorvaneClient::Corvane_Export_Data2FinishFile(const fs::path& file, int32_t searchData,
                                                   const fs::path& newFile) {
  Call("Corvane_Export_Data2FinishFile", &_CorvaneGorm::Corvane_Export_Data2FinishFile, file,
       searchData, newFile);
}

void CorvaneClient::Corvane_Replace(const fs::path& file, int32_t searchData, int32_t replaceData) {
  Call("Corvane_Replace", &_CorvaneGorm::Corvane_Replace, file, searchData, replaceData);
}

void CorvaneClient::Corvane_ReplaceFHTexture(const fs::path& file, const fs::path& replaceFile) {
  Call("Corvane_ReplaceFHTexture", &_CorvaneGorm::Corvane_ReplaceFHTexture, file, replaceFile);
}

void CorvaneClient::Corvane_DDS2BMP(const fs::path& dds) {
  Call("Corvane_DDS2BMP", &_CorvaneGorm::Corvane_DDS2BMP, dds);
}

void CorvaneClient::Corvane_DDS2PNG(const fs::path& dds) {
  Call("Corvane_DDS2PNG", &_CorvaneGorm::Corvane_DDS2PNG, dds);
}

void CorvaneClient::Corvane_DDS2JPG(const fs::path& dds) {
  Call("Corvane_DDS2JPG", &_CorvaneGorm::Corvane_DDS2JPG, dds);
}

void CorvaneClient::Corvane_DDS2GIF(const fs::path& dds) {
  Call("Corvane_DDS2GIF", &_CorvaneGorm::Corvane_DDS2GIF, dds);
}

}  // namespace texel
