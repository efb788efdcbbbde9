#pragma once
// TThread: a worker thread that starts running when it is constructed and
// is not freed when it ends. Destroying it sets the terminate flag and waits
// until Execute has returned, so whatever the worker uses outlives it.
#include <atomic>
#include <functional>
#include <thread>

#include "framework/Object.h"

class TThread : public TObject {
 public:
  TThread() = default;
  ~TThread() override;
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  void Terminate() { terminated_.store(true); }
  bool Terminated() const { return terminated_.load(); }
  bool Finished() const { return finished_.load(); }
  // Blocks until Execute has returned.
  void WaitFor();

 protected:
  // Derived constructors call Start as their last step, once every field the
  // worker reads has been set.
  void Start();
  virtual void Execute() = 0;

 private:
  std::thread thread_;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
};
