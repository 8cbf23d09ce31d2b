// Failing results turned into exceptions on the client side of the boundary.
#pragma once

#include <stdexcept>
#include <string>

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

}  // namespace com
