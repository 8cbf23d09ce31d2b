// One running copy per program folder: a lock on a file in AppData, held while the window
// lives. The system drops it when the process ends, so the lock of a copy that died is free
// again at once.
#pragma once

#include <filesystem>
#include <optional>
#include <utility>

namespace texel {

class InstanceLock {
 public:
  // Nothing when another copy holds it. The lock needs only read access to its file, so one
  // left by a run as another user still serves. Fails with an InstallationFault in words when
  // no lock can be made or taken at all.
  static std::optional<InstanceLock> Take(const std::filesystem::path& appData);
  // Fails as Take would when the lock file is there but cannot serve; makes nothing.
  static void Probe(const std::filesystem::path& appData);

  InstanceLock(InstanceLock&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
  InstanceLock& operator=(InstanceLock&& other) noexcept {
    std::swap(m_fd, other.m_fd);
    return *this;
  }
  InstanceLock(const InstanceLock&) = delete;
  ~InstanceLock();

 private:
  explicit InstanceLock(int fd) : m_fd(fd) {}
  int m_fd;
};

}  // namespace texel
