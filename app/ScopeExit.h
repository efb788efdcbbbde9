#pragma once
// TOnExit runs its function when it goes out of scope, on every way out
// (return or exception): the end of a wait is never skipped.
#include <utility>

template <class F>
class TOnExit {
 public:
  explicit TOnExit(F f) : f_(std::move(f)) {}
  ~TOnExit() { f_(); }
  TOnExit(const TOnExit&) = delete;
  TOnExit& operator=(const TOnExit&) = delete;

 private:
  F f_;
};
