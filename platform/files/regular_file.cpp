#include "regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace files {

namespace {

const char* NotAFile(mode_t mode) {
  if (S_ISREG(mode)) return nullptr;
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  if (S_ISDIR(mode)) return kFolder;
  return "a special file";
}

}  // namespace

const char* NotAFileAt(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? NotAFile(info.st_mode) : nullptr;
}

OpenedFile OpenRegularFile(const std::filesystem::path& path, int flags) {
  OpenedFile opened;
  struct stat info {};
  // Asked first: a socket cannot be opened at all, and a pipe's open may wait for a writer.
  if (::stat(path.c_str(), &info) == 0 && (opened.notAFile = NotAFile(info.st_mode))) {
    return opened;
  }
  // O_NONBLOCK keeps the open itself from waiting should a pipe take the name meanwhile; what
  // was opened is measured again on the descriptor.
  const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    opened.error = errno;
    return opened;
  }
  if (::fstat(fd, &info) != 0) {
    opened.error = errno;
  } else if ((opened.notAFile = NotAFile(info.st_mode)) == nullptr) {
    const int status = ::fcntl(fd, F_GETFL);
    if (status < 0 || ::fcntl(fd, F_SETFL, status & ~O_NONBLOCK) < 0) opened.error = errno;
  }
  if (opened.error != 0 || opened.notAFile != nullptr) {
    ::close(fd);
    return opened;
  }
  opened.fd = fd;
  opened.size = static_cast<long long>(info.st_size);
  return opened;
}

std::FILE* OpenRegularStream(const std::filesystem::path& path, int flags, const char* mode,
                             OpenedFile& opened) {
  opened = OpenRegularFile(path, flags);
  if (opened.fd < 0) return nullptr;
  std::FILE* stream = ::fdopen(opened.fd, mode);
  if (stream == nullptr) {
    opened.error = errno;
    ::close(opened.fd);
    opened.fd = -1;
  }
  return stream;
}

std::string NotAFileText(const std::filesystem::path& path, const char* what) {
  return "'" + path.string() + "' is " + what + ", not a file";
}

}  // namespace files
