// Measures adding files to the main window under Windows (or Wine), each
// figure against the duration probe run directly in the same run:
//  1. adding the 200 WMA files of a folder ("添加目录", several probes at
//     once) until the last row is on screen, against 200 runs of the probe
//     one after another;
//  2. adding one file ("新增") until its row is on screen, against one run
//     of the probe just before it (the median of 30 such pairs).
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

double ProbeRuns(const std::wstring& exe_dir, const std::vector<std::wstring>& files) {
  const auto t0 = Clock::now();
  for (const std::wstring& file : files) {
    bench::RunAndWait(converter::ProbeCommandLine(exe_dir, file));
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
  auto t0 = Clock::now();
  form.btnAddFolder->Click();
  UpdateWindow(form.lvwFiles->Handle());
  const double folder_add = Seconds(Clock::now() - t0);
  const double probes_after = ProbeRuns(form.ExeDir, files);
  const double probes = (probes_before + probes_after) / 2;
  int known = 0;
  for (const auto& job : form.JobList) known += job->Duration > 0;
  std::printf(
      "adding a folder of 200 files (%d probes at once): %.2f s, 200 probe runs one after another "
      "%.2f s, ratio %.3f (target <= 0.65); %d/200 with a length\n",
      form.MaxParallelJobs(), folder_add, probes, folder_add / probes, known);

  // 2. One file at a time, each against a probe run right before it. Other
  // work on the machine comes and goes, so the figure is the median of the
  // paired ratios (the means are printed too).
  form.btnClear->Click();
  constexpr int kSingles = 30;
  std::vector<double> ratios;
  double add_sum = 0, probe_sum = 0;
  for (int i = 0; i < kSingles; ++i) {
    const std::wstring& file = files[static_cast<size_t>(i)];
    const double probe = ProbeRuns(form.ExeDir, {file});
    window.picks = {file};
    t0 = Clock::now();
    form.btnAdd->Click();
    UpdateWindow(form.lvwFiles->Handle());  // until the new row is on screen
    const double add = Seconds(Clock::now() - t0);
    ratios.push_back(add / probe);
    add_sum += add;
    probe_sum += probe;
  }
  std::sort(ratios.begin(), ratios.end());
  const double median = (ratios[kSingles / 2 - 1] + ratios[kSingles / 2]) / 2;
  std::printf(
      "adding one file: median ratio %.3f (target <= 1.1); means %.3f s against the probe's "
      "%.3f s\n",
      median, add_sum / kSingles, probe_sum / kSingles);
  return 0;
}
