// Scratch folders, a registry of the test's own and file helpers for the component tests.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "com/bstr.h"
#include "com/runtime.h"
#include "temp_folder.h"

namespace comtest {

namespace fs = std::filesystem;

using testing_support::TempFolder;

// Points the runtime at a registry file in a scratch folder for the scope.
class ScopedRegistry {
 public:
  ScopedRegistry() : m_file(m_folder / "registry") { ComSetRegistryPath(m_file.c_str()); }
  ~ScopedRegistry() { ComSetRegistryPath(nullptr); }
  const fs::path& File() const { return m_file; }
  const fs::path& Folder() const { return m_folder.Path(); }

 private:
  TempFolder m_folder;
  fs::path m_file;
};

inline fs::path ProgramDir() {
  const char* dir = std::getenv("TF_PROGRAM_DIR");
  if (dir == nullptr) throw std::runtime_error("TF_PROGRAM_DIR is not set");
  return dir;
}

inline fs::path LibraryModule() { return ProgramDir() / "Corvane_Gorm.so"; }

inline void WriteBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Takes the thread's error info; number 0 and an empty text when there is none.
struct TakenErrorInfo {
  bool present = false;
  HRESULT number = 0;
  std::string description;
};

inline TakenErrorInfo TakeErrorInfo() {
  TakenErrorInfo info;
  BSTR raw = nullptr;
  info.present = ComGetErrorInfo(&info.number, &raw) == S_OK;
  info.description = com::Bstr::Attach(raw).Utf8();
  return info;
}

// A payload with some repetition, so that it compresses, and every byte value.
inline std::vector<uint8_t> SamplePayload(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>((i * 7) ^ (i >> 5));
  return bytes;
}

}  // namespace comtest
