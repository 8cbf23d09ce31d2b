#include "corvane_gorm_object.h"

#include <unistd.h>

#include <new>
#include <string>

#include "com/bstr.h"
#include "com/error.h"
#include "com/ptr.h"
#include "dispatch_table.h"
#include "failure.h"
#include "operations.h"
#include "temp_name.h"

namespace corvane {

namespace {

constexpr const char* kUnpackTempName = "temp.bin";

// The library's one file of its own, in its folder. The pid tells whose it is; the random tag
// keeps overlapping calls apart and leaves no name to plant a link at beforehand.
fs::path UnpackTempPath() {
  return ModulePath().parent_path() / (std::string(kUnpackTempName) + "." +
                                       std::to_string(getpid()) + "." + files::UnforeseeableTag());
}

// Removes the file on every way out of the scope.
class ScopedTempFile {
 public:
  explicit ScopedTempFile(fs::path path) : m_path(std::move(path)) {}
  ScopedTempFile(const ScopedTempFile&) = delete;
  ScopedTempFile& operator=(const ScopedTempFile&) = delete;
  ~ScopedTempFile() {
    std::error_code ignored;
    fs::remove(m_path, ignored);
  }
  const fs::path& Path() const { return m_path; }

 private:
  fs::path m_path;
};

// The frame of every method: a reference for the call, an empty result, arguments present,
// and nothing thrown across the boundary. The body returns a result code of its own only when
// it forwards one from a call on the object's interface, whose error info then stands.
template <typename Body>
HRESULT RunMethod(_CorvaneGorm* self, const char* name, VARIANT* result,
                  std::initializer_list<const void*> arguments, Body&& body) {
  self->AddRef();
  const auto hold = com::Ptr<_CorvaneGorm>::Attach(self);
  if (result != nullptr) *result = VARIANT{};
  if (result == nullptr) return com::SetErrorInfo(E_POINTER, name, "no result variant");
  for (const void* argument : arguments) {
    if (argument == nullptr) return com::SetErrorInfo(E_POINTER, name, "missing argument");
  }
  try {
    const HRESULT hr = body();
    if (SUCCEEDED(hr)) ComClearErrorInfo();
    return hr;
  } catch (const Failure& failure) {
    return com::SetErrorInfo(FAILED(failure.Code()) ? failure.Code() : E_FAIL, failure.what());
  } catch (const std::bad_alloc&) {
    return com::SetErrorInfo(E_OUTOFMEMORY, name, "out of memory");
  } catch (const std::exception& e) {
    return com::SetErrorInfo(E_FAIL, name, e.what());
  } catch (...) {
    return com::SetErrorInfo(E_FAIL, name, "unexpected failure");
  }
}

// A NUL would end the path where the system reads it, so that a.dds + NUL + ".png" names
// a.dds itself: such a path, and an empty one, is refused before any file is touched.
fs::path PathOf(const BSTR* text) {
  const std::u16string_view view = com::BstrView(*text);
  if (view.empty()) throw Failure(kInvalidArgument, "No file name given");
  if (const size_t nul = view.find(u'\0'); nul != view.npos)
    throw Failure(kInvalidArgument, "'" + com::Utf16ToUtf8(view.substr(0, nul)) +
                                        "' is not a usable file name: it holds a NUL character");
  return com::BstrToPath(*text);
}

// The user never sees the library's own temporary file: a failure that names it is told of the
// packed file instead, damaged data in plain words.
std::string UnpackFailureText(const fs::path& packed, const fs::path& temp, HRESULT hr,
                              const std::string& description) {
  const std::string quoted = "'" + packed.string() + "'";
  if (hr == E_INVALIDARG) return quoted + " is not a packed game file: its data is damaged";
  if (description.find(temp.filename().string()) == std::string::npos) return description;
  const size_t reason = description.rfind("': ");
  return "Cannot unpack " + quoted +
         (reason == std::string::npos ? std::string() : description.substr(reason + 1));
}

std::string TakeErrorDescription() {
  HRESULT number = 0;
  BSTR raw = nullptr;
  if (ComGetErrorInfo(&number, &raw) != S_OK) return {};
  return com::Bstr::Attach(raw).Utf8();
}

}  // namespace

HRESULT CorvaneGorm::QueryInterface(REFIID iid, void** out) {
  return com::QueryFor(this, iid, out, {IID_IUnknown, IID_IDispatch, IID__CorvaneGorm});
}

HRESULT CorvaneGorm::GetTypeInfoCount(uint32_t* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;  // late-bound callers go by name
  return S_OK;
}

HRESULT CorvaneGorm::GetTypeInfo(uint32_t, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}

HRESULT CorvaneGorm::GetIDsOfNames(REFIID, LPOLESTR* names, uint32_t count, LCID, DISPID* ids) {
  return DispatchIdsOfNames(names, count, ids);
}

HRESULT CorvaneGorm::Invoke(DISPID id, REFIID, LCID, uint16_t flags, DISPPARAMS* params,
                            VARIANT* result, EXCEPINFO* excepInfo, uint32_t* argErr) {
  return DispatchInvoke(*this, id, flags, params, result, excepInfo, argErr);
}

HRESULT CorvaneGorm::CompressFile(BSTR* Source, BSTR* Destination, VARIANT* result) {
  return RunMethod(this, "CompressFile", result, {Source, Destination}, [&] {
    corvane::CompressFile(PathOf(Source), PathOf(Destination));
    return S_OK;
  });
}

HRESULT CorvaneGorm::UncompressFile(BSTR* Compressed, BSTR* Uncompressed, VARIANT* result) {
  return RunMethod(this, "UncompressFile", result, {Compressed, Uncompressed}, [&] {
    corvane::UncompressFile(PathOf(Compressed), PathOf(Uncompressed));
    return S_OK;
  });
}

HRESULT CorvaneGorm::Corvane_UnPack(BSTR* Path, VARIANT* result) {
  return RunMethod(this, "Corvane_UnPack", result, {Path}, [&] {
    const fs::path packed = PathOf(Path);
    const ScopedTempFile temp(UnpackTempPath());
    try {
      WriteUnpackTemp(packed, temp.Path());
    } catch (const Failure& failure) {
      // Reading the packed file fails naming it; writing the temporary file names the latter.
      if (failure.Code() == kInvalidArgument) throw;
      throw Failure(failure.Code(),
                    UnpackFailureText(packed, temp.Path(), failure.Code(), failure.what()));
    }
    com::Bstr compressed = com::Bstr::FromPath(temp.Path());
    com::Bstr uncompressed = com::Bstr::FromPath(SuffixedOutputName(packed, ".unzlib"));
    VARIANT ignored{};
    _CorvaneGorm* self = this;
    const HRESULT hr = self->UncompressFile(compressed.Address(), uncompressed.Address(), &ignored);
    if (SUCCEEDED(hr)) return hr;
    return com::SetErrorInfo(hr,
                             UnpackFailureText(packed, temp.Path(), hr, TakeErrorDescription()));
  });
}

HRESULT CorvaneGorm::Corvane_Pack(BSTR* Path, VARIANT* result) {
  return RunMethod(this, "Corvane_Pack", result, {Path}, [&] {
    const fs::path payload = PathOf(Path);
    CheckPackInput(payload);
    const fs::path packed = SuffixedOutputName(payload, ".zlib");
    com::Bstr destination = com::Bstr::FromPath(packed);
    VARIANT ignored{};
    _CorvaneGorm* self = this;
    if (const HRESULT hr = self->CompressFile(Path, destination.Address(), &ignored); FAILED(hr)) {
      return hr;
    }
    WrapPackedContainer(packed);
    return S_OK;
  });
}

HRESULT CorvaneGorm::Corvane_Export_StartFile2Data(BSTR* File, BSTR* NewFile, int32_t* SearchData,
                                                   VARIANT* result) {
  return RunMethod(this, "Corvane_Export_StartFile2Data", result, {File, NewFile, SearchData}, [&] {
    ExportStartFile2Data(PathOf(File), PathOf(NewFile), *SearchData);
    return S_OK;
  });
}

HRESULT CorvaneGorm::Corvane_Export_Data2Data(BSTR* File, int32_t* StartData, int32_t* FinishData,
                                              BSTR* NewFile, VARIANT* result) {
  return RunMethod(this, "Corvane_Export_Data2Data", result, {File, StartData, FinishData, NewFile},
                   [&] {
                     ExportData2Data(PathOf(File), *StartData, *FinishData, PathOf(NewFile));
                     return S_OK;
                   });
}

HRESULT CorvaneGorm::Corvane_Export_Data2FinishFile(BSTR* File, int32_t* SearchData, BSTR* NewFile,
                                                    VARIANT* result) {
  return RunMethod(this, "Corvane_Export_Data2FinishFile", result, {File, SearchData, NewFile},
                   [&] {
                     ExportData2FinishFile(PathOf(File), *SearchData, PathOf(NewFile));
                     return S_OK;
                   });
}

HRESULT CorvaneGorm::Corvane_Replace(BSTR* File, int32_t* SearchData, int32_t* ReplaceData,
                                     VARIANT* result) {
  return RunMethod(this, "Corvane_Replace", result, {File, SearchData, ReplaceData}, [&] {
    Replace(PathOf(File), *SearchData, *ReplaceData);
    return S_OK;
  });
}

HRESULT CorvaneGorm::Corvane_ReplaceFHTexture(BSTR* File, BSTR* ReplaceFile, VARIANT* result) {
  return RunMethod(this, "Corvane_ReplaceFHTexture", result, {File, ReplaceFile}, [&] {
    ReplaceFHTexture(PathOf(File), PathOf(ReplaceFile));
    return S_OK;
  });
}

HRESULT CorvaneGorm::Corvane_DDS2BMP(BSTR* DDS, VARIANT* result) {
  return RunMethod(this, "Corvane_DDS2BMP", result, {DDS}, [&] {
    ConvertDds(PathOf(DDS), ImageFormat::Bmp);
    return S_OK;
  });
}

HRESULT CorvaneGorm::Corvane_DDS2PNG(BSTR* DDS, VARIANT* result) {
  return RunMethod(this, "Corvane_DDS2PNG", result, {DDS}, [&] {
    ConvertDds(PathOf(DDS), ImageFormat::Png);
    return S_OK;
  });
}

HRESULT CorvaneGorm::Corvane_DDS2JPG(BSTR* DDS, VARIANT* result) {
  return RunMethod(this, "Corvane_DDS2JPG", result, {DDS}, [&] {
    ConvertDds(PathOf(DDS), ImageFormat::Jpg);
    return S_OK;
  });
}

HRESULT CorvaneGorm::Corvane_DDS2GIF(BSTR* DDS, VARIANT* result) {
  return RunMethod(this, "Corvane_DDS2GIF", result, {DDS}, [&] {
    ConvertDds(PathOf(DDS), ImageFormat::Gif);
    return S_OK;
  });
}

}  // namespace corvane
