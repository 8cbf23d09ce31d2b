// A device that fails: tests arm it to make every file write of the process fail once a number
// of bytes has been written, as a full disk would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace files {

// nullopt disarms it.
void FailWritesAfter(std::optional<uint64_t> bytes);
// Every write asks first; false means the device is full (the caller fails with ENOSPC).
bool MayWrite(size_t bytes);

// Armed for the scope of a test.
class WriteFaultScope {
 public:
  explicit WriteFaultScope(uint64_t bytes) { FailWritesAfter(bytes); }
  ~WriteFaultScope() { FailWritesAfter(std::nullopt); }
  WriteFaultScope(const WriteFaultScope&) = delete;
  WriteFaultScope& operator=(const WriteFaultScope&) = delete;
};

}  // namespace files
