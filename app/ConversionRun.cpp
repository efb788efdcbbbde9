// The converting half of the main window: the duration probe, one encoder
// run per job, the progress from the encoder's output and the batch.
#include <optional>

#include "app/ConverterText.h"
#include "app/Main.h"
#include "app/MainTexts.h"
#include "framework/Application.h"

namespace {

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
  return a.exists == b.exists && a.size == b.size &&
         CompareFileTime(&a.written, &b.written) == 0;
}

}  // namespace

int TFrmMain::GetMediaLength(const std::wstring& file_name) {
  ProbeRunner->SetCommandLine(converter::ProbeCommandLine(ExeDir, file_name));
  ProbeFinished = false;
  ProbeRunner->Execute();
  const ULONGLONG grey_at = GetTickCount64() + 300;
  bool found = false;
  for (int pass = 0; pass < 50 && !cancel_; ++pass) {
    if (ProbeFinished) break;
    if (converter::HasDurationMarker(ProbeRunner->Lines().Text())) {
      found = true;
      break;
    }
    // Up to a second per pass, but a new line or the end of the run ends
    // the pass at once, so a quick probe is not kept waiting.
    const int lines_before = ProbeRunner->Lines().Count();
    const ULONGLONG pass_end = GetTickCount64() + 1000;
    while (!cancel_ && !ProbeFinished && ProbeRunner->Lines().Count() == lines_before) {
      const ULONGLONG now = GetTickCount64();
      if (now >= pass_end) break;
      if (probing_ && !probe_greyed_ && now >= grey_at) {
        SetWaitingControls(false);
        probe_greyed_ = true;
      }
      Application->WaitAndProcess(ProbeRunner->RunEndedEvent(),
                                  static_cast<DWORD>(std::min<ULONGLONG>(pass_end - now, 50)));
    }
  }
  ProbeRunner->Stop();
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
  Application->Queue([this, position] { ProgressBar1->SetPosition(position); }, this);
}

void TFrmMain::DosCommand1Terminated(TObject*) {
  Application->Queue([this] { ProgressBar1->SetPosition(0); }, this);
}

void TFrmMain::DosCommand2Terminated(TObject*) { ProbeFinished = true; }

void TFrmMain::btnConvertClick(TObject*) {
  if (Busy()) return;
  const std::wstring folder = edtSaveDir->Text();
  if (folder.empty()) {
    dialogs_.MessageBox(Handle(), texts::kChooseFolder, MB_OK);
    return;
  }
  if (!ForceFolders(folder)) return;

  converting_ = true;
  SetWaitingControls(false);
  last_outputs_.assign(JobList.size(), std::wstring());
  converter::TOutputNames names(folder);
  for (size_t i = 0; i < JobList.size() && !cancel_; ++i) {
    TFileInfo& job = *JobList[i];
    lblInfo->SetCaption(texts::kConverting + job.FileName);
    const std::wstring output = names.NameFor(job.FileName);
    last_outputs_[i] = output;
    switch (ConvertVideo(job, output)) {
      case TJobResult::jrDone: job.Status = texts::kDone; break;
      case TJobResult::jrFailed: job.Status = texts::kFailed; break;
      case TJobResult::jrStopped: job.Status = texts::kStopped; break;
    }
    lvwFiles->Invalidate();
  }
  ProgressBar1->SetPosition(0);
  lblInfo->SetCaption(cancel_ ? texts::kStopped : texts::kBatchDone);
  SetWaitingControls(true);
  converting_ = false;
  if (cancel_) {
    cancel_ = false;
    if (close_pending_) PostMessageW(Handle(), WM_CLOSE, 0, 0);
  }
}
