#include "doscommand/DosThread.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "framework/Unicode.h"

namespace {

// The exit code a stopped child is killed with. A child that ends by itself
// keeps its own code, so after the end this tells a kill that really ended
// the child from one that came too late.
constexpr UINT kKillExitCode = 0x53544F50;  // "STOP"

// Kills the child when the run is left while it still runs because a line
// handler threw: no way out of a run leaves its child behind unless the run
// means to (a time limit does).
class TChildGuard {
 public:
  explicit TChildGuard(HANDLE process) : process_(process) {}
  ~TChildGuard() {
    if (process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_, kKillExitCode);
    }
  }
  TChildGuard(const TChildGuard&) = delete;
  TChildGuard& operator=(const TChildGuard&) = delete;
  void Release() { process_ = nullptr; }

 private:
  HANDLE process_;  // borrowed from the run
};

}  // namespace

TDosThread::TDosThread(TDosCommand* sender, std::wstring command_line, TRunLines* lines,
                       bool input_to_output, TProcessTimer* timer,
                       std::int32_t max_time_after_beginning,
                       std::int32_t max_time_after_last_output, TNewLineEvent on_new_line,
                       TNotifyEvent on_terminated, DWORD creation_flags, HANDLE run_ended)
    : sender_(sender),
      command_line_(std::move(command_line)),
      lines_(lines),
      input_to_output_(input_to_output),
      timer_(timer),
      max_time_after_beginning_(max_time_after_beginning),
      max_time_after_last_output_(max_time_after_last_output),
      on_new_line_(std::move(on_new_line)),
      on_terminated_(std::move(on_terminated)),
      creation_flags_(creation_flags),
      run_ended_(run_ended),
      stop_event_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
  // Everything the worker reads is in place; only now does it start.
  Start();
}

TDosThread::~TDosThread() {
  Terminate();
  SetEvent(stop_event_.Get());
  WaitFor();
}

void TDosThread::Execute() {
  TRunOutcome outcome;
  try {
    outcome = Run();
  } catch (...) {
    // An event handler threw on this thread; the run is over either way and
    // the owner must still learn that it ended.
    outcome.end = TRunEnd::reStopped;
  }
  sender_->SetOutcome(outcome);
  timer_->StopCounting();
  try {
    if (on_terminated_) on_terminated_(sender_);
  } catch (...) {
  }
  SetEvent(run_ended_);
}

bool TDosThread::LimitReached() const {
  if (max_time_after_beginning_ >= 1 && timer_->SinceBeginning() > max_time_after_beginning_) {
    return true;
  }
  if (max_time_after_last_output_ >= 1 && timer_->SinceLastOutput() > max_time_after_last_output_) {
    return true;
  }
  return false;
}

void TDosThread::CompleteLine(const std::string& line) {
  timer_->ResetLastOutput();
  lines_->Add(line);
  if (on_new_line_) on_new_line_(sender_, line, otEntireLine);
}

bool TDosThread::StartChild(std::vector<wchar_t>& command, STARTUPINFOW& startup,
                            PROCESS_INFORMATION& info) {
  // A program that was just written may be held open for a moment (a virus
  // scanner reading it, a copy finishing): a start that fails for any reason
  // but a missing or foreign program is tried again a few times before the
  // run counts as not started, unless the run is being stopped.
  constexpr DWORD kPauses[] = {50, 150, 400};
  for (size_t attempt = 0;; ++attempt) {
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE,
                       creation_flags_, nullptr, nullptr, &startup, &info)) {
      return true;
    }
    const DWORD error = GetLastError();
    const bool lasting = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                         error == ERROR_BAD_EXE_FORMAT || error == ERROR_INVALID_NAME ||
                         error == ERROR_DIRECTORY || error == ERROR_EXE_MACHINE_TYPE_MISMATCH;
    if (lasting || attempt == std::size(kPauses) || Terminated()) return false;
    Sleep(kPauses[attempt]);
  }
}

TRunOutcome TDosThread::Run() {
  TRunOutcome outcome;
  (void)input_to_output_;  // kept with the run; the child's input is never written

  // Inheritable pipe handles with a descriptor that lets everyone in (a null
  // DACL), as console children of other accounts need.
  SECURITY_DESCRIPTOR descriptor;
  InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE);
  SECURITY_ATTRIBUTES attributes{};
  attributes.nLength = sizeof(attributes);
  attributes.lpSecurityDescriptor = &descriptor;
  attributes.bInheritHandle = TRUE;

  THandle input_read, input_write, output_read, output_write;
  if (!CreatePipe(input_read.Put(), input_write.Put(), &attributes, 0) ||
      !CreatePipe(output_read.Put(), output_write.Put(), &attributes, 0)) {
    outcome.end = TRunEnd::reStartFailed;
    outcome.error = "Cannot create the pipes for " + WideToUtf8(command_line_);
    return outcome;
  }
  // The runner's own ends stay with the runner: a child that inherited the
  // read end of its own output pipe (or another runner's child) would keep
  // it alive after we close it.
  SetHandleInformation(input_write.Get(), HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(output_read.Get(), HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW startup{};
  GetStartupInfoW(&startup);
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = input_read.Get();
  startup.hStdOutput = output_write.Get();
  startup.hStdError = output_write.Get();

  std::vector<wchar_t> command(command_line_.begin(), command_line_.end());
  command.push_back(L'\0');
  PROCESS_INFORMATION info{};
  if (!StartChild(command, startup, info)) {
    outcome.end = TRunEnd::reStartFailed;
    outcome.error = TCreateProcessError(WideToUtf8(command_line_)).Message();
    return outcome;
  }
  THandle process(info.hProcess);
  THandle thread(info.hThread);
  TChildGuard guard(process.Get());

  std::vector<char> buffer(1024, 0);
  const auto report = [this](const std::string& line, TOutputType type) {
    if (type == otEntireLine) {
      CompleteLine(line);
    } else if (on_new_line_) {
      on_new_line_(sender_, line, otBeginningOfLine);
    }
  };
  const auto stop = [this] { return Terminated(); };

  bool killed = false;
  bool limit = false;
  int idle_passes = 0;
  DWORD exit_code = STILL_ACTIVE;
  for (;;) {
    // Whether the child has ended is taken before the pipe is looked at, so
    // the pass that sees the end still reads everything it wrote.
    // The handle tells for sure (a child may itself exit with the code 259),
    // and once it is signalled the exit code read after it is final.
    const bool ended = WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0;
    if (!GetExitCodeProcess(process.Get(), &exit_code)) exit_code = STILL_ACTIVE;

    DWORD peeked = 0;
    DWORD available = 0;
    if (PeekNamedPipe(output_read.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &peeked,
                      &available, nullptr) &&
        peeked > 0) {
      if (available > buffer.size()) buffer.resize(available);
      std::fill(buffer.begin(), buffer.end(), 0);
      DWORD got = 0;
      if (ReadFile(output_read.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got,
                   nullptr)) {
        splitter_.Feed(std::string_view(buffer.data(), got), report, stop);
      }
    }

    // A pass that read something sleeps 1 ms; quiet passes sleep longer,
    // up to 50 ms, so a child that prints little costs next to nothing. The
    // child's exit and a stop request end the sleep at once.
    idle_passes = peeked > 0 ? 0 : std::min(idle_passes + 1, 6);
    const DWORD sleep_ms = idle_passes == 0 ? 1 : std::min<DWORD>(1u << idle_passes, 50);
    const HANDLE wake[2] = {process.Get(), stop_event_.Get()};
    WaitForMultipleObjects(2, wake, FALSE, sleep_ms);
    // A stop kills only a child that still runs; one that has just ended by
    // itself keeps its own outcome (and its finished output).
    if (Terminated() && !killed && WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) {
      killed = TerminateProcess(process.Get(), kKillExitCode) != FALSE;
    }
    if (ended) break;
    if (LimitReached()) {
      limit = true;
      break;
    }
  }

  guard.Release();
  // The child may have ended by itself between the look and the kill.
  if (killed && exit_code != kKillExitCode) killed = false;

  const std::string rest = splitter_.TakeRest();
  if (!rest.empty()) {
    lines_->Add(rest);
    if (on_new_line_) on_new_line_(sender_, rest, otEntireLine);
  }

  if (killed) {
    outcome.end = TRunEnd::reStopped;
  } else if (limit) {
    outcome.end = TRunEnd::reTimeLimit;
  } else {
    outcome.end = TRunEnd::reExited;
  }
  outcome.exit_code = exit_code;
  return outcome;  // pipes, process and thread handles close here
}
