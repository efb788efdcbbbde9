#include "framework/HandleCount.h"

#include <array>
#include <atomic>

namespace {

// One counter per kind for the whole process: handles belong to it, not to
// one object.
using TCounts = std::array<std::atomic<long>, static_cast<size_t>(THandleKind::hkCount)>;

TCounts& Counts() {
  static TCounts counts{};
  return counts;
}

TCounts& Taken() {
  static TCounts taken{};
  return taken;
}

}  // namespace

void CountHandle(THandleKind kind, int delta) {
  Counts()[static_cast<size_t>(kind)].fetch_add(delta, std::memory_order_relaxed);
  if (delta > 0) Taken()[static_cast<size_t>(kind)].fetch_add(delta, std::memory_order_relaxed);
}

long LiveHandles(THandleKind kind) {
  return Counts()[static_cast<size_t>(kind)].load(std::memory_order_relaxed);
}

long TakenHandles(THandleKind kind) {
  return Taken()[static_cast<size_t>(kind)].load(std::memory_order_relaxed);
}
