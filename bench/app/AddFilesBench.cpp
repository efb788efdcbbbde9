// Measures adding files to the main window under Windows (or Wine), each
// figure against the duration probe run directly in the same run:
//  1. adding the 200 WMA files of a folder ("添加目录", several probes at
//     once) until the last row is on screen, against 200 runs of the probe
//     one after another;
//  2. adding one file ("新增") until its row is on screen, against one run
//     of the probe just before it (the median of 30 such pairs).
// The baseline runs give the probe a console of its own, as each run of the
// probe once had; the window starts its probes without one. So that the gain
// of running several at once shows apart from the gain of the console, both
// figures are also given against the probe run without a console.
// The media folder is given in TONMILL_MEDIA (see make-bench-media.sh).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/ConverterText.h"
#include "app/Main.h"
#include "bench/app/BenchSupport.h"

namespace {

using bench::Clock;
using bench::Seconds;

std::vector<std::wstring> FolderFiles(const std::wstring& folder, int count) {
  std::vector<std::wstring> files;
  for (int i = 1; i <= count; ++i) {
    wchar_t name[32];
    wsprintfW(name, L"song%03d.wma", i);
    files.push_back(folder + name);
  }
  return files;
}

double ProbeRuns(const std::wstring& exe_dir, const std::vector<std::wstring>& files,
                 DWORD flags = CREATE_NEW_CONSOLE) {
  const auto t0 = Clock::now();
  for (const std::wstring& file : files) {
    bench::RunAndWait(converter::ProbeCommandLine(exe_dir, file), flags);
  }
  return Seconds(Clock::now() - t0);
}

}  // namespace

int main() {
  const std::wstring media = bench::Env(L"TONMILL_MEDIA") + L"\\";
  const std::wstring folder = media + L"folder200\\";
  const std::vector<std::wstring> files = FolderFiles(folder, 200);
  bench::TBenchWindow window(folder, L"");
  TFrmMain& form = *window.form;
  ProbeRuns(form.ExeDir, {files.begin(), files.begin() + 5});  // warm the caches

  // 1. A whole folder, between two baseline runs so drift shows in neither.
  const double probes_before = ProbeRuns(form.ExeDir, files);
  const double bare_before = ProbeRuns(form.ExeDir, files, DETACHED_PROCESS);
  auto t0 = Clock::now();
  form.btnAddFolder->Click();
  UpdateWindow(form.lvwFiles->Handle());
  const double folder_add = Seconds(Clock::now() - t0);
  const double bare_after = ProbeRuns(form.ExeDir, files, DETACHED_PROCESS);
  const double probes_after = ProbeRuns(form.ExeDir, files);
  const double probes = (probes_before + probes_after) / 2;
  const double bare = (bare_before + bare_after) / 2;
  int known = 0;
  for (const auto& job : form.JobList) known += job->Duration > 0;
  std::printf(
      "adding a folder of 200 files (%d probes at once): %.2f s, 200 probe runs one after another "
      "%.2f s, ratio %.3f (target <= 0.65); %d/200 with a length\n",
      form.MaxParallelJobs(), folder_add, probes, folder_add / probes, known);
  std::printf("  against 200 runs one after another without a console: %.2f s, ratio %.3f\n", bare,
              folder_add / bare);

  // 2. One file at a time, each against a probe run right before it. Other
  // work on the machine comes and goes, so the figure is the median of the
  // paired ratios (the means are printed too).
  form.btnClear->Click();
  constexpr int kSingles = 30;
  std::vector<double> ratios, bare_ratios;
  double add_sum = 0, probe_sum = 0, bare_sum = 0;
  for (int i = 0; i < kSingles; ++i) {
    const std::wstring& file = files[static_cast<size_t>(i)];
    const double probe = ProbeRuns(form.ExeDir, {file});
    const double bare_probe = ProbeRuns(form.ExeDir, {file}, DETACHED_PROCESS);
    window.picks = {file};
    t0 = Clock::now();
    form.btnAdd->Click();
    UpdateWindow(form.lvwFiles->Handle());  // until the new row is on screen
    const double add = Seconds(Clock::now() - t0);
    ratios.push_back(add / probe);
    bare_ratios.push_back(add / bare_probe);
    add_sum += add;
    probe_sum += probe;
    bare_sum += bare_probe;
  }
  const auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  };
  std::printf(
      "adding one file: median ratio %.3f (target <= 1.1); means %.3f s against the probe's "
      "%.3f s\n",
      median(ratios), add_sum / kSingles, probe_sum / kSingles);
  std::printf("  against the probe without a console: median ratio %.3f, its mean %.3f s\n",
              median(bare_ratios), bare_sum / kSingles);
  return 0;
}
