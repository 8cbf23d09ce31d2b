#include "corvane_client.h"

#include "com/bstr.h"
#include "com/error.h"
#include "com/guid.h"
#include "com/runtime.h"

namespace texel {

namespace {

using com::Bstr;

// Every method hands back an empty result that nobody reads.
void Check(HRESULT hr, const char* method) { com::ThrowIfFailed(hr, method); }

}  // namespace

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
  Check(hr, "Creating CorvaneGorm");
  return CorvaneClient(std::move(object));
}

void CorvaneClient::CompressFile(const fs::path& source, const fs::path& destination) {
  Bstr s = Bstr::FromPath(source), d = Bstr::FromPath(destination);
  VARIANT result{};
  Check(m_object->CompressFile(s.Address(), d.Address(), &result), "CompressFile");
}

void CorvaneClient::UncompressFile(const fs::path& compressed, const fs::path& uncompressed) {
  Bstr c = Bstr::FromPath(compressed), u = Bstr::FromPath(uncompressed);
  VARIANT result{};
  Check(m_object->UncompressFile(c.Address(), u.Address(), &result), "UncompressFile");
}

void CorvaneClient::Corvane_UnPack(const fs::path& path) {
  Bstr p = Bstr::FromPath(path);
  VARIANT result{};
  Check(m_object->Corvane_UnPack(p.Address(), &result), "Corvane_UnPack");
}

void CorvaneClient::Corvane_Pack(const fs::path& path) {
  Bstr p = Bstr::FromPath(path);
  VARIANT result{};
  Check(m_object->Corvane_Pack(p.Address(), &result), "Corvane_Pack");
}

void CorvaneClient::Corvane_Export_StartFile2Data(const fs::path& file, const fs::path& newFile,
                                                  int32_t searchData) {
  Bstr f = Bstr::FromPath(file), n = Bstr::FromPath(newFile);
  VARIANT result{};
  Check(m_object->Corvane_Export_StartFile2Data(f.Address(), n.Address(), &searchData, &result),
        "Corvane_Export_StartFile2Data");
}

void CorvaneClient::Corvane_Export_Data2Data(const fs::path& file, int32_t startData,
                                             int32_t finishData, const fs::path& newFile) {
  Bstr f = Bstr::FromPath(file), n = Bstr::FromPath(newFile);
  VARIANT result{};
  Check(m_object->Corvane_Export_Data2Data(f.Address(), &startData, &finishData, n.Address(),
                                           &result),
        "Corvane_Export_Data2Data");
}

void CorvaneClient::Corvane_Export_Data2FinishFile(const fs::path& file, int32_t searchData,
                                                   const fs::path& newFile) {
  Bstr f = Bstr::FromPath(file), n = Bstr::FromPath(newFile);
  VARIANT result{};
  Check(m_object->Corvane_Export_Data2FinishFile(f.Address(), &searchData, n.Address(), &result),
        "Corvane_Export_Data2FinishFile");
}

void CorvaneClient::Corvane_Replace(const fs::path& file, int32_t searchData, int32_t replaceData) {
  Bstr f = Bstr::FromPath(file);
  VARIANT result{};
  Check(m_object->Corvane_Replace(f.Address(), &searchData, &replaceData, &result),
        "Corvane_Replace");
}

void CorvaneClient::Corvane_ReplaceFHTexture(const fs::path& file, const fs::path& replaceFile) {
  Bstr f = Bstr::FromPath(file), r = Bstr::FromPath(replaceFile);
  VARIANT result{};
  Check(m_object->Corvane_ReplaceFHTexture(f.Address(), r.Address(), &result),
        "Corvane_ReplaceFHTexture");
}

void CorvaneClient::Corvane_DDS2BMP(const fs::path& dds) {
  Bstr d = Bstr::FromPath(dds);
  VARIANT result{};
  Check(m_object->Corvane_DDS2BMP(d.Address(), &result), "Corvane_DDS2BMP");
}

void CorvaneClient::Corvane_DDS2PNG(const fs::path& dds) {
  Bstr d = Bstr::FromPath(dds);
  VARIANT result{};
  Check(m_object->Corvane_DDS2PNG(d.Address(), &result), "Corvane_DDS2PNG");
}

void CorvaneClient::Corvane_DDS2JPG(const fs::path& dds) {
  Bstr d = Bstr::FromPath(dds);
  VARIANT result{};
  Check(m_object->Corvane_DDS2JPG(d.Address(), &result), "Corvane_DDS2JPG");
}

void CorvaneClient::Corvane_DDS2GIF(const fs::path& dds) {
  Bstr d = Bstr::FromPath(dds);
  VARIANT result{};
  Check(m_object->Corvane_DDS2GIF(d.Address(), &result), "Corvane_DDS2GIF");
}

}  // namespace texel
