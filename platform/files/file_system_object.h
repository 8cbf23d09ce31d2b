// The file-system object the window and the tabs work their folders and files through.
// Every failure throws texel::FileSystemError naming the operation and the path.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace texel {

namespace fs = std::filesystem;

class FileSystemError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  FileSystemError(const std::string& text, fs::path path, std::error_code code,
                  const char* standing = nullptr)
      : std::runtime_error(text), m_path(std::move(path)), m_code(code), m_standing(standing) {}
  // The file or folder the failure is about, and the system's reason where it gave one.
  const fs::path& Path() const { return m_path; }
  std::error_code Code() const { return m_code; }
  // What stands at Path() instead of a file ("a named pipe"), when that is the failure.
  const char* Standing() const { return m_standing; }

 private:
  fs::path m_path;
  std::error_code m_code;
  const char* m_standing;
};

class FileSystemObject {
 public:
  bool FolderExists(const fs::path& folder) const;
  // The folder and all it holds are gone; fails when it is missing.
  void DeleteFolder(const fs::path& folder);
  // A new empty folder; fails when it exists already or its parent is missing.
  void CreateFolder(const fs::path& folder);
  // destination becomes a full copy of source, overwriting; fails when source is missing.
  void CopyFolder(const fs::path& source, const fs::path& destination);
  bool FileExists(const fs::path& file) const;
  // destination afterwards holds exactly the bytes of source. The copy is written beside
  // destination under a temporary name and renamed over it, so destination is replaced whole
  // or left as it was. A destination that is a folder, a pipe, a socket or a device (its links
  // followed) is refused and stays as it was.
  void CopyFile(const fs::path& source, const fs::path& destination);
  void DeleteFile(const fs::path& file);
  // Renames source to destination, replacing a destination that exists.
  void MoveFile(const fs::path& source, const fs::path& destination);
};

}  // namespace texel
