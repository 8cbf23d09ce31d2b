#include "instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace texel {

namespace {
constexpr const char* kLockFile = "TexelForge.lock";
}  // namespace

std::optional<InstanceLock> InstanceLock::Take(const std::filesystem::path& appData) {
  const std::filesystem::path file = appData / kLockFile;
  const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    throw std::runtime_error("Cannot open the lock file \"" + file.string() +
                             "\": " + std::strerror(errno));
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return std::nullopt;
    throw std::runtime_error("Cannot lock \"" + file.string() + "\": " + std::strerror(error));
  }
  return InstanceLock(fd);
}

InstanceLock::~InstanceLock() {
  if (m_fd >= 0) ::close(m_fd);
}

}  // namespace texel
