// The adding half of the main window: files picked in the dialog, the WMA
// files of a folder, and files and folders dropped on the window become
// jobs in order, one duration probe per file, several probes at once.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <exception>
#include <memory>
#include <new>
#include <thread>

#include "app/ConverterText.h"
#include "app/Main.h"
#include "app/MainTexts.h"
#include "app/ScopeExit.h"
#include "app/SourceCollector.h"
#include "app/StatusText.h"
#include "framework/Application.h"
#include "framework/Unicode.h"
#include "framework/Win32Handles.h"

void TFrmMain::btnAddClick(TObject*) {
  if (Busy()) return;
  AddSources(dialogs_.PickSourceFiles(Handle()), false);
}

void TFrmMain::btnAddFolderClick(TObject*) {
  if (Busy()) return;
  const std::wstring folder =
      dialogs_.PickSourceFolder(Handle(), texts::kAddFolderTitle, last_folder_);
  if (folder.empty()) return;
  last_folder_ = folder;
  AddSources({folder}, false);
}

void TFrmMain::FilesDropped(const std::vector<std::wstring>& paths) {
  // Drops are switched off while the window waits; one posted just before
  // is refused here.
  if (Busy()) return;
  AddSources(paths, true);
}

void TFrmMain::AddSources(const std::vector<std::wstring>& chosen, bool filter_files) {
  if (chosen.empty() || Busy()) return;
  // Whatever goes wrong while adding (memory running out included) ends
  // this add and is said in a box, as other failures are; the rows added
  // before it stay, and the window is idle again.
  std::wstring failure;
  try {
    ReadSources(chosen, filter_files);
  } catch (const std::bad_alloc&) {
    failure = texts::kOutOfMemory;
  } catch (const std::exception& e) {
    failure = Utf8ToWide(e.what());
  } catch (...) {
    failure = texts::kUnknownError;
  }
  if (failure.empty()) return;
  ProbeRunner->Stop();
  lblInfo->SetCaption(texts::kStopped);
  // A window that is closing shows no more boxes.
  if (!close_pending_) ShowError(converter::AddFailedText(failure));
}

TCollectedSources TFrmMain::WalkSources(const std::vector<std::wstring>& chosen,
                                        bool filter_files) {
  // The worker only lists folders; it shares with this thread nothing but
  // the stop flag, the count and its result, read once it has ended.
  std::atomic<bool> stop{false};
  std::atomic<size_t> found{0};
  TCollectOptions options;
  options.filter_chosen_files = filter_files;
  options.keep_going = [&, pace = WalkPace](size_t n) {
    if (pace) pace();
    found.store(n, std::memory_order_relaxed);
    return !stop.load(std::memory_order_relaxed);
  };
  // Files alone are taken at once; only folders are worth a worker.
  if (!HasFolders(chosen)) return CollectSources(chosen, options);
  THandle ended(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!ended) return CollectSources(chosen, options);
  TCollectedSources sources;
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      sources = CollectSources(chosen, options);
    } catch (...) {
      failure = std::current_exception();
    }
    SetEvent(ended.Get());
  });
  // The worker is stopped and waited for however this thread leaves.
  const TOnExit join([&] {
    stop = true;
    worker.join();
  });
  // A quick walk shows nothing; a long one counts in lblInfo what it has
  // found, a few times a second.
  const ULONGLONG start = GetTickCount64();
  ULONGLONG shown_at = 0;
  size_t shown = SIZE_MAX;
  while (!Application->WaitAndProcess(ended.Get(), 50)) {
    if (cancel_ || stop_reading_) stop = true;
    const ULONGLONG now = GetTickCount64();
    const size_t n = found.load(std::memory_order_relaxed);
    if (now >= start + 50 && now >= shown_at + 100 && n != shown) {
      shown = n;
      shown_at = now;
      lblInfo->SetCaption(converter::SearchingText(n));
    }
    GreyIfSlow();
  }
  if (failure) std::rethrow_exception(failure);
  return sources;
}

void TFrmMain::ReadSources(const std::vector<std::wstring>& chosen, bool filter_files) {
  // The probe keeps this thread waiting (processing messages) for each file;
  // every handler refuses to start meanwhile, and an add that takes longer
  // than a second greys the controls, so a quick one does not flicker.
  probing_ = true;
  stop_reading_ = false;
  grey_at_ = GetTickCount64() + 1000;
  DragAcceptFiles(Handle(), FALSE);
  const TOnExit end_wait([this] {
    EndProbeWait();
    stop_reading_ = false;
    DragAcceptFiles(Handle(), TRUE);
    HonourPendingClose();
  });
  if (ProgressBar1->Position() != 0) ProgressBar1->SetPosition(0);

  const TCollectedSources sources = WalkSources(chosen, filter_files);
  if (!sources.unreadable_folder.empty()) {
    ShowError(converter::FolderReadErrorText(sources.unreadable_folder));
    return;
  }
  if (sources.stopped) {
    if (stop_reading_) lblInfo->SetCaption(texts::kStopped);
    return;
  }

  bool probe_usable =
      sources.files.empty() || HelperPresent(texts::kProbeName, texts::kWithoutProbe);
  bool probe_error_shown = false;
  // The view learns of new rows at most twice a second while many files are
  // read: resizing the owner-data view (scroll range, paint) costs far more
  // than a row does. The first row shows at once, and the count is right
  // when the add ends.
  ULONGLONG rows_shown_at = 0;
  const auto show_rows = [&](bool now) {
    const int count = static_cast<int>(JobList.size());
    if (count == lvwFiles->ItemCount()) return;
    if (!now && GetTickCount64() < rows_shown_at + 500) return;
    rows_shown_at = GetTickCount64();
    lvwFiles->SetItemCount(count);
  };
  const TOnExit show_all_rows([&] { show_rows(true); });

  // Several players run at once, each a file ahead of the rows; the rows
  // are added in the order of the files, whichever player ends first.
  const size_t n = sources.files.size();
  const size_t width = std::min<size_t>(static_cast<size_t>(MaxParallelJobs()), n);
  if (!probe_wake_) probe_wake_ = THandle(CreateEventW(nullptr, FALSE, FALSE, nullptr));
  if (probe_usable) EnsureProbeRuns(width);
  const TOnExit stop_probes([this] { StopProbeRuns(0); });
  std::vector<TProbeResult> results(n);
  size_t next_probe = 0;
  size_t shown_file = SIZE_MAX;
  for (size_t k = 0; k < n && !cancel_;) {
    if (probe_usable && !stop_reading_) {
      for (size_t r = 0; r < width && next_probe < n; ++r) {
        if (probe_runs_[r].file == kNoJob) {
          StartProbeRun(probe_runs_[r], next_probe, sources.files[next_probe]);
          ++next_probe;
        }
      }
    }
    if (shown_file != k) {
      shown_file = k;
      lblInfo->SetCaption(converter::ReadingText(k + 1, n, sources.files[k]));
    }
    // Esc keeps the file being read and lets the players ahead of it go.
    if (stop_reading_) StopProbeRuns(k + 1);
    if (probe_usable && !results[k].ready) {
      GreyIfSlow();
      Application->WaitAndProcess(probe_wake_.Get(), 50);
      for (TProbeRun& run : probe_runs_) {
        if (run.file == kNoJob || cancel_ || !ProbeAnswered(run)) continue;
        const size_t file = run.file;
        results[file] = EndProbeRun(run);
      }
      continue;
    }
    // Without the probe nothing waits; the window still keeps up.
    if (!probe_usable) Application->ProcessMessages();
    if (cancel_) break;
    const TProbeResult& result = results[k];
    if (!result.error.empty()) {
      // The player's length is no number: the file is not added. The box
      // comes once per add, not once per file of a folder.
      if (!probe_error_shown) ShowError(result.error);
      probe_error_shown = true;
    } else {
      JobList.push_back(std::make_unique<TFileInfo>());
      TFileInfo& job = *JobList.back();
      job.FileName = sources.files[k];
      job.Status = texts::kReady;
      job.Duration = result.duration;
      show_rows(k == 0 || k + 1 == n);
    }
    if (result.start_failed && probe_usable) {
      // The player is there but does not start: the other files are added
      // without a length.
      StopProbeRuns(0);
      probe_usable = false;
      ShowError(converter::HelperStartText(texts::kProbeName, ExeDir + texts::kProbeName,
                                           texts::kWithoutProbe));
    }
    ++k;
    if (stop_reading_) break;
  }
  if (stop_reading_) {
    lblInfo->SetCaption(texts::kStopped);
  } else if (sources.skipped > 0) {
    lblInfo->SetCaption(converter::SkippedText(sources.skipped));
  } else {
    lblInfo->SetCaption(texts::kReady);
  }
}

void TFrmMain::EnsureProbeRuns(size_t count) {
  const auto add_run = [this](TDosCommand& runner) {
    // The player prints a line or two into the pipe and needs no console;
    // a console of its own would cost about as much again as the player.
    runner.NewConsole = false;
    // The add looks at a probe as soon as it has printed the length, not
    // only when the player ends (this runs on the runner's worker).
    runner.OnNewLine = [this](TObject*, const std::string& line, TOutputType type) {
      if (type == otEntireLine && converter::HasDurationMarker(line)) SetEvent(probe_wake_.Get());
    };
    probe_runs_.emplace_back();
    probe_runs_.back().runner = &runner;
  };
  if (probe_runs_.empty()) add_run(*ProbeRunner);
  while (probe_runs_.size() < count) {
    auto& runner = OwnedComponent<TDosCommand>(*this);
    runner.SetName("ProbeRunner" + std::to_string(probe_runs_.size() + 1));
    runner.OnTerminated = ProbeRunner->OnTerminated;
    add_run(runner);
  }
}

void TFrmMain::StartProbeRun(TProbeRun& run, size_t file, const std::wstring& path) {
  run.file = file;
  run.lines_seen = 0;
  // About 50 seconds in all for one file, however many lines the player prints.
  run.deadline = GetTickCount64() + kProbeBudgetMs;
  if (run.runner == ProbeRunner) ProbeFinished = false;
  run.runner->SetCommandLine(converter::ProbeCommandLine(ExeDir, path));
  run.runner->Execute();
}

bool TFrmMain::ProbeAnswered(TProbeRun& run) {
  if (!run.runner->IsRunning()) return true;
  // The lines are looked at whenever new ones have come.
  const int lines = run.runner->Lines().Count();
  if (lines != run.lines_seen) {
    run.lines_seen = lines;
    if (converter::HasDurationMarker(run.runner->Lines().Text())) return true;
  }
  return GetTickCount64() >= run.deadline;
}

TFrmMain::TProbeResult TFrmMain::EndProbeRun(TProbeRun& run) {
  // A player that still runs is killed; one that has ended has all its
  // lines in.
  run.runner->Stop();
  run.file = kNoJob;
  TProbeResult result;
  result.ready = true;
  result.start_failed = run.runner->LastOutcome().end == TRunEnd::reStartFailed;
  const std::string output = run.runner->Lines().Text();
  try {
    if (converter::HasDurationMarker(output)) result.duration = converter::ParseDuration(output);
  } catch (const Exception& e) {
    result.error = Utf8ToWide(e.Message());
  }
  return result;
}

void TFrmMain::StopProbeRuns(size_t after) {
  for (TProbeRun& run : probe_runs_) {
    if (run.file == kNoJob || run.file < after) continue;
    run.runner->Stop();
    run.file = kNoJob;
  }
}

void TFrmMain::GreyIfSlow() {
  if (probing_ && !probe_greyed_ && GetTickCount64() >= grey_at_) {
    SetWaitingControls(false);
    probe_greyed_ = true;
  }
}

void TFrmMain::EndProbeWait() {
  probing_ = false;
  if (probe_greyed_) SetWaitingControls(true);
  probe_greyed_ = false;
}
