#include "file_system_object.h"

#include <atomic>
#include <chrono>
#include <system_error>

#include <unistd.h>

namespace texel {

namespace {

[[noreturn]] void Fail(const char* operation, const fs::path& path, const std::string& reason) {
  throw FileSystemError(std::string(operation) + " \"" + path.string() + "\": " + reason);
}

[[noreturn]] void Fail(const char* operation, const fs::path& path, const std::error_code& ec) {
  Fail(operation, path, ec.message());
}

// A name beside `destination` that no other copy of this process or another one uses.
fs::path TemporaryBeside(const fs::path& destination) {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::string name = "." + destination.filename().string() + ".tf-" +
                           std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                           std::to_string(stamp);
  return destination.parent_path() / name;
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
  if (fs::is_directory(destination, ec)) Fail("CopyFile", destination, "the target is a folder");
  const fs::path temporary = TemporaryBeside(destination);
  fs::copy_file(source, temporary, fs::copy_options::overwrite_existing, ec);
  // A read-only source must not make the work copy or the saved file read-only.
  if (!ec)
    fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write,
                    fs::perm_options::add, ec);
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
