// Measures the main window under Windows (or Wine), each figure against a
// baseline measured in the same run:
//  1. a batch of ten one-minute WMA files: the window's wall time against
//     running the same encoder command lines one after another directly;
//  2. the CPU time this process (the window, its runners and their workers)
//     uses during that batch, as a share of the batch's wall time;
//  3. the same batch with two encoders at once against one at a time, and
//     the window process's CPU share during the parallel batch.
// (Adding files is measured by add_files_bench.)
// The media folder is given in TONMILL_MEDIA (see make-bench-media.sh).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ConverterText.h"
#include "app/Main.h"
#include "bench/app/BenchSupport.h"
#include "framework/Application.h"

namespace {

using bench::Clock;
using bench::Seconds;

double ProcessCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto value = [](const FILETIME& f) {
    return (static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime;
  };
  return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

}  // namespace

int main() {
  const std::wstring media = bench::Env(L"TONMILL_MEDIA") + L"\\";
  const std::wstring out_window = media + L"out\\window\\";
  const std::wstring out_direct = media + L"out\\direct\\";
  CreateDirectoryW((media + L"out").c_str(), nullptr);
  CreateDirectoryW(out_direct.c_str(), nullptr);
  bench::TBenchWindow window(L"", out_window);
  TFrmMain& form = *window.form;

  std::vector<std::wstring> sources;
  for (int i = 1; i <= 10; ++i)
    sources.push_back(media + L"src\\track" + std::to_wstring(i) + L".wma");

  window.picks = sources;
  form.btnAdd->Click();

  // 1. The batch directly.
  auto t0 = Clock::now();
  for (const std::wstring& source : sources) {
    bench::RunAndWait(converter::EncoderCommandLine(
        form.ExeDir, source,
        out_direct + converter::ChangeFileExt(converter::ExtractFileName(source), L".mp3")));
  }
  const double direct = Seconds(Clock::now() - t0);

  // 1 and 2. The same batch through the window.
  form.Button8->Click();
  const double cpu0 = ProcessCpuSeconds();
  t0 = Clock::now();
  form.btnConvert->Click();
  const double in_window = Seconds(Clock::now() - t0);
  const double cpu = ProcessCpuSeconds() - cpu0;

  int done = 0;
  for (const auto& job : form.JobList) done += job->Status == L"完成";
  std::printf(
      "batch of 10 one-minute files: window %.2f s, direct %.2f s, ratio %.3f (target <= 1.03); "
      "%d/10 done\n",
      in_window, direct, in_window / direct, done);
  std::printf(
      "CPU of the window process during the batch: %.2f s = %.2f %% of the batch's wall time "
      "(target < 2 %%)\n",
      cpu, 100.0 * cpu / in_window);

  // 3. Two files at once against one after another (the batch just run),
  // then one after another again, so drift shows in neither.
  form.SetParallelJobs(2);
  const double cpu2_0 = ProcessCpuSeconds();
  t0 = Clock::now();
  form.btnConvert->Click();
  const double parallel = Seconds(Clock::now() - t0);
  const double cpu2 = ProcessCpuSeconds() - cpu2_0;
  int done2 = 0;
  for (const auto& job : form.JobList) done2 += job->Status == L"完成";
  form.SetParallelJobs(1);
  t0 = Clock::now();
  form.btnConvert->Click();
  const double serial = (in_window + Seconds(Clock::now() - t0)) / 2;
  std::printf(
      "batch of 10 one-minute files, 2 at once: %.2f s against one at a time %.2f s, %.2fx "
      "faster (target >= 1.7 on two otherwise idle cores; %d logical processors); %d/10 done\n",
      parallel, serial, serial / parallel, CountLogicalProcessors(), done2);
  std::printf(
      "CPU of the window process during the parallel batch: %.2f s = %.2f %% of its wall time "
      "(target < 2 %%)\n",
      cpu2, 100.0 * cpu2 / parallel);
  return 0;
}
