#include "file_system_object.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

#include "temp_name.h"
#include "write_fault.h"

namespace texel {

namespace {

[[noreturn]] void Fail(const char* operation, const fs::path& path, const std::string& reason,
                       std::error_code code = {}) {
  throw FileSystemError(std::string(operation) + " \"" + path.string() + "\": " + reason, path,
                        code);
}

[[noreturn]] void Fail(const char* operation, const fs::path& path, const std::error_code& ec) {
  Fail(operation, path, ec.message(), ec);
}

[[noreturn]] void FailErrno(const char* operation, const fs::path& path, int error) {
  Fail(operation, path, std::error_code(error, std::generic_category()));
}

// Copies source into the open temporary file; every write asks the write check first.
void CopyBytes(const fs::path& source, const fs::path& temporary, const fs::path& destination) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(source.c_str(), "rb"),
                                                     &std::fclose);
  if (!in) FailErrno("CopyFile", source, errno);
  std::FILE* out = std::fopen(temporary.c_str(), "wb");
  if (out == nullptr) FailErrno("CopyFile", destination, errno);
  std::vector<char> buffer(1 << 20);
  int error = 0;
  for (;;) {
    const size_t n = std::fread(buffer.data(), 1, buffer.size(), in.get());
    if (n == 0) {
      if (std::ferror(in.get())) error = EIO;
      break;
    }
    if (!files::MayWrite(n)) {
      error = ENOSPC;
      break;
    }
    if (std::fwrite(buffer.data(), 1, n, out) != n) {
      error = errno;
      break;
    }
  }
  if (std::fclose(out) != 0 && error == 0) error = errno;
  if (error != 0) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    FailErrno("CopyFile", error == EIO ? source : destination, error);
  }
}

}  // namespace

bool FileSystemObject::FolderExists(const fs::path& folder) const {
  std::error_code ec;
  return fs::is_directory(folder, ec);
}

void FileSystemObject::DeleteFolder(const fs::path& folder) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) Fail("DeleteFolder", folder, "the folder does not exist");
  fs::remove_all(folder, ec);
  if (ec) Fail("DeleteFolder", folder, ec);
}

void FileSystemObject::CreateFolder(const fs::path& folder) {
  std::error_code ec;
  if (fs::exists(folder, ec)) Fail("CreateFolder", folder, "the folder exists already");
  const fs::path parent = folder.parent_path();
  if (!parent.empty() && !fs::is_directory(parent, ec)) {
    Fail("CreateFolder", folder, "its parent folder does not exist");
  }
  if (!fs::create_directory(folder, ec) || ec) {
    Fail("CreateFolder", folder, ec ? ec.message() : std::string("not created"));
  }
}

void FileSystemObject::CopyFolder(const fs::path& source, const fs::path& destination) {
  std::error_code ec;
  if (!fs::is_directory(source, ec)) Fail("CopyFolder", source, "the source folder does not exist");
  fs::copy(source, destination, fs::copy_options::recursive | fs::copy_options::overwrite_existing,
           ec);
  if (ec) Fail("CopyFolder", destination, ec);
}

bool FileSystemObject::FileExists(const fs::path& file) const {
  std::error_code ec;
  return fs::is_regular_file(file, ec);
}

void FileSystemObject::CopyFile(const fs::path& source, const fs::path& destination) {
  std::error_code ec;
  if (!fs::is_regular_file(source, ec)) Fail("CopyFile", source, "the source file does not exist");
  if (fs::is_directory(destination, ec)) {
    Fail("CopyFile", destination, "the target is a folder",
         std::make_error_code(std::errc::is_a_directory));
  }
  const fs::path temporary = files::TempPathBeside(destination);
  CopyBytes(source, temporary, destination);
  // A read-only source must not make the work copy or the saved file read-only.
  fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                  ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    Fail("CopyFile", destination, ec);
  }
  fs::rename(temporary, destination, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    Fail("CopyFile", destination, ec);
  }
}

void FileSystemObject::DeleteFile(const fs::path& file) {
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) Fail("DeleteFile", file, "the file does not exist");
  fs::remove(file, ec);
  if (ec) Fail("DeleteFile", file, ec);
}

void FileSystemObject::MoveFile(const fs::path& source, const fs::path& destination) {
  std::error_code ec;
  if (!fs::is_regular_file(source, ec)) Fail("MoveFile", source, "the source file does not exist");
  fs::rename(source, destination, ec);
  if (ec) Fail("MoveFile", destination, ec);
}

}  // namespace texel
