#include "temp_name.h"

#include <sys/random.h>
#include <climits>

#include <array>
#include <cerrno>
#include <deque>
#include <mutex>
#include <random>
#include <string>

namespace files {

namespace {

// 64 characters, so that each one carries six random bits.
constexpr char kTagAlphabet[] = "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ-_";
constexpr size_t kTagLength = 12;

std::mutex g_foreseenMutex;
std::deque<std::string> g_foreseen;

// The first `most` bytes of `name`, not ending inside a UTF-8 character.
std::string Prefix(const std::string& name, size_t most) {
  if (name.size() <= most) return name;
  size_t end = most;
  while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
  return name.substr(0, end);
}

void FillRandom(std::array<unsigned char, kTagLength>& bytes) {
  size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::getrandom(bytes.data() + got, bytes.size() - got, 0);
    if (n > 0) {
      got += static_cast<size_t>(n);
    } else if (n < 0 && errno != EINTR) {
      break;
    }
  }
  if (got == bytes.size()) return;
  // No random source (a kernel without the call): the device's own randomness still serves.
  std::random_device device;
  for (size_t i = got; i < bytes.size(); ++i) bytes[i] = static_cast<unsigned char>(device());
}

}  // namespace

std::string UnforeseeableTag() {
  {
    const std::lock_guard lock(g_foreseenMutex);
    if (!g_foreseen.empty()) {
      std::string tag = std::move(g_foreseen.front());
      g_foreseen.pop_front();
      return tag;
    }
  }
  std::array<unsigned char, kTagLength> bytes{};
  FillRandom(bytes);
  std::string tag(kTagLength, '0');
  for (size_t i = 0; i < kTagLength; ++i) tag[i] = kTagAlphabet[bytes[i] % 64];
  return tag;
}

std::filesystem::path TempPathBeside(const std::filesystem::path& target) {
  const std::string tag = ".tf-" + UnforeseeableTag();
  // The target's own name is only a hint for whoever finds the file, shortened so that the whole
  // stays a valid name beside a long one.
  const std::string name =
      "." + Prefix(target.filename().string(), NAME_MAX - 1 - tag.size()) + tag;
  return target.parent_path() / name;
}

ForeseenTags::ForeseenTags(std::vector<std::string> tags) {
  const std::lock_guard lock(g_foreseenMutex);
  g_foreseen.assign(tags.begin(), tags.end());
}

ForeseenTags::~ForeseenTags() {
  const std::lock_guard lock(g_foreseenMutex);
  g_foreseen.clear();
}

}  // namespace files
