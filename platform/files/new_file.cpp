#include "new_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "temp_name.h"

namespace files {

namespace {

// Names tried before giving up: only names planted on purpose are ever taken.
constexpr int kMostNames = 16;
constexpr mode_t kPrivate = 0600;
constexpr mode_t kPermissionBits = 0777;

// The process's umask, without changing it where the system can tell it.
mode_t CurrentUmask() {
  if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned mask = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, status) != nullptr) {
      found = std::sscanf(line, "Umask: %o", &mask) == 1;
    }
    std::fclose(status);
    if (found) return static_cast<mode_t>(mask);
  }
  static std::mutex swapping;
  const std::lock_guard lock(swapping);
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

}  // namespace

NewFile::NewFile(const std::filesystem::path& target) {
  for (int tried = 0; tried < kMostNames; ++tried) {
    m_path = TempPathBeside(target);
    m_fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kPrivate);
    if (m_fd >= 0) return;
    if (errno != EEXIST && errno != ELOOP) break;
  }
  m_error = errno;
}

NewFile::~NewFile() {
  if (m_fd < 0) return;
  // Only this file goes: whatever someone put at its name stays theirs.
  if (!m_renamed && NameStillHoldsIt()) ::unlink(m_path.c_str());
  ::close(m_fd);
}

std::FILE* NewFile::OpenStream(const char* mode) const {
  if (m_fd < 0) {
    errno = m_error;
    return nullptr;
  }
  const int fd = ::fcntl(m_fd, F_DUPFD_CLOEXEC, 0);
  if (fd < 0) return nullptr;
  std::FILE* stream = ::fdopen(fd, mode);
  if (stream == nullptr) {
    const int error = errno;
    ::close(fd);
    errno = error;
  }
  return stream;
}

int NewFile::TakeModeOf(const std::filesystem::path& target) const {
  struct stat old {};
  if (::stat(target.c_str(), &old) != 0) {
    // A new file: the umask decides, as it would have for a file made under the target's name.
    return ::fchmod(m_fd, (0666 & ~CurrentUmask()) & kPermissionBits) == 0 ? 0 : errno;
  }
  struct stat own {};
  if (::fstat(m_fd, &own) != 0) return errno;
  if (own.st_gid != old.st_gid && ::fchown(m_fd, static_cast<uid_t>(-1), old.st_gid) != 0 &&
      errno != EPERM) {
    return errno;
  }
  // Set-id bits are not carried over to new content.
  return ::fchmod(m_fd, old.st_mode & kPermissionBits) == 0 ? 0 : errno;
}

bool NewFile::NameStillHoldsIt() const {
  struct stat named {};
  struct stat own {};
  return ::lstat(m_path.c_str(), &named) == 0 && ::fstat(m_fd, &own) == 0 && SameFile(named, own);
}

int NewFile::RenameOnto(const std::filesystem::path& target, bool dropTargetFirst) {
  if (m_fd < 0) return m_error;
  // Swapped for something else: moving that onto the target would hand the target to whoever
  // put it there. Pressing again makes a new file under a new name.
  if (!NameStillHoldsIt()) return EAGAIN;
  // unlink, unlike remove, never takes a folder that appeared since the target was checked.
  if (dropTargetFirst && ::unlink(target.c_str()) != 0 && errno != ENOENT) return errno;
  if (::rename(m_path.c_str(), target.c_str()) != 0) return errno;
  m_renamed = true;
  return 0;
}

}  // namespace files
