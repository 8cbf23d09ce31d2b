// What is no file, made in a test's own folder: a named pipe, a unix socket and a link to a
// character node with the null device's numbers (so a write that went wrong reaches nothing),
// the node only where the test may make one. Free of Qt and of the test framework.
#pragma once

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
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
  const fs::path pipe = folder / ("pipe-" + name), socket = folder / ("socket-" + name);
  ::mkfifo(pipe.c_str(), 0600);
  sockaddr_un address{AF_UNIX, {}};
  std::strncpy(address.sun_path, socket.c_str(), sizeof address.sun_path - 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::close(fd);  // the socket's name stays
  std::vector<SpecialFile> made = {{"a named pipe", pipe, fs::file_type::fifo},
                                   {"a socket", socket, fs::file_type::socket}};
  const fs::path node = folder / ("null-" + name);
  if (::mknod(node.c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0) {
    fs::create_symlink(node, folder / ("device-" + name));
    made.push_back({"a device", folder / ("device-" + name), fs::file_type::character});
  }
  return made;
}

// Still what it was: the link a link, the node of its kind.
inline bool StillStands(const SpecialFile& special) {
  std::error_code error;
  return std::filesystem::is_symlink(special.path, error) ==
             (special.type == std::filesystem::file_type::character) &&
         std::filesystem::status(special.path, error).type() == special.type;
}

}  // namespace testing_support
