#pragma once
// What the main window's benchmarks share: the media folder, wall-clock
// seconds, running a helper's command line directly as the baseline, and the
// real main window with its questions answered at once.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/Main.h"
#include "app/StoredSkins.h"
#include "framework/Application.h"
#include "framework/Win32Handles.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

inline std::wstring Env(const wchar_t* name) {
  const DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  std::wstring value(n, L'\0');
  GetEnvironmentVariableW(name, value.data(), n);
  value.resize(n ? n - 1 : 0);
  return value;
}

// Runs one command line with its output discarded and waits for its end;
// the child gets a hidden console of its own unless `flags` say otherwise.
inline void RunAndWait(const std::wstring& command, DWORD flags = CREATE_NEW_CONSOLE) {
  SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
  THandle nul(CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr));
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  si.hStdOutput = nul.Get();
  si.hStdError = nul.Get();
  std::vector<wchar_t> cmd(command.begin(), command.end());
  cmd.push_back(0);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr, &si,
                      &pi)) {
    std::fprintf(stderr, "cannot start a command\n");
    return;
  }
  THandle process(pi.hProcess), thread(pi.hThread);
  WaitForSingleObject(process.Get(), INFINITE);
}

// The main window, shown: "新增" takes every path in `picks` at once, the
// folder browsers answer the two folders given, message boxes are answered
// at once and there is no taskbar button.
class TBenchWindow {
 public:
  TBenchWindow(std::wstring source_folder, std::wstring output_folder) {
    app.Initialize();
    TMainDialogs dialogs;
    dialogs.PickSourceFiles = [this](HWND) { return std::exchange(picks, {}); };
    dialogs.PickSourceFolder = [source_folder](HWND, const std::wstring&, const std::wstring&) {
      return source_folder;
    };
    dialogs.PickOutputFolder = [output_folder](HWND, const std::wstring&, const std::wstring&) {
      return output_folder;
    };
    dialogs.MessageBox = [](HWND, const std::wstring&, UINT) { return IDOK; };
    dialogs.Taskbar = [](HWND) { return std::unique_ptr<TTaskbarProgress>(); };
    form = &OwnedComponent<TFrmMain>(app, *skins, std::move(dialogs));
    form->Show();
    app.ProcessMessages();
  }

  // The skin environment outlives the application and its windows.
  std::unique_ptr<TSkinEnvironment> skins = MakeProgramSkinEnvironment(L"Tonmill");
  TApplication app{nullptr};
  std::vector<std::wstring> picks;
  TFrmMain* form = nullptr;
};

}  // namespace bench
