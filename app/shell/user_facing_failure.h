// Failures already told in words, with what failed kept for a bug report: the one exception
// types the handler guard shows as they stand.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace texel {

// A failure already told in the user's words, with what failed kept for a bug report.
class UserFacingFailure : public std::runtime_error {
 public:
  UserFacingFailure(const std::string& reason, std::string detail)
      : std::runtime_error(reason), m_detail(std::move(detail)) {}
  const std::string& Detail() const { return m_detail; }

 private:
  std::string m_detail;
};

// A fault of Texel Forge's own installation (its data, its library, its folders), already in
// words: no user's file is named with it, for none is at fault.
class InstallationFault : public UserFacingFailure {
 public:
  using UserFacingFailure::UserFacingFailure;
};

// An installation fault the work went on past: it did what it could, so the box tells the fault
// and not that the work could not finish.
class WentOnPastIt : public InstallationFault {
 public:
  using InstallationFault::InstallationFault;
};

}  // namespace texel
