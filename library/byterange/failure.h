// The one error type of the byte-range routines and the library's internals: a result code for
// the component boundary and a description that names what failed.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace corvane {

// Result codes the internals report, in the component model's numbering.
inline constexpr int32_t kFileNotFound = static_cast<int32_t>(0x80070002u);
inline constexpr int32_t kAccessDenied = static_cast<int32_t>(0x80070005u);
inline constexpr int32_t kInvalidArgument = static_cast<int32_t>(0x80070057u);
inline constexpr int32_t kUnspecifiedFailure = static_cast<int32_t>(0x80004005u);
inline constexpr int32_t kWriteProtected = static_cast<int32_t>(0x80070013u);
inline constexpr int32_t kDiskFull = static_cast<int32_t>(0x80070070u);
// A pipe, a socket or a device where a file is read or written: its kind of file is refused.
inline constexpr int32_t kNotAFile = static_cast<int32_t>(0x800700DEu);

// The result code of a failed system call, so that a caller can tell a full disk or a read-only
// one from a fault of the file.
inline int32_t CodeOfErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kFileNotFound;
    case EACCES:
    case EPERM:
      return kAccessDenied;
    case EROFS:
      return kWriteProtected;
    case ENOSPC:
    case EDQUOT:
      return kDiskFull;
    default:
      return kUnspecifiedFailure;
  }
}

class Failure : public std::runtime_error {
 public:
  Failure(int32_t code, const std::string& description)
      : std::runtime_error(description), m_code(code) {}
  int32_t Code() const { return m_code; }

 private:
  int32_t m_code;
};

// "<what> '<path>': <reason>" with the result code of a failed system call's errno.
[[noreturn]] inline void FailWithErrno(int error, const std::string& what,
                                       const std::filesystem::path& path) {
  const int32_t code = CodeOfErrno(error);
  const std::string reason = code == kFileNotFound ? "File not found" : std::strerror(error);
  throw Failure(code, what + " '" + path.string() + "': " + reason);
}

}  // namespace corvane
