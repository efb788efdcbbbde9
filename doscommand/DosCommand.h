#pragma once
// TDosCommand runs one console program at a time with its standard output
// and standard error redirected into a pipe. A worker thread (TDosThread)
// reads the pipe, cuts the bytes into lines, keeps the complete lines in
// Lines and reports every line and the end of the run through OnNewLine and
// OnTerminated. Both events are raised on the worker thread.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "doscommand/DosErrors.h"
#include "doscommand/OutputType.h"
#include "doscommand/ProcessTimer.h"
#include "doscommand/RunLines.h"
#include "framework/Component.h"
#include "framework/Object.h"
#include "framework/Win32Handles.h"

using TNewLineEvent =
    std::function<void(TObject* Sender, const std::string& NewLine, TOutputType OutputType)>;

class TDosThread;

// How the last run ended, for owners that must tell success from failure.
enum class TRunEnd {
  reNone,         // no run has ended yet
  reExited,       // the child ended by itself; ExitCode holds its code
  reStopped,      // Stop killed the child
  reTimeLimit,    // a time limit ended the run; the child was left running
  reStartFailed,  // the pipes or the process could not be created
};

struct TRunOutcome {
  TRunEnd end = TRunEnd::reNone;
  DWORD exit_code = 0;
  // The TCreateProcessError (or pipe failure) message of a run that could
  // not start.
  std::string error;
};

class TDosCommand : public TComponent {
 public:
  explicit TDosCommand(TComponent* owner);
  // Stops a run that is still going before the runner goes.
  ~TDosCommand() override;

  const std::wstring& CommandLine() const { return command_line_; }
  void SetCommandLine(std::wstring command_line) { command_line_ = std::move(command_line); }
  TNewLineEvent OnNewLine;
  TNotifyEvent OnTerminated;
  bool InputToOutput = false;
  std::int32_t MaxTimeAfterBeginning = 0;
  std::int32_t MaxTimeAfterLastOutput = 0;
  // Each run gets a hidden console of its own. Without one the child starts
  // with no console at all: its output still reaches the pipe, and the start
  // is much cheaper where every console is a host process of its own (under
  // Wine that host process is about half of a short run's time).
  bool NewConsole = true;

  // Starts a run and returns at once. Raises EDosCommand without a command
  // line. A run that is still going is stopped first.
  void Execute();
  // Ends the current run (killing a child that still runs) and waits for the
  // worker to leave. Does nothing when idle.
  void Stop();
  // True from Execute until the worker has finished its run.
  bool IsRunning() const;

  TRunLines& Lines() { return lines_; }
  const TRunLines& Lines() const { return lines_; }
  TRunOutcome LastOutcome() const;
  // Manual-reset event, signalled once the current run has ended and
  // OnTerminated has returned; reset by Execute. For owners that wait.
  HANDLE RunEndedEvent() const { return run_ended_.Get(); }
  DWORD PriorityClass() const { return priority_class_; }
  // What the next run's process is created with: the priority class and
  // the console choice.
  DWORD CreationFlags() const {
    return priority_class_ | (NewConsole ? CREATE_NEW_CONSOLE : DETACHED_PROCESS);
  }

  void DescribeProperties(TPropertyTable& table) override;

 private:
  friend class TDosThread;
  void SetOutcome(const TRunOutcome& outcome);

  std::wstring command_line_;
  DWORD priority_class_ = NORMAL_PRIORITY_CLASS;
  TRunLines lines_;
  TProcessTimer* timer_ = nullptr;  // owned by this runner, made by the first Execute
  std::unique_ptr<TDosThread> worker_;
  mutable std::mutex outcome_lock_;
  TRunOutcome outcome_;
  THandle run_ended_;
};
