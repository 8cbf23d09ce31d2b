#include "instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "handler_guard.h"
#include "regular_file.h"
#include "work_folder_fault.h"

namespace texel {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLockFile = "TexelForge.lock";

// Removing the file is the cure where the file itself is at fault.
constexpr const char* kRemoveIt = " Remove that file and start Texel Forge again.";

[[noreturn]] void FailToUse(const fs::path& file, const std::string& why, const char* cure,
                            const std::string& detail) {
  throw InstallationFault("Texel Forge cannot use its lock file \"" + file.string() +
                              "\", which keeps a second copy out of its working folders: " + why +
                              "." + cure,
                          detail);
}

// The lock file opened for reading, made when it is missing (`flags` with O_CREAT).
int OpenLockFile(const fs::path& appData, int flags) {
  const fs::path file = appData / kLockFile;
  const files::OpenedFile opened = files::OpenRegularFile(file, flags);
  if (opened.notAFile != nullptr) {
    FailToUse(file, std::string("it is ") + opened.notAFile + ", not a file", kRemoveIt,
              files::NotAFileText(file, opened.notAFile));
  }
  if (opened.fd >= 0) return opened.fd;
  const std::string detail =
      "Cannot open the lock file \"" + file.string() + "\": " + std::strerror(opened.error);
  std::error_code ignored;
  if (!fs::exists(file, ignored)) {
    if (std::optional<InstallationFault> fault = AppDataFault(appData)) throw *std::move(fault);
  }
  if (opened.error == EACCES) {
    FailToUse(file, "Texel Forge may not read it (a run as another user left it so)", kRemoveIt,
              detail);
  }
  FailToUse(file, std::strerror(opened.error), "", detail);
}

}  // namespace

std::optional<InstanceLock> InstanceLock::Take(const fs::path& appData) {
  const int fd = OpenLockFile(appData, O_RDONLY | O_CREAT);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    ::close(fd);
    if (error == EWOULDBLOCK) return std::nullopt;
    const fs::path file = appData / kLockFile;
    FailToUse(file, std::strerror(error), "",
              "Cannot lock \"" + file.string() + "\": " + std::strerror(error));
  }
  return InstanceLock(fd);
}

void InstanceLock::Probe(const fs::path& appData) {
  std::error_code ignored;
  if (!fs::exists(appData / kLockFile, ignored)) return;
  ::close(OpenLockFile(appData, O_RDONLY));
}

InstanceLock::~InstanceLock() {
  if (m_fd >= 0) ::close(m_fd);
}

}  // namespace texel
