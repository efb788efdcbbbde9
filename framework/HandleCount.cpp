#include "framework/HandleCount.h"

#include <array>
#include <atomic>

namespace {

// One counter per kind for the whole process: handles belong to it, not to
// one object.
std::array<std::atomic<long>, static_cast<size_t>(THandleKind::hkCount)>& Counts() {
  static std::array<std::atomic<long>, static_cast<size_t>(THandleKind::hkCount)> counts{};
  return counts;
}

}  // namespace

void CountHandle(THandleKind kind, int delta) {
  Counts()[static_cast<size_t>(kind)].fetch_add(delta, std::memory_order_relaxed);
}

long LiveHandles(THandleKind kind) {
  return Counts()[static_cast<size_t>(kind)].load(std::memory_order_relaxed);
}
