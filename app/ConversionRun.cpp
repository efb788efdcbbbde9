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

namespace {

// How long the probe may take for one file, in all.
constexpr ULONGLONG kProbeBudgetMs = 50'000;
// The taskbar button counts each job of a batch as this many steps.
constexpr ULONGLONG kStepsPerJob = 1000;

// What a file looked like before a run, so a failed run removes only what
// it wrote itself and never an earlier run's finished file.
struct TFileStamp {
  bool exists = false;
  FILETIME written{};
  ULONGLONG size = 0;
};

TFileStamp StampOf(const std::wstring& path) {
  TFileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
      !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    stamp.exists = true;
    stamp.written = data.ftLastWriteTime;
    stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  return stamp;
}

bool SameStamp(const TFileStamp& a, const TFileStamp& b) {
  return a.exists == b.exists && a.size == b.size && CompareFileTime(&a.written, &b.written) == 0;
}

}  // namespace

int TFrmMain::GetMediaLength(const std::wstring& file_name) {
  StartProbe(file_name);
  return FinishProbe();
}

void TFrmMain::StartProbe(const std::wstring& file_name) {
  ProbeRunner->SetCommandLine(converter::ProbeCommandLine(ExeDir, file_name));
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

TJobResult TFrmMain::ConvertVideo(TFileInfo& job, const std::wstring& output) {
  ProgressBar1->SetMax(job.Duration);
  ProgressBar1->SetMin(0);
  const TFileStamp before = StampOf(output);
  ConvertRunner->SetCommandLine(converter::EncoderCommandLine(ExeDir, job.FileName, output));
  ConvertRunner->Execute();
  // Sleep until a message arrives or the run ends: the window stays
  // responsive and the runner's clock keeps ticking, without taking a core
  // away from the encoder.
  while (ConvertRunner->IsRunning() && !cancel_) {
    Application->WaitAndProcess(ConvertRunner->RunEndedEvent(), 250);
  }
  ConvertRunner->Stop();
  // Progress updates queued by the worker before it ended are shown now.
  Application->ProcessMessages();

  const TRunOutcome outcome = ConvertRunner->LastOutcome();
  const TFileStamp after = StampOf(output);
  if (outcome.end == TRunEnd::reExited && outcome.exit_code == 0 && after.exists &&
      after.size > 0) {
    return TJobResult::jrDone;
  }
  // A stopped or failed run leaves no half-written file behind; a file an
  // earlier run finished, and this run never touched, stays.
  if (after.exists && !SameStamp(before, after)) DeleteFileW(output.c_str());
  return cancel_ || outcome.end == TRunEnd::reStopped ? TJobResult::jrStopped
                                                      : TJobResult::jrFailed;
}

void TFrmMain::DosCommand1NewLine(TObject*, const std::string& line, TOutputType) {
  // Runs on the runner's worker: only the parsing happens here, the bar is
  // moved on the user-interface thread.
  const std::optional<double> seconds = converter::ParseProgressSeconds(line);
  if (!seconds) return;
  const int position = converter::RoundHalfEven(*seconds);
  Application->Queue([this, position] { ShowJobProgress(position); }, this);
}

void TFrmMain::ShowJobProgress(int position) {
  ProgressBar1->SetPosition(position);
  const int max = ProgressBar1->Max();
  const ULONGLONG part = max > 0
                             ? kStepsPerJob * static_cast<ULONGLONG>(std::clamp(position, 0, max)) /
                                   static_cast<ULONGLONG>(max)
                             : 0;
  AdvanceTaskbar(batch_job_ * kStepsPerJob + part);
}

void TFrmMain::AdvanceTaskbar(ULONGLONG value) {
  // The button only moves forward: the bar's drop to 0 at a job's end is
  // not progress of the batch.
  if (!taskbar_ || value <= taskbar_value_) return;
  taskbar_value_ = value;
  taskbar_->SetValue(value, JobList.size() * kStepsPerJob);
}

void TFrmMain::DosCommand1Terminated(TObject*) {
  Application->Queue([this] { ProgressBar1->SetPosition(0); }, this);
}

void TFrmMain::DosCommand2Terminated(TObject*) {
  ProbeFinished = true;
}

void TFrmMain::btnConvertClick(TObject*) {
  if (Busy()) return;
  // Nothing to convert: say so rather than "done" for a batch that never ran.
  if (JobList.empty()) {
    lblInfo->SetCaption(texts::kEmptyList);
    dialogs_.MessageBox(Handle(), texts::kEmptyList, MB_OK | MB_ICONINFORMATION);
    return;
  }
  const std::wstring folder = edtSaveDir->Text();
  if (folder.empty()) {
    dialogs_.MessageBox(Handle(), texts::kChooseFolder, MB_OK);
    return;
  }
  // Without the encoder no job could succeed: the batch does not start.
  if (!HelperPresent(texts::kEncoderName, texts::kWithoutEncoder)) return;
  if (!ForceFolders(folder)) return;

  converting_ = true;
  SetWaitingControls(false);
  DragAcceptFiles(Handle(), FALSE);
  taskbar_ = JobList.empty() ? nullptr : dialogs_.Taskbar(Handle());
  batch_job_ = 0;
  taskbar_value_ = 0;
  if (taskbar_) {
    taskbar_->SetState(TBPF_NORMAL);
    taskbar_->SetValue(0, JobList.size() * kStepsPerJob);
  }
  const TOnExit end_batch([this] {
    if (taskbar_) taskbar_->SetState(TBPF_NOPROGRESS);
    taskbar_.reset();
    ProgressBar1->SetPosition(0);
    SetWaitingControls(true);
    DragAcceptFiles(Handle(), TRUE);
    converting_ = false;
    HonourPendingClose();
  });

  last_outputs_.assign(JobList.size(), std::wstring());
  converter::TOutputNames names(folder, CompareFileNames);
  size_t failed = 0;
  bool cut_short = false;
  for (size_t i = 0; i < JobList.size() && !cancel_; ++i) {
    TFileInfo& job = *JobList[i];
    batch_job_ = i;
    lblInfo->SetCaption(texts::kConverting + job.FileName);
    const std::wstring output = names.NameFor(job.FileName);
    last_outputs_[i] = output;
    job.Status = texts::kConvertingRow;
    lvwFiles->Invalidate();
    const TJobResult result = ConvertVideo(job, output);
    switch (result) {
      case TJobResult::jrDone:
        job.Status = texts::kDone;
        break;
      case TJobResult::jrFailed:
        job.Status = texts::kFailed;
        break;
      case TJobResult::jrStopped:
        job.Status = texts::kStopped;
        break;
    }
    lvwFiles->Invalidate();
    if (result == TJobResult::jrFailed) {
      if (taskbar_ && failed == 0) taskbar_->SetState(TBPF_ERROR);
      ++failed;
    }
    // The job is over, however far its output said it had come.
    batch_job_ = i + 1;
    AdvanceTaskbar(batch_job_ * kStepsPerJob);
    if (ConvertRunner->LastOutcome().end == TRunEnd::reStartFailed) {
      // The encoder is there but does not start: every later job would fail alike.
      ShowError(converter::HelperStartText(texts::kEncoderName, ExeDir + texts::kEncoderName,
                                           texts::kEncoderStopped));
      cut_short = true;
      break;
    }
  }
  lblInfo->SetCaption(cancel_ || cut_short ? std::wstring(texts::kStopped)
                                           : converter::BatchDoneText(failed));
}
