// An open file for binary access with 1-based positions, standing in for a numbered file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "new_file.h"

namespace corvane {

class BinaryFile {
 public:
  enum class Mode {
    ReadOnly,   // must exist
    ReadWrite,  // opened, or created empty when missing
  };
  BinaryFile(const std::filesystem::path& path, Mode mode);
  // The file a replacing write fills, written afresh from its start.
  explicit BinaryFile(const files::NewFile& fresh);
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;
  ~BinaryFile();

  int64_t Length() const;
  int64_t Position() const;  // 1-based position of the next read or write
  void Seek(int64_t position);
  // Reads up to size bytes at the current position; returns how many were read.
  size_t Read(void* buffer, size_t size);
  void Write(const void* buffer, size_t size);
  void Close();  // reports a failed flush; the destructor closes silently
  const std::filesystem::path& Path() const { return m_path; }

 private:
  enum class LastAccess { None, Read, Write };
  // The C stream needs a seek between a write and a read that follows it, and the reverse.
  void SwitchTo(LastAccess access);
  std::FILE* Stream() const;  // fails once the file is closed

  std::FILE* m_file = nullptr;
  std::filesystem::path m_path;
  LastAccess m_last = LastAccess::None;
};

}  // namespace corvane
