#pragma once
// TFrmMain: the program's main window. It keeps the list of conversion jobs,
// shows it in an owner-data list view, probes each added file's duration and
// converts the list to MP3, one job after another or several at once (the
// adding half lives in AddingFiles.cpp, the encoder runs in ConversionRun.cpp
// and the batch in BatchRun.cpp).
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/FileInfo.h"
#include "app/FileStamp.h"
#include "app/JobListMenu.h"
#include "app/JobListView.h"
#include "app/MainDialogs.h"
#include "app/SkinChoice.h"
#include "app/SourceCollector.h"
#include "app/StartPanel.h"
#include "app/TaskbarProgress.h"
#include "doscommand/DosCommand.h"
#include "framework/ComCtrls.h"
#include "framework/ComboBox.h"
#include "framework/Dialogs.h"
#include "framework/Form.h"
#include "framework/StdCtrls.h"
#include "framework/WebBrowser.h"
#include "framework/Win32Handles.h"
#include "skin/data/SkinCaption.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/WinSkinStore.h"

// How one encoder run ended.
enum class TJobResult { jrDone, jrFailed, jrStopped };

class TFrmMain : public TForm {
 public:
  // `skins` is the program's skin environment; it outlives the window.
  TFrmMain(TComponent* owner, TSkinEnvironment& skins);
  TFrmMain(TComponent* owner, TSkinEnvironment& skins, TMainDialogs dialogs);
  ~TFrmMain() override;

  // Components, owned by the form.
  TWebBrowser* WebBrowser1 = nullptr;
  // The program's own start page, over WebBrowser1 where no browser shows one.
  TStartPanel* StartPanel1 = nullptr;
  TGroupBox* GroupBox3 = nullptr;
  TPanel* Panel1 = nullptr;
  TJobListView* lvwFiles = nullptr;
  TPanel* Panel2 = nullptr;
  TButton* btnAdd = nullptr;
  TButton* btnDelete = nullptr;
  TButton* btnClear = nullptr;
  TButton* btnAddFolder = nullptr;
  TGroupBox* GroupBox6 = nullptr;
  TLabel* Label10 = nullptr;
  TEdit* edtSaveDir = nullptr;
  TButton* Button8 = nullptr;
  TLabel* lblParallel = nullptr;
  // How many files a batch converts at once: "1" to MaxParallelJobs().
  TComboBox* cbxParallel = nullptr;
  TGroupBox* GroupBox2 = nullptr;
  TLabel* Label1 = nullptr;
  TLabel* Label2 = nullptr;
  TLabel* lblInfo = nullptr;
  TProgressBar* ProgressBar1 = nullptr;
  TButton* btnConvert = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TSkinStore* SkinStore1 = nullptr;
  TSkinData* SkinData1 = nullptr;
  TSkinCaption* SkinCaption1 = nullptr;
  // The skins the system menu offers (made in FormCreate).
  std::unique_ptr<TSkinChoice> SkinChoice;
  // The job list's context menu (made in FormCreate).
  std::unique_ptr<TJobListMenu> JobListMenu;

  // Fields.
  std::wstring ExeDir;
  std::vector<std::unique_ptr<TFileInfo>> JobList;
  std::atomic<bool> ProbeFinished{false};
  TDosCommand* ConvertRunner = nullptr;
  TDosCommand* ProbeRunner = nullptr;

  // Handlers of the job list and the output folder.
  void FormCreate();
  void btnAddClick(TObject* Sender);
  void btnAddFolderClick(TObject* Sender);
  void btnDeleteClick(TObject* Sender);
  void btnClearClick(TObject* Sender);
  void btnMoveToUpClick(TObject* Sender);
  void btnMoveToDownClick(TObject* Sender);
  void lvwFilesData(TObject* Sender, TListItem& Item);
  void Button8Click(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormClose(TObject* Sender, TCloseAction& Action);

  // The conversion. GetMediaLength is StartProbe then FinishProbe; an add
  // does other work between the two while the player starts.
  int GetMediaLength(const std::wstring& file_name);
  void StartProbe(const std::wstring& file_name);
  int FinishProbe();
  void DosCommand1NewLine(TObject* Sender, const std::string& NewLine, TOutputType OutputType);
  void DosCommand1Terminated(TObject* Sender);
  void DosCommand2Terminated(TObject* Sender);
  void btnConvertClick(TObject* Sender);

  // Makes sure the folder exists, creating missing levels; shows the error
  // box and returns false when a level cannot be made (or a file has the
  // name of a level).
  bool ForceFolders(const std::wstring& path);

  // Adds jobs for what the user chose: files as they are (or, with
  // `filter_files`, only WMA files) and every WMA file below each folder.
  // Up to MaxParallelJobs() files are probed at once, the rows added in the
  // order of the files; Esc stops the add after the file the status line
  // names, a close stops it at once.
  void AddSources(const std::vector<std::wstring>& chosen, bool filter_files);

  // Runs on the thread that walks the folders of an add, at each entry it
  // lists; the tests slow the walk down with it as a slow disk would.
  std::function<void()> WalkPace;

  // How many encoder runs a batch keeps going at once: 1, the default (one
  // job after another in list order), up to MaxParallelJobs(). The choice
  // lasts while the program runs.
  int ParallelJobs() const { return parallel_jobs_; }
  void SetParallelJobs(int n);
  // The machine's logical processors, at most 8: the most encoder runs, and
  // duration probes, that go at once.
  int MaxParallelJobs() const;
  // The tests stand in the processor count of another machine.
  void SetLogicalProcessors(int n);

  // True while a duration probe or a batch keeps the window waiting.
  bool Busy() const { return probing_ || converting_; }
  // The output file of each job of the last batch, in job order (named
  // when the batch starts, whether the job ran or not).
  const std::vector<std::wstring>& LastOutputs() const { return last_outputs_; }

 protected:
  // Dropped files, Esc while files are being read, and the skin choices of
  // the system menu.
  void WndProc(TMessage& message) override;

 private:
  void BuildComponents();
  void BuildSkinComponents(TSkinEnvironment& skins);
  // Fills the choice of how many files go at once: 1 to MaxParallelJobs().
  void FillParallelChoice();
  void SetWaitingControls(bool enabled);
  void GreyIfSlow();
  void EndProbeWait();
  // Ends a wait: a close that came during it now closes the window.
  void HonourPendingClose();
  void ShowError(const std::wstring& text);
  // Whether the helper `name` is beside the program; says so once when not.
  bool HelperPresent(const std::wstring& name, const std::wstring& consequence);
  void FilesDropped(const std::vector<std::wstring>& paths);
  // The body of AddSources; what it raises is reported by AddSources.
  void ReadSources(const std::vector<std::wstring>& chosen, bool filter_files);
  // Lists the files an add reads on a worker thread while the window keeps
  // up, counting what it has found in lblInfo; Esc and a close stop it.
  TCollectedSources WalkSources(const std::vector<std::wstring>& chosen, bool filter_files);
  // One encoder run of a batch: its runner (the first is ConvertRunner) and
  // the job it converts.
  struct TEncoderRun {
    TDosCommand* runner = nullptr;  // owned by the window
    size_t job = kNoJob;
    std::wstring output;
    TFileStamp before;    // the output file as it was before the run
    int position = -1;    // seconds the encoder has reported, -1 before any
    unsigned serial = 0;  // tells progress of this job from a former one's
  };
  static constexpr size_t kNoJob = static_cast<size_t>(-1);
  // How long the probe may take for one file, in all.
  static constexpr ULONGLONG kProbeBudgetMs = 50'000;
  // The taskbar button counts each job of a batch as this many steps.
  static constexpr ULONGLONG kStepsPerJob = 1000;
  // Runs of the batch, made as needed; all bound to the same handlers.
  void EnsureEncoderRuns(size_t count);
  TEncoderRun* RunOf(TObject* runner);
  void StartEncoder(TEncoderRun& run, size_t job);
  TJobResult EndEncoder(TEncoderRun& run);
  void FinishJob(TEncoderRun& run, TJobResult result);
  // Takes `position` seconds reported by a run into its row, the bar, the
  // status line and the taskbar button.
  void ShowJobProgress(TObject* runner, unsigned serial, int position);
  // Shows the batch as a whole. With several encoders their reports are
  // shown at most a few times a second unless `now` (a job started or
  // ended): the window stays idle while the encoders work.
  void ShowBatchProgress(bool now = false);
  void AdvanceTaskbar(ULONGLONG value);
  // One duration probe of an add: its runner (the first is ProbeRunner) and
  // the file it reads.
  struct TProbeRun {
    TDosCommand* runner = nullptr;  // owned by the window
    size_t file = kNoJob;
    ULONGLONG deadline = 0;  // when the probe has had its time
    int lines_seen = 0;
  };
  // What a probe found: the length, or the message of a length that is no
  // number (the file is then not added).
  struct TProbeResult {
    bool ready = false;
    int duration = 0;
    std::wstring error;
    bool start_failed = false;  // the player could not be started
  };
  void EnsureProbeRuns(size_t count);
  void StartProbeRun(TProbeRun& run, size_t file, const std::wstring& path);
  // Whether the probe has its answer: the player ended, printed the length
  // or has had its time.
  bool ProbeAnswered(TProbeRun& run);
  TProbeResult EndProbeRun(TProbeRun& run);
  void StopProbeRuns(size_t after);
  // Esc or a close during a batch: asks once whether to stop it; true when
  // the user says yes.
  bool AskStopBatch(const wchar_t* question);
  void EscapePressed();
  void StopAllEncoders();

  TMainDialogs dialogs_;
  bool probing_ = false;
  bool converting_ = false;
  bool probe_greyed_ = false;  // a slow probe has greyed the controls
  ULONGLONG grey_at_ = 0;      // when a probe that is still waiting greys them
  bool stop_reading_ = false;  // Esc while reading: stop after the current file
  // Set by a close request while waiting: the wait ends, the run is stopped,
  // and the window closes once the handler has returned.
  bool cancel_ = false;
  bool close_pending_ = false;
  std::vector<std::wstring> last_outputs_;
  // The folder chosen last in either folder picker during this run; the
  // pickers open there.
  std::wstring last_folder_;
  // The batch's taskbar button progress (none outside a batch, or where the
  // shell has none), and where the batch stands in thousandths per job.
  std::unique_ptr<TTaskbarProgress> taskbar_;
  ULONGLONG taskbar_value_ = 0;
  // The batch: its runs, how many encoders it keeps going, how far it is.
  int logical_processors_ = 1;
  int parallel_jobs_ = 1;
  std::vector<TEncoderRun> encoder_runs_;
  THandle batch_wake_;  // auto-reset; set whenever an encoder run ends
  // The probes of an add, several at once.
  std::vector<TProbeRun> probe_runs_;
  THandle probe_wake_;  // auto-reset; set whenever a probe run ends
  size_t jobs_done_ = 0;
  size_t jobs_failed_ = 0;
  long long seconds_done_ = 0;
  long long seconds_total_ = 0;
  ULONGLONG batch_shown_at_ = 0;     // tick count of the last batch progress shown
  bool batch_progress_due_ = false;  // a report waits to be shown
  bool stop_batch_ = false;          // Esc was answered with yes
  bool asking_stop_ = false;         // the stop question is showing
  bool start_failed_ = false;        // the encoder would not start
};

// Asks for a folder, opening at `start`: the system's folder picker, or the
// shell's folder browser rooted at the desktop where there is none (or when
// `file_picker` is false). The chosen path ends in a backslash (a drive root
// stays as it is); "" when cancelled.
std::wstring BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& start,
                             bool file_picker);

// The logical processors of this machine (at least 1).
int CountLogicalProcessors();
