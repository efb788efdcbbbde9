#pragma once
// Helpers shared by the Windows tests: where the test programs live, and
// waiting on the user-interface thread while messages keep flowing.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "framework/Application.h"

// The folder of the running test program, with a trailing backslash; the
// helper programs and ffmpeg.exe are built or copied there.
inline std::wstring TestBinDir() {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

inline std::wstring Quoted(const std::wstring& s) {
  return L"\"" + s + L"\"";
}

// Processes messages until `done` answers true or `timeout` passes; returns
// whether `done` was reached.
inline bool PumpUntil(TApplication& app, const std::function<bool()>& done,
                      std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    app.WaitAndProcess(nullptr, 10);
  }
  return true;
}

// Processes messages until `value` has stayed the same for `quiet` (input
// still queued behind the last read has been handled), or `timeout` passes;
// returns the last value read.
template <typename Read>
auto PumpUntilSteady(TApplication& app, Read value, std::chrono::milliseconds quiet,
                     std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  auto last = value();
  auto since = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() < end) {
    app.WaitAndProcess(nullptr, 10);
    const auto now = value();
    if (now != last) {
      last = now;
      since = std::chrono::steady_clock::now();
    } else if (std::chrono::steady_clock::now() - since >= quiet) {
      break;
    }
  }
  return last;
}
