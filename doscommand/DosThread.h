#pragma once
// TDosThread: the worker of one run of a TDosCommand. It takes copies of all
// it needs at construction and starts at once; destroying it while it runs
// sets the terminate flag (which kills the child) and waits for the run to end.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "doscommand/DosCommand.h"
#include "doscommand/LineSplitter.h"
#include "framework/Thread.h"

class TDosThread : public TThread {
 public:
  TDosThread(TDosCommand* sender, std::wstring command_line, TRunLines* lines, bool input_to_output,
             TProcessTimer* timer, std::int32_t max_time_after_beginning,
             std::int32_t max_time_after_last_output, TNewLineEvent on_new_line,
             TNotifyEvent on_terminated, DWORD creation_flags, HANDLE run_ended);
  ~TDosThread() override;

 protected:
  void Execute() override;

 private:
  // Runs the child and reads its output; returns how it ended.
  TRunOutcome Run();
  // Starts the child, trying again when a start fails for a passing reason.
  bool StartChild(std::vector<wchar_t>& command, STARTUPINFOW& startup, PROCESS_INFORMATION& info);
  void CompleteLine(const std::string& line);
  bool LimitReached() const;

  TDosCommand* sender_;
  std::wstring command_line_;
  TRunLines* lines_;
  bool input_to_output_;
  TProcessTimer* timer_;
  std::int32_t max_time_after_beginning_;
  std::int32_t max_time_after_last_output_;
  TNewLineEvent on_new_line_;
  TNotifyEvent on_terminated_;
  DWORD creation_flags_;  // priority class and console choice
  HANDLE run_ended_;      // borrowed from the runner
  THandle stop_event_;    // set when the worker is asked to stop
  TLineSplitter splitter_;
};
