#include "write_fault.h"

#include <atomic>
#include <limits>

namespace files {

namespace {
constexpr uint64_t kUnarmed = std::numeric_limits<uint64_t>::max();
std::atomic<uint64_t> g_budget{kUnarmed};
}  // namespace

void FailWritesAfter(std::optional<uint64_t> bytes) { g_budget = bytes.value_or(kUnarmed); }

bool MayWrite(size_t bytes) {
  uint64_t budget = g_budget.load();
  while (budget != kUnarmed) {
    if (bytes > budget) {
      g_budget = 0;
      return false;
    }
    if (g_budget.compare_exchange_weak(budget, budget - bytes)) return true;
  }
  return true;
}

}  // namespace files
