// The converting half of the main window: the duration probe, one encoder
// run per job, the progress from the encoder's output and the batch.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <optional>

#include "app/ConverterText.h"
#include "app/FileNameOrder.h"
#include "app/Main.h"
#include "app/MainTexts.h"
#include "app/ScopeExit.h"
#include "app/StatusText.h"
#include "framework/Application.h"

int TFrmMain::GetMediaLength(const std::wstring& file_name) {
  StartProbe(file_name);
  return FinishProbe();
}

void TFrmMain::StartProbe(const std::wstring& file_name) {
  ProbeRunner->SetCommandLine(converter::ProbeCommandLine(ExeDir, file_name));
  ProbeRunner->NewConsole = false;  // the player needs no console of its own
  ProbeFinished = false;
  ProbeRunner->Execute();
}

int TFrmMain::FinishProbe() {
  // About 50 seconds in all, however many lines the player prints: the wait
  // ends at once when the run ends, and the lines are looked at whenever
  // new ones have come (at the latest every 50 ms).
  const ULONGLONG deadline = GetTickCount64() + kProbeBudgetMs;
  bool found = false;
  int lines_seen = 0;
  while (!cancel_ && !ProbeFinished) {
    const int lines = ProbeRunner->Lines().Count();
    if (lines != lines_seen) {
      lines_seen = lines;
      if (converter::HasDurationMarker(ProbeRunner->Lines().Text())) {
        found = true;
        break;
      }
    }
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    GreyIfSlow();
    Application->WaitAndProcess(ProbeRunner->RunEndedEvent(),
                                static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 50)));
  }
  // A probe that has ended has all its lines in; one that still runs is
  // killed (the worker of an ended run goes at the next start).
  if (!ProbeFinished) ProbeRunner->Stop();
  const std::string output = ProbeRunner->Lines().Text();
  if (!found && !converter::HasDurationMarker(output)) return 0;
  return converter::ParseDuration(output);
}

void TFrmMain::EnsureEncoderRuns(size_t count) {
  if (encoder_runs_.empty()) {
    encoder_runs_.emplace_back();
    encoder_runs_.back().runner = ConvertRunner;
  }
  while (encoder_runs_.size() < count) {
    auto& runner = OwnedComponent<TDosCommand>(*this);
    runner.SetName("ConvertRunner" + std::to_string(encoder_runs_.size() + 1));
    runner.OnNewLine = ConvertRunner->OnNewLine;
    runner.OnTerminated = ConvertRunner->OnTerminated;
    encoder_runs_.emplace_back();
    encoder_runs_.back().runner = &runner;
  }
}

TFrmMain::TEncoderRun* TFrmMain::RunOf(TObject* runner) {
  for (TEncoderRun& run : encoder_runs_) {
    if (run.runner == runner) return &run;
  }
  return nullptr;
}

void TFrmMain::StartEncoder(TEncoderRun& run, size_t job_index) {
  TFileInfo& job = *JobList[job_index];
  run.job = job_index;
  run.position = -1;
  ++run.serial;
  run.output = last_outputs_[job_index];
  run.before = StampOf(run.output);
  if (parallel_jobs_ == 1) {
    // One job at a time: the bar and the status line follow that job.
    ProgressBar1->SetMax(job.Duration);
    ProgressBar1->SetMin(0);
    lblInfo->SetCaption(texts::kConverting + job.FileName);
  }
  job.Status = converter::ConvertingRowText(-1, job.Duration);
  lvwFiles->Invalidate();
  run.runner->SetCommandLine(converter::EncoderCommandLine(ExeDir, job.FileName, run.output));
  run.runner->Execute();
}

TJobResult TFrmMain::EndEncoder(TEncoderRun& run) {
  // Kills an encoder that still runs (a stop), and waits for its worker.
  run.runner->Stop();
  const TRunOutcome outcome = run.runner->LastOutcome();
  const TFileStamp after = StampOf(run.output);
  if (outcome.end == TRunEnd::reExited && outcome.exit_code == 0 && after.exists &&
      after.size > 0) {
    return TJobResult::jrDone;
  }
  // A stopped or failed run leaves no half-written file behind; a file an
  // earlier run finished, and this run never touched, stays.
  if (after.exists && !SameStamp(run.before, after)) DeleteFileW(run.output.c_str());
  if (outcome.end == TRunEnd::reStartFailed) start_failed_ = true;
  return cancel_ || stop_batch_ || outcome.end == TRunEnd::reStopped ? TJobResult::jrStopped
                                                                     : TJobResult::jrFailed;
}

void TFrmMain::DosCommand1NewLine(TObject* Sender, const std::string& line, TOutputType) {
  // Runs on the runner's worker: only the parsing happens here, the window
  // is updated on the user-interface thread. The run's number at the time
  // goes along, so a report that arrives after its job has ended is dropped.
  const std::optional<double> seconds = converter::ParseProgressSeconds(line);
  if (!seconds) return;
  const int position = converter::RoundHalfEven(*seconds);
  TEncoderRun* run = RunOf(Sender);
  const unsigned serial = run ? run->serial : 0;
  Application->Queue(
      [this, Sender, serial, position] { ShowJobProgress(Sender, serial, position); }, this);
}

void TFrmMain::ShowJobProgress(TObject* runner, unsigned serial, int position) {
  TEncoderRun* run = RunOf(runner);
  if (!run || run->serial != serial || run->job == kNoJob) return;
  TFileInfo& job = *JobList[run->job];
  const int before = run->position;
  run->position = position;
  if (parallel_jobs_ == 1) ProgressBar1->SetPosition(position);
  // The row changes only when its percentage does.
  const std::wstring status = converter::ConvertingRowText(position, job.Duration);
  if (status != job.Status) {
    job.Status = status;
    lvwFiles->InvalidateRow(static_cast<int>(run->job));
  }
  if (before != position) ShowBatchProgress();
}

void TFrmMain::ShowBatchProgress(bool now) {
  constexpr ULONGLONG kRefreshMs = 200;
  const ULONGLONG tick = GetTickCount64();
  if (!now && parallel_jobs_ > 1 && tick - batch_shown_at_ < kRefreshMs) {
    batch_progress_due_ = true;
    return;
  }
  batch_shown_at_ = tick;
  batch_progress_due_ = false;
  // Finished jobs count whole; a running one by how far its encoder is.
  ULONGLONG steps = jobs_done_ * kStepsPerJob;
  long long seconds = seconds_done_;
  size_t running = 0;
  for (const TEncoderRun& run : encoder_runs_) {
    if (run.job == kNoJob) continue;
    ++running;
    const int duration = JobList[run.job]->Duration;
    const int at = std::clamp(run.position, 0, std::max(duration, 0));
    seconds += at;
    if (duration > 0) {
      steps += kStepsPerJob * static_cast<ULONGLONG>(at) / static_cast<ULONGLONG>(duration);
    }
  }
  AdvanceTaskbar(steps);
  if (parallel_jobs_ == 1) return;
  // Several at once: the bar and the status line show the batch as a whole,
  // in seconds of the sources (in files when no length is known).
  const size_t total = JobList.size();
  if (seconds_total_ > 0) {
    ProgressBar1->SetPosition(static_cast<int>(std::min(seconds, seconds_total_)));
  } else {
    ProgressBar1->SetPosition(static_cast<int>(jobs_done_));
  }
  const std::wstring text = converter::BatchProgressText(jobs_done_, total, running);
  if (lblInfo->Caption() != text) lblInfo->SetCaption(text);
}

void TFrmMain::AdvanceTaskbar(ULONGLONG value) {
  // The button only moves forward: the bar's drop to 0 at a job's end is
  // not progress of the batch.
  if (!taskbar_ || value <= taskbar_value_) return;
  taskbar_value_ = value;
  taskbar_->SetValue(value, JobList.size() * kStepsPerJob);
}

void TFrmMain::DosCommand1Terminated(TObject*) {
  // The batch wakes and ends the run on the user-interface thread.
  if (batch_wake_) SetEvent(batch_wake_.Get());
}

void TFrmMain::DosCommand2Terminated(TObject* Sender) {
  if (Sender == ProbeRunner) ProbeFinished = true;
  // An add that probes several files at once wakes and looks at them all.
  if (probe_wake_) SetEvent(probe_wake_.Get());
}
