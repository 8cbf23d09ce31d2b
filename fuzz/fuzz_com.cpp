// Drives the CorvaneGorm class the way a late-bound caller does: the class factory and
// QueryInterface with fuzzed identifiers, then GetIDsOfNames and Invoke with fuzzed names,
// DISPIDs, flags and arguments of any variant type, their texts becoming paths to files of
// fuzzed contents. Every file name stays inside the fuzzing folder; a failed call leaves the
// files it reads as they were, and each run must release every object it made.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "byte_range.h"
#include "com/bstr.h"
#include "com/runtime.h"
#include "corvane_gorm.h"
#include "fuzz_folder.h"

extern "C" HRESULT DllGetClassObject(const GUID* clsid, const GUID* iid, void** out);
extern "C" HRESULT DllCanUnloadNow();

namespace {

using namespace tffuzz;

class Input {
 public:
  Input(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
  uint32_t Word() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(Byte()) << (8 * i);
    return v;
  }
  GUID Guid() {
    static const GUID kKnown[] = {IID_IUnknown, IID_IDispatch, IID_IClassFactory, IID__CorvaneGorm};
    const uint8_t pick = Byte();
    if (pick < 4 * 48) return kKnown[pick % 4];
    GUID guid{};
    uint8_t raw[sizeof guid];
    for (uint8_t& b : raw) b = Byte();
    std::memcpy(&guid, raw, sizeof guid);
    return guid;
  }
  std::vector<uint8_t> Bytes(size_t most) {
    const size_t length = (Byte() | (Byte() << 8)) % (most + 1);
    std::vector<uint8_t> bytes(length);
    for (uint8_t& b : bytes) b = Byte();
    return bytes;
  }
  std::u16string Units(size_t most) {
    std::u16string text(Byte() % (most + 1), u'\0');
    for (char16_t& c : text) c = static_cast<char16_t>(Byte() | (Byte() << 8));
    return text;
  }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_at = 0;
};

// In DISPID order (the vtable's), each with its parameter count and the parameters it reads:
// a bit per parameter. Corvane_Replace and Corvane_ReplaceFHTexture edit their first in place.
struct Method {
  const char16_t* name;
  uint32_t count;
  uint32_t inputs;
};
constexpr Method kMethods[] = {{u"CompressFile", 2, 0b1},
                               {u"UncompressFile", 2, 0b1},
                               {u"Corvane_UnPack", 1, 0b1},
                               {u"Corvane_Pack", 1, 0b1},
                               {u"Corvane_Export_StartFile2Data", 3, 0b1},
                               {u"Corvane_Export_Data2Data", 4, 0b1},
                               {u"Corvane_Export_Data2FinishFile", 3, 0b1},
                               {u"Corvane_Replace", 3, 0b1},
                               {u"Corvane_ReplaceFHTexture", 2, 0b11},
                               {u"Corvane_DDS2BMP", 1, 0b1},
                               {u"Corvane_DDS2PNG", 1, 0b1},
                               {u"Corvane_DDS2JPG", 1, 0b1},
                               {u"Corvane_DDS2GIF", 1, 0b1}};
constexpr size_t kMethodCount = std::size(kMethods);
constexpr const char* kFiles[] = {"a.dds", "p.bin", "f.bin", "a.dds.png", "out.bin"};
constexpr size_t kMadeFiles = 3;  // the first three start out as below, the others absent

// The files the methods work on, in a fresh folder. Each is as made (the last two absent), of
// fuzzed bytes only, cut short, or with a few bytes changed.
void MakeFiles(Input& in) {
  std::vector<uint8_t> dds(128 + 8, 0);
  const uint32_t header[] = {static_cast<uint32_t>(corvane::kDdsMagic), 124, 0x1007, 4, 4};
  std::memcpy(dds.data(), header, sizeof header);
  dds[76] = 32;
  dds[80] = 4;
  std::memcpy(&dds[84], "DXT1", 4);
  std::vector<uint8_t> packed = {0, 1, 1, 'W', 'E', 'S', 'Y', 'S', 15, 0, 0, 0, 5, 0, 0, 0};
  const uint8_t stream[] = {0x78, 0x9C, 0x63, 0x60, 0x00, 0x02, 0x00, 0x00, 0x05, 0x00, 0x01};
  packed.insert(packed.end(), std::begin(stream), std::end(stream));  // five zero bytes, packed
  const std::vector<uint8_t> made[kMadeFiles] = {
      dds, packed, {'K', 'T', 'M', 'D', 'D', 'D', 'S', ' ', 1, 2}};

  const fs::path& folder = EmptyFolder();
  for (size_t i = 0; i < std::size(kFiles); ++i) {
    std::vector<uint8_t> bytes = i < kMadeFiles ? made[i] : std::vector<uint8_t>{};
    switch (in.Byte() % 8) {
      case 0:
        bytes = in.Bytes(1024);
        break;
      case 1:
        bytes.resize(bytes.empty() ? 0 : in.Byte() % bytes.size());
        break;
      case 2:
      case 3:
        for (int n = 1 + in.Byte() % 4; n > 0 && !bytes.empty(); --n)
          bytes[in.Byte() % bytes.size()] = in.Byte();
        break;
      default:
        if (i >= kMadeFiles) continue;
        break;
    }
    Write(folder / kFiles[i], bytes);
  }
}

// A path text: one of the files above, nothing, or fuzzed units (a NUL, lone surrogates,
// anything) as a name in the folder, never a way out of it.
BSTR PathText(Input& in) {
  const uint8_t kind = in.Byte() % 8;
  const std::u16string folder = com::Utf8ToUtf16(Folder().string() + "/");
  if (kind < 5) {
    const std::u16string text = folder + com::Utf8ToUtf16(kFiles[kind]);
    return SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()));
  }
  if (kind == 5) return nullptr;
  std::u16string name = in.Units(24);
  for (char16_t& c : name)
    if (c == u'/') c = u'_';
  if (name.find_first_not_of(u'.') == std::u16string::npos) name += u"x";
  const std::u16string text = kind == 6 ? folder + name : folder + u"f.bin" + name;
  return SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size()));
}

// One argument of whatever type the input picks; texts and numbers it owns live in the store.
struct Store {
  std::vector<BSTR> texts;
  int32_t longs[8]{};
  VARIANT inner[8]{};
  BSTR innerTexts[8]{};
  ~Store() {
    for (BSTR t : texts) SysFreeString(t);
  }
};

void FillVariant(Input& in, VARIANT& v, Store& store, size_t i, bool allowNested) {
  v = VARIANT{};
  switch (in.Byte() % 7) {
    case 0:
      v.vt = VT_BSTR;
      v.bstrVal = store.texts.emplace_back(PathText(in));
      break;
    case 1:
      v.vt = VT_BSTR | VT_BYREF;
      store.innerTexts[i] = store.texts.emplace_back(PathText(in));
      v.pbstrVal = in.Byte() % 8 == 0 ? nullptr : &store.innerTexts[i];
      break;
    case 2:
      v.vt = VT_I4;
      v.lVal = static_cast<int32_t>(in.Word());
      break;
    case 3:
      v.vt = VT_I4 | VT_BYREF;
      store.longs[i] = static_cast<int32_t>(in.Word());
      v.plVal = in.Byte() % 8 == 0 ? nullptr : &store.longs[i];
      break;
    case 4:
      v.vt = VT_VARIANT | VT_BYREF;
      if (allowNested && in.Byte() % 8 != 0) {
        FillVariant(in, store.inner[i], store, i + 4, false);
        v.pvarVal = &store.inner[i];
      }
      break;
    default:
      v.vt = static_cast<VARTYPE>(in.Byte() | (in.Byte() << 8));  // its value stays zero
      break;
  }
}

// A file as it stands: present or not, and its bytes.
struct Snapshot {
  fs::path path;
  bool present = false;
  std::vector<uint8_t> bytes;
  bool operator==(const Snapshot&) const = default;
};

Snapshot TakeSnapshot(const fs::path& path) {
  std::error_code ignored;
  const bool present = fs::is_regular_file(path, ignored);
  return {path, present, present ? Read(path) : std::vector<uint8_t>{}};
}

// The text a parameter of type text gets from the argument, as the dispatch converts it.
BSTR TextOf(const VARIANT& given) {
  const VARIANT* v = given.vt == (VT_VARIANT | VT_BYREF) ? given.pvarVal : &given;
  if (v == nullptr) return nullptr;
  if (v->vt == VT_BSTR) return v->bstrVal;
  if (v->vt == (VT_BSTR | VT_BYREF) && v->pbstrVal != nullptr) return *v->pbstrVal;
  return nullptr;
}

// The files the call will read, as they are before it.
std::vector<Snapshot> FilesRead(DISPID id, const DISPPARAMS& params) {
  std::vector<Snapshot> read;
  if (id < 1 || static_cast<size_t>(id) > kMethodCount) return read;
  const Method& method = kMethods[id - 1];
  if (params.cArgs != method.count) return read;
  for (uint32_t i = 0; i < method.count; ++i) {
    if ((method.inputs >> i & 1) == 0) continue;
    const BSTR text = TextOf(params.rgvarg[method.count - 1 - i]);  // last argument first
    if (SysStringLen(text) > 0) read.push_back(TakeSnapshot(com::BstrToPath(text)));
  }
  return read;
}

template <typename T>
void Release(T*& p) {
  if (p != nullptr) p->Release();
  p = nullptr;
}

void Dispatch(Input& in, IDispatch& object) {
  // A method's name, exact, in other letter cases or fuzzed, sometimes with parameter names.
  std::u16string name;
  const uint8_t pick = in.Byte();
  if (pick < kMethodCount * 16) {
    name = kMethods[pick % kMethodCount].name;
    if (in.Byte() & 1)
      for (char16_t& c : name) c = (c >= u'a' && c <= u'z') ? c - 32 : c;
  } else {
    name = in.Units(40);
  }
  const uint32_t count = 1 + in.Byte() % 2;
  std::u16string second = u"File";
  LPOLESTR names[2] = {name.data(), second.data()};
  DISPID ids[2] = {0, 0};
  const HRESULT named = object.GetIDsOfNames(IID_IUnknown, names, count, 0, ids);
  Require(named == S_OK || ids[0] == DISPID_UNKNOWN || count == 2);

  const DISPID id = in.Byte() % 4 == 0 ? static_cast<DISPID>(in.Word()) : ids[0];
  const uint16_t flags = in.Byte() % 4 == 0 ? static_cast<uint16_t>(in.Word()) : DISPATCH_METHOD;
  VARIANT args[4]{};
  Store store;
  DISPPARAMS params{};
  params.cArgs = in.Byte() % 5;
  params.rgvarg = params.cArgs > 0 ? args : nullptr;
  for (uint32_t i = 0; i < params.cArgs; ++i) FillVariant(in, args[i], store, i, true);
  VARIANT result{};
  EXCEPINFO info{};
  uint32_t argErr = 0;
  const bool wantInfo = in.Byte() & 1;
  const std::vector<Snapshot> read = FilesRead(id, params);
  const HRESULT hr = object.Invoke(id, IID_IUnknown, 0, flags, &params, &result,
                                   wantInfo ? &info : nullptr, &argErr);
  Require(result.vt == VT_EMPTY);
  if (FAILED(hr))
    for (const Snapshot& file : read) Require(TakeSnapshot(file.path) == file);
  if (hr == DISP_E_EXCEPTION) {
    Require(wantInfo && FAILED(info.scode));
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in(data, size);
  MakeFiles(in);

  const GUID clsid = in.Byte() % 8 == 0 ? in.Guid() : CLSID_CorvaneGorm;
  const GUID factoryIid = in.Guid();
  IClassFactory* factory = nullptr;
  const HRESULT got = DllGetClassObject(&clsid, &factoryIid, reinterpret_cast<void**>(&factory));
  Require(SUCCEEDED(got) == (factory != nullptr));
  if (factory == nullptr) return 0;
  // Whatever interface came back, the class factory stands behind it.
  IClassFactory* asked = nullptr;
  if (factory->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&asked)) != S_OK) {
    Require(false);
  }
  Release(factory);
  const GUID other = in.Guid();
  IUnknown* unknown = nullptr;
  if (asked->QueryInterface(other, reinterpret_cast<void**>(&unknown)) == S_OK) Release(unknown);
  const bool lock = in.Byte() & 1;
  if (lock) asked->LockServer(1);

  const GUID objectIid = in.Guid();
  IUnknown* made = nullptr;
  if (SUCCEEDED(asked->CreateInstance(nullptr, objectIid, reinterpret_cast<void**>(&made)))) {
    IDispatch* object = nullptr;
    if (made->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object)) == S_OK) {
      const GUID probe = in.Guid();
      IUnknown* again = nullptr;
      if (object->QueryInterface(probe, reinterpret_cast<void**>(&again)) == S_OK) Release(again);
      for (int calls = 1 + in.Byte() % 3; calls > 0; --calls) Dispatch(in, *object);
      Release(object);
    }
    Release(made);
  }
  if (lock) asked->LockServer(0);
  Release(asked);
  ComClearErrorInfo();
  Require(DllCanUnloadNow() == S_OK);
  return 0;
}
