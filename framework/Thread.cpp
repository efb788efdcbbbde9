#include "framework/Thread.h"

TThread::~TThread() {
  Terminate();
  WaitFor();
}

void TThread::Start() {
  thread_ = std::thread([this] {
    Execute();
    finished_.store(true);
  });
}

void TThread::WaitFor() {
  if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}
