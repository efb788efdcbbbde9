#pragma once
// TProcessTimer counts the seconds since a run began and since its last
// complete line. It ticks on the user-interface thread (so the counts advance
// only while that thread processes messages); the worker reads and resets
// the counts and ends the counting from its own thread, hence the atomics.
#include <atomic>
#include <cstdint>

#include "framework/Timer.h"

class TProcessTimer : public TTimer {
 public:
  explicit TProcessTimer(TComponent* owner);

  void Start();
  void ResetLastOutput() { since_last_output_.store(0); }
  // Safe from any thread: the run is over from here on; the window timer
  // itself is switched off at its next tick, on its own thread.
  void StopCounting() { counting_.store(false); }
  bool Counting() const { return counting_.load(); }

  std::int32_t SinceBeginning() const { return since_beginning_.load(); }
  std::int32_t SinceLastOutput() const { return since_last_output_.load(); }

 protected:
  void Timer() override;

 private:
  std::atomic<std::int32_t> since_beginning_{0};
  std::atomic<std::int32_t> since_last_output_{0};
  std::atomic<bool> counting_{false};
};
