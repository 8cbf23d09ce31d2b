#include "corvane_client.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>
#include <tuple>

#include "com/bstr.h"
#include "com/error.h"
#include "com/guid.h"
#include "com/runtime.h"
#include "user_facing_failure.h"

namespace texel {

namespace {

// A path goes as a string the call owns, a value as itself; both by reference.
com::Bstr Held(const fs::path& path) { return com::Bstr::FromPath(path); }
int32_t Held(int32_t value) { return value; }
BSTR* Passed(com::Bstr& held) { return held.Address(); }
int32_t* Passed(int32_t& held) { return &held; }

constexpr const char* kModuleFile = "Corvane_Gorm.so";
constexpr const char* kRegisterTool = "comreg";

// The description a failing call left, taken away; a text for the code when it left none.
std::string TakeErrorText(HRESULT hr) {
  HRESULT number = 0;
  BSTR raw = nullptr;
  const bool left = ComGetErrorInfo(&number, &raw) == S_OK;
  const com::Bstr description = com::Bstr::Attach(raw);
  return left && !description.View().empty() ? description.Utf8() : com::DescribeResult(hr);
}

// `text` as one word of a shell command.
std::string ShellWord(const std::string& text) {
  const bool plain = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || std::strchr("/._-+=:,@%", c) != nullptr;
  });
  if (plain) return text;
  std::string word = "'";
  for (char c : text) word += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return word + "'";
}

// The module the registry names for the class; `failure` is the lookup's own result.
std::string RegisteredModule(HRESULT& failure) {
  char buffer[PATH_MAX];
  failure = ComLookupInprocServer(&CLSID_CorvaneGorm, buffer, sizeof buffer);
  return SUCCEEDED(failure) ? std::string(buffer) : TakeErrorText(failure);
}

std::string RegistryFile() {
  char buffer[4096];
  return ComGetRegistryPath(buffer, sizeof buffer) == S_OK ? buffer : "the class registry";
}

// A creation that failed for the installation's registration, in words with the one command
// that mends it; nothing for any other failure.
std::optional<std::string> LibraryFault(HRESULT created, const fs::path& programFolder) {
  const fs::path own = programFolder / kModuleFile;
  const std::string command =
      ShellWord((programFolder / kRegisterTool).string()) + " " + ShellWord(own.string());
  std::error_code ignored;
  const bool ownThere = fs::is_regular_file(own, ignored);
  const std::string reinstall =
      "This program folder has no library \"" + own.string() + "\": install Texel Forge again.";
  const auto registerOwn = [&](const std::string& first) {
    return ownThere ? first + command : reinstall;
  };
  HRESULT lookup = S_OK;
  const std::string module = RegisteredModule(lookup);
  if (lookup == REGDB_E_CLASSNOTREG) {
    return "Texel Forge's library is not registered, so no file can be worked on. " +
           registerOwn("Register it by running: ");
  }
  if (FAILED(lookup)) {
    return "Texel Forge cannot read its class registry \"" + RegistryFile() +
           "\", where its library is registered. Let Texel Forge read that file, or " +
           registerOwn("remove it and register the library by running: ");
  }
  if (created != CO_E_ERRORINDLL) return std::nullopt;
  if (!fs::exists(module, ignored)) {
    return "Texel Forge's library is registered as \"" + module + "\", and that file is missing. " +
           registerOwn("Register the library of this program folder by running: ");
  }
  if (fs::equivalent(module, own, ignored)) {
    return "Texel Forge's library \"" + module + "\" cannot be loaded: install Texel Forge again.";
  }
  return "Texel Forge's library is registered as \"" + module + "\", which cannot be loaded. " +
         registerOwn("Register the library of this program folder by running: ");
}

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

CorvaneClient CorvaneClient::Create(const fs::path& programFolder) {
  com::Ptr<_CorvaneGorm> object;
  const HRESULT hr = CoCreateInstance(&CLSID_CorvaneGorm, nullptr, CLSCTX_INPROC_SERVER,
                                      &IID__CorvaneGorm, object.Out());
  if (SUCCEEDED(hr)) return CorvaneClient(std::move(object));
  const std::string why = TakeErrorText(hr);
  if (std::optional<std::string> words = LibraryFault(hr, programFolder)) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(hr));
    // The class once on the bug-report line: the runtime's own words may name it already.
    const std::string clsid = com::GuidToString(CLSID_CorvaneGorm);
    const std::string result = std::string(code) + ": " + why;
    throw InstallationFault(*words, why.find(clsid) == std::string::npos
                                        ? "Class " + clsid + ", result " + result
                                        : "Result " + result);
  }
  throw com::Error(hr, "Creating CorvaneGorm: " + why);
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
