// What is no file, made in a test's own folder for the writers to refuse: a named pipe, a unix
// socket, and a link to a character device node. The node takes the null device's numbers, so
// that even a write that went wrong would reach nothing; it is made only where the test may
// (mknod needs the right to), else that case is left out. Free of Qt and the test framework.
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace testing_support {

struct SpecialFile {
  const char* kind;  // as the program names it: "a named pipe"
  std::filesystem::path path;
  std::filesystem::file_type type;  // what stands there, behind the link for the device
};

inline std::vector<SpecialFile> MakeSpecialFiles(const std::filesystem::path& folder,
                                                 const std::string& name) {
  namespace fs = std::filesystem;
  std::vector<SpecialFile> made;
  const fs::path pipe = folder / ("pipe-" + name);
  if (::mkfifo(pipe.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
  made.push_back({"a named pipe", pipe, fs::file_type::fifo});

  const fs::path socket = folder / ("socket-" + name);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (socket.string().size() >= sizeof address.sun_path) throw std::runtime_error("long path");
  std::strcpy(address.sun_path, socket.c_str());
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const bool bound =
      fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  if (fd >= 0) ::close(fd);  // the socket's name stays until it is removed
  if (!bound) throw std::runtime_error("bind failed");
  made.push_back({"a socket", socket, fs::file_type::socket});

  const fs::path node = folder / ("null-node-" + name);
  if (::mknod(node.c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0) {
    const fs::path link = folder / ("device-" + name);
    fs::create_symlink(node, link);
    made.push_back({"a device", link, fs::file_type::character});
  }
  return made;
}

// The special file is still what it was: the link a link, the node of its type.
inline bool StillStands(const SpecialFile& special) {
  std::error_code error;
  const bool linked = special.type == std::filesystem::file_type::character;
  return std::filesystem::is_symlink(special.path, error) == linked &&
         std::filesystem::status(special.path, error).type() == special.type;
}

}  // namespace testing_support
