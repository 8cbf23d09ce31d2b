// A private folder per test and small helpers to write and read whole files in it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "failure.h"

namespace tftest {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "tf-library-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
  }
  fs::path operator/(const std::string& name) const { return m_path / name; }
  const fs::path& Path() const { return m_path; }
  // Names in the folder, to show that a failing call left nothing behind.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(m_path))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  fs::path m_path;
};

inline void WriteBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline Bytes Text(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Bytes 1, 2, 3, ... (wrapping), so that every position is recognisable.
inline Bytes Numbered(size_t n) {
  Bytes bytes(n);
  for (size_t i = 0; i < n; ++i) bytes[i] = static_cast<uint8_t>(i + 1);
  return bytes;
}

inline void Put32(Bytes& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline uint32_t Get32(const Bytes& bytes, size_t offset) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | bytes[offset + i];
  return v;
}

}  // namespace tftest

// Expects statement to throw corvane::Failure whose description contains text.
#define EXPECT_FAILURE(statement, text)                                    \
  do {                                                                     \
    try {                                                                  \
      statement;                                                           \
      ADD_FAILURE() << "expected a failure from " #statement;              \
    } catch (const corvane::Failure& failure) {                            \
      EXPECT_NE(std::string(failure.what()).find(text), std::string::npos) \
          << "description: " << failure.what();                            \
      EXPECT_LT(failure.Code(), 0) << "a failure carries a failing code";  \
    }                                                                      \
  } while (false)
