// One scratch folder per fuzzing process under /tmp, removed when the process ends.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

namespace tffuzz {

namespace fs = std::filesystem;

constexpr const char* kPrefix = "tf-fuzz-";

// A timed run ends without the exit handlers, so each run also clears the folders of runs whose
// process is gone.
inline void RemoveStaleFolders() {
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/tmp", error)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kPrefix, 0) != 0) continue;
    const long pid = std::strtol(name.c_str() + std::strlen(kPrefix), nullptr, 10);
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      std::error_code ignored;
      fs::remove_all(entry.path(), ignored);
    }
  }
}

inline const fs::path& Folder() {
  static const fs::path folder = [] {
    RemoveStaleFolders();
    std::string pattern = "/tmp/" + std::string(kPrefix) + std::to_string(::getpid()) + "-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    std::atexit([] {
      std::error_code ignored;
      fs::remove_all(Folder(), ignored);
    });
    return fs::path(pattern);
  }();
  return folder;
}

// The folder emptied of what earlier inputs left in it, so that a finding never depends on them.
inline const fs::path& EmptyFolder() {
  const fs::path& folder = Folder();
  std::error_code ignored;
  std::vector<fs::path> left;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) left.push_back(entry.path());
  for (const fs::path& path : left) fs::remove_all(path, ignored);
  return folder;
}

inline void Write(const fs::path& path, std::span<const uint8_t> bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A broken property is a finding: stop here so that the fuzzer keeps the input.
inline void Require(bool property) {
  if (!property) std::abort();
}

}  // namespace tffuzz
