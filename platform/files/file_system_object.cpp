#include "file_system_object.h"

#include <fcntl.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <memory>
#include <system_error>
#include <vector>

#include "new_file.h"
#include "regular_file.h"
#include "replaced_file.h"
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

// A folder, a pipe, a socket or a device at `target` is never replaced: the rename would make
// a plain file of it.
void RefuseToReplace(const fs::path& target, const fs::path& destination) {
  const char* standing = files::NotAFileAt(target);
  if (standing == nullptr) return;
  if (standing == files::kFolder) {
    Fail("CopyFile", destination, "the target is a folder",
         std::make_error_code(std::errc::is_a_directory));
  }
  throw FileSystemError("CopyFile \"" + destination.string() + "\": the target is " + standing +
                            ", not a file; nothing was written",
                        destination, {}, standing);
}

using Stream = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

// The regular file `source`, opened for reading, and its length then.
Stream OpenSource(const fs::path& source, long long& size) {
  files::OpenedFile opened;
  Stream in(files::OpenRegularStream(source, O_RDONLY, "rb", opened), &std::fclose);
  if (opened.notAFile != nullptr) {
    Fail("CopyFile", source, files::NotAFileText(source, opened.notAFile));
  }
  if (opened.error == ENOENT || opened.error == ENOTDIR) {
    Fail("CopyFile", source, "the source file does not exist",
         std::make_error_code(std::errc::no_such_file_or_directory));
  }
  if (!in) FailErrno("CopyFile", source, opened.error);
  size = opened.size;
  return in;
}

// Copies as many bytes as the source held when it was opened (a file that grows meanwhile
// cannot keep the copy going) into the new file; every write asks the write check first.
void CopyBytes(std::FILE* in, long long size, const files::NewFile& temporary,
               const fs::path& source, const fs::path& destination) {
  Stream out(temporary.OpenStream("wb"), &std::fclose);
  if (!out) FailErrno("CopyFile", destination, errno);
  std::vector<char> buffer(1 << 20);
  int error = 0;
  for (auto left = static_cast<unsigned long long>(size); left > 0;) {
    const size_t n =
        std::fread(buffer.data(), 1, std::min<unsigned long long>(buffer.size(), left), in);
    if (n == 0) {
      // Shorter than when it was opened: what was copied is no copy of it.
      error = std::ferror(in) ? EIO : ESTALE;
      break;
    }
    left -= n;
    if (!files::MayWrite(n)) {
      error = ENOSPC;
      break;
    }
    if (std::fwrite(buffer.data(), 1, n, out.get()) != n) {
      error = errno;
      break;
    }
  }
  if (std::fclose(out.release()) != 0 && error == 0) error = errno;
  if (error != 0) {
    if (error == ESTALE) Fail("CopyFile", source, "the file changed while it was read");
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
  // Through a link, the file it names is replaced and the link stays.
  const fs::path target = files::FileBehindLinks(destination);
  RefuseToReplace(target, destination);
  long long size = 0;
  const Stream in = OpenSource(source, size);
  files::NewFile temporary(target);
  if (temporary.Error() != 0) FailErrno("CopyFile", destination, temporary.Error());
  CopyBytes(in.get(), size, temporary, source, destination);
  // A file replaced keeps who may read it; a new one has the umask's mode.
  int error = temporary.TakeModeOf(target);
  // Asked again: a pipe or a device may have taken the target's name while the copy was made.
  if (error == 0) RefuseToReplace(target, destination);
  if (error == 0) error = temporary.RenameOnto(target);
  if (error != 0) FailErrno("CopyFile", destination, error);
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
