#pragma once
// TRunLines: the complete lines of a run. The worker appends while the
// owner's thread reads, so every access takes the list's own lock and
// readers get copies.
#include <mutex>
#include <string>

#include "framework/StringList.h"

class TRunLines {
 public:
  void Add(const std::string& line) {
    std::lock_guard<std::mutex> lock(lock_);
    lines_.Add(line);
  }
  void Clear() {
    std::lock_guard<std::mutex> lock(lock_);
    lines_.Clear();
  }
  int Count() const {
    std::lock_guard<std::mutex> lock(lock_);
    return lines_.Count();
  }
  TStringList Snapshot() const {
    std::lock_guard<std::mutex> lock(lock_);
    return lines_;
  }
  // All lines joined, each followed by CR LF.
  std::string Text() const {
    std::lock_guard<std::mutex> lock(lock_);
    return lines_.Text();
  }

 private:
  mutable std::mutex lock_;
  TStringList lines_;
};
