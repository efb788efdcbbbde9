// Measures the console command runner under Windows (or Wine):
//  1. throughput: MB/s of child output delivered as complete lines, against
//     a plain blocking read of the same child's output through a pipe,
//     measured in the same run (the ratio shows what the runner costs);
//  2. the CPU time this process uses while a quiet child runs for 5 s, as a
//     share of one core (the worker polls with a 1 ms sleep).
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "doscommand/DosCommand.h"
#include "framework/Application.h"
#include "framework/Win32Handles.h"

namespace {

using Clock = std::chrono::steady_clock;

std::wstring BinDir() {
  wchar_t path[MAX_PATH * 4];
  const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring dir(path, n);
  return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

std::wstring ChildCommand(const std::wstring& steps) {
  return L"\"" + BinDir() + L"scriptchild.exe\" " + steps;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

std::uint64_t ProcessCpu100ns() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto value = [](const FILETIME& f) {
    return (static_cast<std::uint64_t>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
  };
  return value(kernel) + value(user);
}

// Reads a child's whole output with blocking reads, as the simplest reader
// would; returns the bytes read.
long long PlainPipeRead(const std::wstring& command) {
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  THandle read_end, write_end;
  CreatePipe(read_end.Put(), write_end.Put(), &sa, 0);
  SetHandleInformation(read_end.Get(), HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  si.hStdOutput = write_end.Get();
  si.hStdError = write_end.Get();
  std::vector<wchar_t> cmd(command.begin(), command.end());
  cmd.push_back(0);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr,
                      nullptr, &si, &pi)) {
    return -1;
  }
  THandle process(pi.hProcess), thread(pi.hThread);
  write_end.Close();
  std::vector<char> buffer(65536);
  long long total = 0;
  DWORD got = 0;
  while (ReadFile(read_end.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got,
                  nullptr) &&
         got > 0) {
    total += got;
  }
  WaitForSingleObject(process.Get(), INFINITE);
  return total;
}

}  // namespace

int main() {
  TApplication app(nullptr);
  auto& runner = OwnedComponent<TDosCommand>(app);
  const long long bytes = 50'000'000;
  const std::wstring bulk = ChildCommand(L"bulk:" + std::to_wstring(bytes));

  // Throughput through the runner.
  std::atomic<long long> delivered{0};
  runner.OnNewLine = [&](TObject*, const std::string& line, TOutputType type) {
    if (type == otEntireLine) delivered.fetch_add(static_cast<long long>(line.size()) + 1);
  };
  runner.SetCommandLine(bulk);
  auto t0 = Clock::now();
  runner.Execute();
  while (runner.IsRunning()) app.WaitAndProcess(runner.RunEndedEvent(), 100);
  runner.Stop();
  const double runner_s = Seconds(Clock::now() - t0);

  // The same child read with plain blocking reads.
  t0 = Clock::now();
  const long long plain_bytes = PlainPipeRead(bulk);
  const double plain_s = Seconds(Clock::now() - t0);

  const double runner_mbs = static_cast<double>(delivered.load()) / 1e6 / runner_s;
  const double plain_mbs = static_cast<double>(plain_bytes) / 1e6 / plain_s;
  std::printf("runner throughput: %.1f MB/s of lines (%lld bytes in %.2f s)\n", runner_mbs,
              delivered.load(), runner_s);
  std::printf("plain pipe read:   %.1f MB/s (%lld bytes in %.2f s)\n", plain_mbs, plain_bytes,
              plain_s);
  std::printf("ratio runner/plain: %.2f\n", runner_mbs / plain_mbs);

  // CPU while a quiet child runs for 5 s.
  runner.OnNewLine = nullptr;
  runner.SetCommandLine(ChildCommand(L"sleep:5000"));
  const std::uint64_t cpu0 = ProcessCpu100ns();
  t0 = Clock::now();
  runner.Execute();
  while (runner.IsRunning()) app.WaitAndProcess(runner.RunEndedEvent(), 1000);
  runner.Stop();
  const double wall = Seconds(Clock::now() - t0);
  const double cpu = static_cast<double>(ProcessCpu100ns() - cpu0) / 1e7;
  std::printf("quiet child: %.2f s wall, %.3f s CPU in this process (%.2f %% of one core)\n", wall,
              cpu, 100.0 * cpu / wall);
  return 0;
}
