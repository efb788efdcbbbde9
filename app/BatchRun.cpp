// The batch started by "立即转换": the jobs are converted in list order, one
// after another or up to ParallelJobs() at once, each encoder through its own
// runner; Esc or a close asks once whether to stop them all.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>

#include "app/ConverterText.h"
#include "app/FileNameOrder.h"
#include "app/Main.h"
#include "app/MainTexts.h"
#include "app/ScopeExit.h"
#include "app/StatusText.h"
#include "framework/Application.h"

int CountLogicalProcessors() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  return std::max(1, static_cast<int>(info.dwNumberOfProcessors));
}

int TFrmMain::MaxParallelJobs() const {
  return std::clamp(logical_processors_, 1, 8);
}

void TFrmMain::SetLogicalProcessors(int n) {
  logical_processors_ = std::max(1, n);
  FillParallelChoice();
}

void TFrmMain::SetParallelJobs(int n) {
  // A batch keeps the width it started with.
  if (converting_) return;
  parallel_jobs_ = std::clamp(n, 1, MaxParallelJobs());
  if (cbxParallel->ItemIndex() != parallel_jobs_ - 1) cbxParallel->SetItemIndex(parallel_jobs_ - 1);
}

void TFrmMain::FillParallelChoice() {
  std::vector<std::wstring> items;
  for (int i = 1; i <= MaxParallelJobs(); ++i) items.push_back(std::to_wstring(i));
  cbxParallel->SetItems(items);
  SetParallelJobs(parallel_jobs_);
}

bool TFrmMain::AskStopBatch(const wchar_t* question) {
  // One question however many encoders run, and none while it shows.
  if (asking_stop_) return false;
  asking_stop_ = true;
  const TOnExit asked([this] { asking_stop_ = false; });
  return dialogs_.MessageBox(Handle(), question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) ==
         IDYES;
}

void TFrmMain::FinishJob(TEncoderRun& run, TJobResult result) {
  TFileInfo& job = *JobList[run.job];
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
  lvwFiles->InvalidateRow(static_cast<int>(run.job));
  if (result == TJobResult::jrFailed) {
    if (taskbar_ && jobs_failed_ == 0) taskbar_->SetState(TBPF_ERROR);
    ++jobs_failed_;
  }
  // The job is over, however far its output said it had come.
  ++jobs_done_;
  seconds_done_ += std::max(job.Duration, 0);
  run.job = kNoJob;
  if (parallel_jobs_ == 1) ProgressBar1->SetPosition(0);
  ShowBatchProgress(true);
}

void TFrmMain::StopAllEncoders() {
  for (TEncoderRun& run : encoder_runs_) {
    if (run.job != kNoJob) FinishJob(run, EndEncoder(run));
  }
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

  const size_t total = JobList.size();
  const size_t width = std::min(static_cast<size_t>(parallel_jobs_), total);
  EnsureEncoderRuns(width);
  if (!batch_wake_) batch_wake_ = THandle(CreateEventW(nullptr, FALSE, FALSE, nullptr));

  converting_ = true;
  stop_batch_ = false;
  start_failed_ = false;
  jobs_done_ = 0;
  jobs_failed_ = 0;
  seconds_done_ = 0;
  seconds_total_ = 0;
  for (const auto& job : JobList) seconds_total_ += std::max(job->Duration, 0);
  SetWaitingControls(false);
  DragAcceptFiles(Handle(), FALSE);
  taskbar_ = dialogs_.Taskbar(Handle());
  taskbar_value_ = 0;
  if (taskbar_) {
    taskbar_->SetState(TBPF_NORMAL);
    taskbar_->SetValue(0, total * kStepsPerJob);
  }
  if (width > 1) {
    ProgressBar1->SetMin(0);
    ProgressBar1->SetMax(seconds_total_ > 0
                             ? static_cast<int>(std::min<long long>(seconds_total_, 0x7FFFFFFF))
                             : static_cast<int>(total));
    ProgressBar1->SetPosition(0);
  }
  const TOnExit end_batch([this] {
    // However the batch is left, no encoder goes on running.
    StopAllEncoders();
    if (taskbar_) taskbar_->SetState(TBPF_NOPROGRESS);
    taskbar_.reset();
    ProgressBar1->SetPosition(0);
    SetWaitingControls(true);
    DragAcceptFiles(Handle(), TRUE);
    converting_ = false;
    HonourPendingClose();
  });

  // Every job's output name is fixed before any encoder starts, in list
  // order: two jobs never write one file, whichever finishes first.
  last_outputs_.assign(total, std::wstring());
  converter::TOutputNames names(folder, CompareFileNames);
  for (size_t i = 0; i < total; ++i) last_outputs_[i] = names.NameFor(JobList[i]->FileName);

  size_t next = 0;
  for (;;) {
    const bool stopping = cancel_ || stop_batch_;
    if (stopping) StopAllEncoders();
    // Idle runs take the next jobs of the list.
    bool started = false;
    for (TEncoderRun& run : encoder_runs_) {
      if (stopping || start_failed_ || next >= total) break;
      if (run.job == kNoJob && &run - encoder_runs_.data() < static_cast<ptrdiff_t>(width)) {
        StartEncoder(run, next++);
        started = true;
      }
    }
    if (started) ShowBatchProgress(true);
    const bool any_running = std::any_of(encoder_runs_.begin(), encoder_runs_.end(),
                                         [](const TEncoderRun& run) { return run.job != kNoJob; });
    if (!any_running) break;
    // Sleep until a message arrives or an encoder ends: the window stays
    // responsive and the runners' clocks keep ticking, without taking a
    // core away from the encoders.
    Application->WaitAndProcess(batch_wake_.Get(), 250);
    if (batch_progress_due_) ShowBatchProgress();
    for (TEncoderRun& run : encoder_runs_) {
      if (run.job == kNoJob || run.runner->IsRunning()) continue;
      // Progress the worker queued before it ended is shown first.
      Application->ProcessMessages();
      if (run.job != kNoJob) FinishJob(run, EndEncoder(run));
    }
  }
  if (start_failed_) {
    // The encoder is there but does not start: every later job would fail alike.
    ShowError(converter::HelperStartText(texts::kEncoderName, ExeDir + texts::kEncoderName,
                                         texts::kEncoderStopped));
  }
  lblInfo->SetCaption(cancel_ || stop_batch_ || start_failed_
                          ? std::wstring(texts::kStopped)
                          : converter::BatchDoneText(jobs_failed_));
}
