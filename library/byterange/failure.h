// The one error type of the byte-range routines and the library's internals: a result code for
// the component boundary and a description that names what failed.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace corvane {

// Result codes the internals report, in the component model's numbering.
inline constexpr int32_t kFileNotFound = static_cast<int32_t>(0x80070002u);
inline constexpr int32_t kAccessDenied = static_cast<int32_t>(0x80070005u);
inline constexpr int32_t kInvalidArgument = static_cast<int32_t>(0x80070057u);
inline constexpr int32_t kUnspecifiedFailure = static_cast<int32_t>(0x80004005u);

class Failure : public std::runtime_error {
 public:
  Failure(int32_t code, const std::string& description)
      : std::runtime_error(description), m_code(code) {}
  int32_t Code() const { return m_code; }

 private:
  int32_t m_code;
};

}  // namespace corvane
