// The adding half of the main window: files picked in the dialog, the WMA
// files of a folder, and files and folders dropped on the window become
// jobs, one duration probe per file, in order.
#include <windows.h>
#include <shellapi.h>

#include <memory>

#include "app/ConverterText.h"
#include "app/Main.h"
#include "app/MainTexts.h"
#include "app/ScopeExit.h"
#include "app/SourceCollector.h"
#include "app/StatusText.h"
#include "framework/Application.h"
#include "framework/Unicode.h"

void TFrmMain::btnAddClick(TObject*) {
  if (Busy()) return;
  AddSources(dialogs_.PickSourceFiles(Handle()), false);
}

void TFrmMain::btnAddFolderClick(TObject*) {
  if (Busy()) return;
  const std::wstring folder = dialogs_.PickSourceFolder(Handle(), texts::kAddFolderTitle);
  if (folder.empty()) return;
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
  // The probe keeps this thread waiting (processing messages) for each file;
  // every handler refuses to start meanwhile, and an add that takes longer
  // than a moment greys the controls, so a quick one does not flicker.
  probing_ = true;
  stop_reading_ = false;
  grey_at_ = GetTickCount64() + 300;
  DragAcceptFiles(Handle(), FALSE);
  const TOnExit end_wait([this] {
    EndProbeWait();
    stop_reading_ = false;
    DragAcceptFiles(Handle(), TRUE);
    HonourPendingClose();
  });
  ProgressBar1->SetPosition(0);
  lblInfo->SetCaption(texts::kReady);

  TCollectOptions options;
  options.filter_chosen_files = filter_files;
  options.keep_going = [this] {
    Application->ProcessMessages();
    GreyIfSlow();
    return !cancel_ && !stop_reading_;
  };
  const TCollectedSources sources = CollectSources(chosen, options);
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
  const size_t n = sources.files.size();
  for (size_t k = 0; k < n && !cancel_ && !stop_reading_; ++k) {
    const std::wstring& path = sources.files[k];
    lblInfo->SetCaption(converter::ReadingText(k + 1, n, path));
    auto job = std::make_unique<TFileInfo>();
    if (probe_usable) {
      try {
        job->Duration = GetMediaLength(path);
      } catch (const Exception& e) {
        // The player's length is no number: the file is not added. The box
        // comes once per add, not once per file of a folder.
        if (!cancel_ && !probe_error_shown) ShowError(Utf8ToWide(e.Message()));
        probe_error_shown = true;
        continue;
      }
      if (ProbeRunner->LastOutcome().end == TRunEnd::reStartFailed) {
        ShowError(converter::HelperStartText(texts::kProbeName, ExeDir + texts::kProbeName,
                                             texts::kWithoutProbe));
        probe_usable = false;
      }
    } else {
      // Without the probe nothing waits; the window still keeps up.
      Application->ProcessMessages();
    }
    // A close during the probe: the window is going, this file is not added.
    if (cancel_) break;
    job->Status = texts::kReady;
    job->FileName = path;
    JobList.push_back(std::move(job));
    lvwFiles->SetItemCount(static_cast<int>(JobList.size()));
  }
  if (stop_reading_) {
    lblInfo->SetCaption(texts::kStopped);
  } else if (sources.skipped > 0) {
    lblInfo->SetCaption(converter::SkippedText(sources.skipped));
  } else {
    lblInfo->SetCaption(texts::kReady);
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
