#pragma once
// Shared memory the stand-in helpers count their runs in (the "count:NAME"
// step of scriptchild.exe): the runs going now and the most that went at
// once. The test opens it first, so it starts at zero and stays while the
// test reads it.
#include <windows.h>

#include <string>

#include "framework/Win32Handles.h"

class TRunCount {
 public:
  explicit TRunCount(const std::wstring& name)
      : mapping_(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 8,
                                    (L"Local\\" + name).c_str())),
        counters_(mapping_
                      ? static_cast<LONG*>(MapViewOfFile(mapping_.Get(), FILE_MAP_WRITE, 0, 0, 8))
                      : nullptr) {}
  ~TRunCount() {
    if (counters_) UnmapViewOfFile(counters_);
  }
  TRunCount(const TRunCount&) = delete;
  TRunCount& operator=(const TRunCount&) = delete;
  LONG Most() const { return counters_ ? counters_[1] : -1; }

 private:
  THandle mapping_;
  LONG* counters_;
};
