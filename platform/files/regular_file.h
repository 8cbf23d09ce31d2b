// Opening a path to read from it only when it is a regular file: a pipe, a device, a socket or a
// folder is refused at once, before anything could wait on it.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace files {

struct OpenedFile {
  int fd = -1;                     // a regular file's descriptor, in blocking mode
  int error = 0;                   // errno when the path could not be opened or measured
  const char* notAFile = nullptr;  // what stands there instead ("a named pipe"), when it does
  long long size = 0;              // the file's length when it was opened
};

// Opens `path`, following links, with `flags` (O_RDONLY, or O_RDWR with or without O_CREAT).
// Nothing that is not a regular file is ever opened for reading, so nothing blocks; the
// descriptor is the caller's to close.
OpenedFile OpenRegularFile(const std::filesystem::path& path, int flags);

// OpenRegularFile as a C stream opened with `mode` ("rb", "r+b"); nullptr with `opened` saying
// why when it is no regular file or could not be opened.
std::FILE* OpenRegularStream(const std::filesystem::path& path, int flags, const char* mode,
                             OpenedFile& opened);

// What NotAFileAt says of a folder; the other answers are "a named pipe", "a device", ...
inline constexpr const char* kFolder = "a folder";

// What stands at `path` (following links) when it is there but is no regular file, without
// opening it; nullptr for a regular file or nothing at all.
const char* NotAFileAt(const std::filesystem::path& path);

// "'<path>' is a named pipe, not a file"
std::string NotAFileText(const std::filesystem::path& path, const char* what);

}  // namespace files
