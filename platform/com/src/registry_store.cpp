#include "registry_store.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace com::detail {

namespace fs = std::filesystem;

namespace {

constexpr const char* kEnvironmentOverride = "TF_COM_REGISTRY";
constexpr const char* kPerUserFolder = "texelforge";
constexpr const char* kFileName = "com-registry";

std::mutex g_overrideMutex;
std::optional<fs::path> g_override;

fs::path HomeFolder() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* pw = getpwuid(getuid()); pw != nullptr && pw->pw_dir != nullptr) {
    return pw->pw_dir;
  }
  throw std::runtime_error("cannot find the home folder for the class registry");
}

fs::path ConfigFolder() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && *xdg == '/') return xdg;
  return HomeFolder() / ".config";
}

std::string Describe(const char* what, const fs::path& path, int error) {
  return std::string(what) + " " + path.string() + ": " + std::strerror(error);
}

}  // namespace

fs::path RegistryPath() {
  {
    std::lock_guard lock(g_overrideMutex);
    if (g_override) return *g_override;
  }
  if (const char* env = std::getenv(kEnvironmentOverride); env != nullptr && *env != '\0') {
    return fs::absolute(env);
  }
  return ConfigFolder() / kPerUserFolder / kFileName;
}

void SetRegistryPathOverride(const char* utf8Path) {
  std::lock_guard lock(g_overrideMutex);
  if (utf8Path == nullptr || *utf8Path == '\0') {
    g_override.reset();
  } else {
    g_override = fs::absolute(utf8Path);
  }
}

RegistryDocument LoadRegistry(const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    throw std::runtime_error(Describe("cannot read the class registry", path, errno));
  }
  // A folder would read as an empty registry, and a pipe would make the read wait.
  if (!S_ISREG(info.st_mode)) {
    throw std::runtime_error("cannot read the class registry " + path.string() +
                             ": it is not a file");
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(Describe("cannot read the class registry", path, errno));
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw std::runtime_error(Describe("cannot read the class registry", path, EIO));
  return RegistryDocument::Parse(text.str());
}

void SaveRegistry(const fs::path& path, const RegistryDocument& doc) {
  std::error_code ec;
  if (path.has_parent_path()) {
    fs::create_directories(path.parent_path(), ec);
    if (ec) throw std::runtime_error(Describe("cannot create the folder of", path, ec.value()));
  }
  fs::path temp = path;
  temp += ".tmp." + std::to_string(getpid());
  const std::string text = doc.Serialize();
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.flush();
    if (!out) {
      const int error = errno;
      out.close();
      fs::remove(temp, ec);
      throw std::runtime_error(Describe("cannot write the class registry", temp, error));
    }
  }
  fs::rename(temp, path, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw std::runtime_error(Describe("cannot replace the class registry", path, ec.value()));
  }
}

RegistryWriteLock::RegistryWriteLock(const fs::path& registry) {
  std::error_code ec;
  if (registry.has_parent_path()) fs::create_directories(registry.parent_path(), ec);
  fs::path lockPath = registry;
  lockPath += ".lock";
  m_fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  // Without a lock file (read-only folder) the rewrite itself reports the real problem.
  if (m_fd >= 0) {
    while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
}

RegistryWriteLock::~RegistryWriteLock() {
  if (m_fd >= 0) ::close(m_fd);
}

}  // namespace com::detail
