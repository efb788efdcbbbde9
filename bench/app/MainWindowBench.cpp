// Measures the main window under Windows (or Wine), each figure against a
// baseline measured in the same run:
//  1. a batch of ten one-minute WMA files: the window's wall time against
//     running the same encoder command lines one after another directly;
//  2. the CPU time this process (the window, its runners and their workers)
//     uses during that batch, as a share of the batch's wall time;
//  3. the time from choosing a file to the job appearing in the list,
//     against the duration probe's own run time.
// The media folder is given in TONMILL_MEDIA (see make-bench-media.sh).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

#include "app/ConverterText.h"
#include "app/Main.h"
#include "app/StoredSkins.h"
#include "framework/Application.h"
#include "framework/Win32Handles.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

std::wstring Env(const wchar_t* name) {
  const DWORD n = GetEnvironmentVariableW(name, nullptr, 0);
  std::wstring value(n, L'\0');
  GetEnvironmentVariableW(name, value.data(), n);
  value.resize(n ? n - 1 : 0);
  return value;
}

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto value = [](const FILETIME& f) {
    return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
  };
  return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

// Runs one command line with its output discarded and waits for its end.
void RunAndWait(const std::wstring& command) {
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
  if (!CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, TRUE, CREATE_NEW_CONSOLE, nullptr,
                      nullptr, &si, &pi)) {
    std::fprintf(stderr, "cannot start a command\n");
    return;
  }
  THandle process(pi.hProcess), thread(pi.hThread);
  WaitForSingleObject(process.Get(), INFINITE);
}

}  // namespace

int main() {
  const std::wstring media = Env(L"TONMILL_MEDIA") + L"\\";
  const std::unique_ptr<TSkinEnvironment> skins = MakeProgramSkinEnvironment(L"Tonmill");
  TApplication app(nullptr);
  app.Initialize();
  std::deque<std::wstring> picks;
  TMainDialogs dialogs;
  dialogs.PickSourceFile = [&](HWND) -> std::optional<std::wstring> {
    if (picks.empty()) return std::nullopt;
    std::wstring p = picks.front();
    picks.pop_front();
    return p;
  };
  const std::wstring out_window = media + L"out\\window\\";
  const std::wstring out_direct = media + L"out\\direct\\";
  CreateDirectoryW((media + L"out").c_str(), nullptr);
  CreateDirectoryW(out_direct.c_str(), nullptr);
  dialogs.PickOutputFolder = [&](HWND, const std::wstring&) { return out_window; };
  dialogs.MessageBox = [](HWND, const std::wstring&, UINT) { return IDOK; };
  auto& form = OwnedComponent<TFrmMain>(app, *skins, std::move(dialogs));
  form.Show();

  std::vector<std::wstring> sources;
  for (int i = 1; i <= 10; ++i) sources.push_back(media + L"src\\track" + std::to_wstring(i) + L".wma");

  // 3. Adding a file against the probe's own run.
  double probe_direct = 0, add_in_window = 0, probe_in_window = 0;
  for (const std::wstring& source : sources) {
    auto t0 = Clock::now();
    RunAndWait(converter::ProbeCommandLine(form.ExeDir, source));
    probe_direct += Seconds(Clock::now() - t0);
    t0 = Clock::now();
    form.GetMediaLength(source);
    probe_in_window += Seconds(Clock::now() - t0);
    picks.push_back(source);
    t0 = Clock::now();
    form.btnAdd->Click();
    UpdateWindow(form.lvwFiles->Handle());  // until the new row is on screen
    add_in_window += Seconds(Clock::now() - t0);
  }

  // 1. The batch directly.
  auto t0 = Clock::now();
  for (const std::wstring& source : sources) {
    RunAndWait(converter::EncoderCommandLine(
        form.ExeDir, source, out_direct + converter::ChangeFileExt(converter::ExtractFileName(source), L".mp3")));
  }
  const double direct = Seconds(Clock::now() - t0);

  // 1 and 2. The same batch through the window.
  form.Button8->Click();
  const double cpu0 = ProcessCpuSeconds();
  t0 = Clock::now();
  form.btnConvert->Click();
  const double window = Seconds(Clock::now() - t0);
  const double cpu = ProcessCpuSeconds() - cpu0;

  int done = 0;
  for (const auto& job : form.JobList) done += job->Status == L"完成";
  std::printf("batch of 10 one-minute files: window %.2f s, direct %.2f s, ratio %.3f (target <= 1.03); %d/10 done\n",
              window, direct, window / direct, done);
  std::printf("CPU of the window process during the batch: %.2f s = %.2f %% of the batch's wall time (target < 2 %%)\n",
              cpu, 100.0 * cpu / window);
  std::printf("adding a file: %.3f s per file, the probe alone %.3f s, ratio %.3f (target < 1.2)\n",
              add_in_window / 10, probe_direct / 10, add_in_window / probe_direct);
  std::printf("  of which the probe through the runner: %.3f s per file\n", probe_in_window / 10);
  return 0;
}
