// Failing results turned into exceptions on the client side of the boundary.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

#include "com/types.h"

namespace com {

class Error : public std::runtime_error {
 public:
  Error(HRESULT code, const std::string& description);
  HRESULT Code() const { return m_code; }

 private:
  HRESULT m_code;
};

// Throws com::Error for a failing hr; the message is the call's name and the error info the
// failing call left (or a text for the code when it left none).
void ThrowIfFailed(HRESULT hr, const std::string& call);
std::string DescribeResult(HRESULT hr);

// The server side: leaves error info with the UTF-8 description and returns hr. Never throws (out
// of memory, the info keeps the number alone), so it is safe on every way out of an entry point.
HRESULT SetErrorInfo(HRESULT hr, std::string_view description) noexcept;
// The same with the description "call: detail".
HRESULT SetErrorInfo(HRESULT hr, std::string_view call, std::string_view detail) noexcept;

}  // namespace com
