// Where the class registry lives, and reading and rewriting it whole.
#pragma once

#include <filesystem>
#include <string>

#include "registry_document.h"

namespace com::detail {

// ComSetRegistryPath's choice, else $TF_COM_REGISTRY, else the per-user file
// $XDG_CONFIG_HOME/texelforge/com-registry (~/.config/texelforge/com-registry).
std::filesystem::path RegistryPath();
void SetRegistryPathOverride(const char* utf8Path);

// A missing file is an empty registry. Throws std::runtime_error naming the file otherwise, also
// when it is no regular file.
RegistryDocument LoadRegistry(const std::filesystem::path& path);
// Writes a temporary file beside the registry and renames it over the old one, so readers see
// the old text or the new, never a mix. Creates missing parent folders.
void SaveRegistry(const std::filesystem::path& path, const RegistryDocument& doc);

// Serialises writers of one registry file across processes (an advisory lock on a file beside
// it) so that concurrent registrations do not lose each other's entries.
class RegistryWriteLock {
 public:
  explicit RegistryWriteLock(const std::filesystem::path& registry);
  RegistryWriteLock(const RegistryWriteLock&) = delete;
  RegistryWriteLock& operator=(const RegistryWriteLock&) = delete;
  ~RegistryWriteLock();

 private:
  int m_fd = -1;
};

}  // namespace com::detail
