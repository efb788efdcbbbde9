// Runs a program directly (no shell) with an argument list, the way the main
// window's command runner does, and collects what it prints.
#pragma once

#include <string>
#include <vector>

namespace probetest {

struct RunResult {
  int exit_code = -1;  // 128 + signal number when the program was killed
  std::string out;     // standard output, or both streams when merged
  std::string err;     // standard error when not merged
};

enum class Capture { kMerged, kSeparate };

// argv[0] is looked up in PATH when it holds no slash.
RunResult RunProgram(const std::vector<std::string>& argv, Capture capture = Capture::kMerged);

}  // namespace probetest
