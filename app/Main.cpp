#include "app/Main.h"

#include <stdexcept>

#include "app/ConverterText.h"
#include "app/FileDrop.h"
#include "app/MainLayout.h"
#include "app/MainTexts.h"
#include "app/SourceDialogs.h"
#include "app/StatusText.h"
#include "app/StoredSkins.h"
#include "framework/Application.h"
#include "framework/Unicode.h"

namespace {

TFormStyle MainWindowStyle() {
  TFormStyle style;
  style.caption = texts::kCaption;
  style.client_width = 533;
  style.client_height = 456;
  return style;
}

std::wstring ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of(L"\\/") + 1);
}

template <class T>
T* Find(TComponent& owner, const char* name) {
  auto* c = dynamic_cast<T*>(owner.FindComponent(name));
  if (!c) throw std::logic_error(std::string("main window component missing: ") + name);
  return c;
}

}  // namespace

std::wstring BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& start,
                             bool file_picker) {
  TFolderDialog dialog(nullptr);
  dialog.Title = title;
  dialog.Folder = start;
  dialog.UseFilePicker = file_picker;
  if (!dialog.Execute(owner) || dialog.Folder.empty()) return L"";
  return converter::OutputFolderFromChoice(dialog.Folder);
}

TFrmMain::TFrmMain(TComponent* owner, TSkinEnvironment& skins)
    : TFrmMain(owner, skins, TMainDialogs{}) {}

TFrmMain::TFrmMain(TComponent* owner, TSkinEnvironment& skins, TMainDialogs dialogs)
    : TForm(owner, MainWindowStyle()), dialogs_(std::move(dialogs)) {
  SetName("FrmMain");
  BuildComponents();
  BuildSkinComponents(skins);
  if (!dialogs_.PickSourceFiles) {
    dialogs_.PickSourceFiles = [this](HWND window) {
      TFileChoice choice = PickSourceFiles(window, OpenDialog1->Filter);
      if (choice.too_many) ShowError(texts::kTooManyFiles);
      return std::move(choice.paths);
    };
  }
  const auto pick_folder = [](HWND owner, const std::wstring& title, const std::wstring& start) {
    return BrowseForFolder(owner, title, start, true);
  };
  if (!dialogs_.PickSourceFolder) dialogs_.PickSourceFolder = pick_folder;
  if (!dialogs_.PickOutputFolder) dialogs_.PickOutputFolder = pick_folder;
  if (!dialogs_.Taskbar) dialogs_.Taskbar = &MakeSystemTaskbarProgress;
  if (!dialogs_.MessageBox) {
    dialogs_.MessageBox = [](HWND window, const std::wstring& text, UINT flags) {
      const std::wstring caption = Application ? Application->Title() : std::wstring();
      return ::MessageBoxW(window, text.c_str(), caption.c_str(), flags);
    };
  }
  OnCloseQuery = [this](TObject* sender, bool& can_close) { FormCloseQuery(sender, can_close); };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
  FormCreate();
}

TFrmMain::~TFrmMain() {
  // Nothing queued by the runners' workers may reach this window any more,
  // and the windows go before the fields their handlers use.
  if (Application) Application->RemoveQueuedEvents(this);
  if (ConvertRunner) ConvertRunner->Stop();
  if (ProbeRunner) ProbeRunner->Stop();
  // The batch's and the add's further runners too, before their owner goes.
  for (TEncoderRun& run : encoder_runs_) run.runner->Stop();
  for (TProbeRun& run : probe_runs_) run.runner->Stop();
  if (Application) Application->RemoveQueuedEvents(this);
  DestroyHandle();
}

void TFrmMain::BuildComponents() {
  for (const TMainComponent& row : MainLayout()) {
    TWinControl* control = nullptr;
    // clang-format off
    switch (row.kind) {
      case TMainKind::WebBrowser: control = &OwnedComponent<TWebBrowser>(*this); break;
      case TMainKind::GroupBox: control = &OwnedComponent<TGroupBox>(*this); break;
      case TMainKind::Panel: control = &OwnedComponent<TPanel>(*this); break;
      case TMainKind::ListView: control = &OwnedComponent<TJobListView>(*this); break;
      case TMainKind::Button: control = &OwnedComponent<TButton>(*this); break;
      case TMainKind::Edit: control = &OwnedComponent<TEdit>(*this); break;
      case TMainKind::Label: control = &OwnedComponent<TLabel>(*this); break;
      case TMainKind::ProgressBar: control = &OwnedComponent<TProgressBar>(*this); break;
      case TMainKind::ComboBox: control = &OwnedComponent<TComboBox>(*this); break;
    }
    // clang-format on
    control->SetName(row.name);
    control->SetBounds(row.left, row.top, row.width, row.height);
    control->SetAlign(row.align);
    control->SetCaption(row.text);
    if (auto* list = dynamic_cast<TListView*>(control)) {
      // Report style, owner data, read-only, row select, grid lines, no border.
      list->AddColumn(L"文件路径", 350);
      list->AddColumn(L"状态", 80);
    }
    if (auto* edit = dynamic_cast<TEdit*>(control)) edit->SetReadOnly(true);
    TWinControl* parent = row.parent ? Find<TWinControl>(*this, row.parent) : this;
    control->SetParent(parent);
  }
  WebBrowser1 = Find<TWebBrowser>(*this, "WebBrowser1");
  GroupBox3 = Find<TGroupBox>(*this, "GroupBox3");
  Panel1 = Find<TPanel>(*this, "Panel1");
  lvwFiles = Find<TJobListView>(*this, "lvwFiles");
  Panel2 = Find<TPanel>(*this, "Panel2");
  btnAdd = Find<TButton>(*this, "btnAdd");
  btnDelete = Find<TButton>(*this, "btnDelete");
  btnClear = Find<TButton>(*this, "btnClear");
  btnAddFolder = Find<TButton>(*this, "btnAddFolder");
  GroupBox6 = Find<TGroupBox>(*this, "GroupBox6");
  Label10 = Find<TLabel>(*this, "Label10");
  edtSaveDir = Find<TEdit>(*this, "edtSaveDir");
  Button8 = Find<TButton>(*this, "Button8");
  lblParallel = Find<TLabel>(*this, "lblParallel");
  cbxParallel = Find<TComboBox>(*this, "cbxParallel");
  cbxParallel->SetComboStyle(csDropDownList);
  GroupBox2 = Find<TGroupBox>(*this, "GroupBox2");
  Label1 = Find<TLabel>(*this, "Label1");
  Label2 = Find<TLabel>(*this, "Label2");
  lblInfo = Find<TLabel>(*this, "lblInfo");
  ProgressBar1 = Find<TProgressBar>(*this, "ProgressBar1");
  btnConvert = Find<TButton>(*this, "btnConvert");

  OpenDialog1 = &OwnedComponent<TOpenDialog>(*this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->Filter = texts::kWmaFilter;

  btnAdd->OnClick = [this](TObject* s) { btnAddClick(s); };
  btnAddFolder->OnClick = [this](TObject* s) { btnAddFolderClick(s); };
  btnDelete->OnClick = [this](TObject* s) { btnDeleteClick(s); };
  lvwFiles->OnDeleteKey = [this](TObject* s) { btnDeleteClick(s); };
  btnClear->OnClick = [this](TObject* s) { btnClearClick(s); };
  Button8->OnClick = [this](TObject* s) { Button8Click(s); };
  btnConvert->OnClick = [this](TObject* s) { btnConvertClick(s); };
  lvwFiles->OnData = [this](TObject* s, TListItem& item) { lvwFilesData(s, item); };
  cbxParallel->OnSelect = [this](TObject*) { SetParallelJobs(cbxParallel->ItemIndex() + 1); };
}

void TFrmMain::BuildSkinComponents(TSkinEnvironment& skins) {
  // As the window's stored description would give them: the store with the
  // five skins, and the skin data component with its settings (DisableTag
  // 99, not active); reading ends with Loaded, which starts the manager.
  SkinStore1 = &OwnedComponent<TSkinStore>(*this);
  SkinStore1->SetName("SkinStore1");
  LoadStoredSkins(*SkinStore1);
  SkinData1 = &OwnedComponent<TSkinData>(*this, skins);
  SkinData1->SetName("SkinData1");
  SkinData1->BeginLoading();
  SkinData1->SetDisableTag(99);
  SkinData1->SetActive(false);
  SkinData1->Loaded();
  SkinCaption1 = &OwnedComponent<TSkinCaption>(*this);
  SkinCaption1->SetName("SkinCaption1");
  SkinCaption1->Loaded();
}

void TFrmMain::FormCreate() {
  ConvertRunner = &OwnedComponent<TDosCommand>(*this);
  ConvertRunner->SetName("ConvertRunner");
  ProbeRunner = &OwnedComponent<TDosCommand>(*this);
  ProbeRunner->SetName("ProbeRunner");
  ConvertRunner->OnNewLine = [this](TObject* s, const std::string& line, TOutputType type) {
    DosCommand1NewLine(s, line, type);
  };
  ConvertRunner->OnTerminated = [this](TObject* s) { DosCommand1Terminated(s); };
  ProbeRunner->OnTerminated = [this](TObject* s) { DosCommand2Terminated(s); };
  WebBrowser1->Navigate(texts::kStartPage);
  // Where no browser control shows the page, the program's own start panel
  // fills the area instead of an error or an empty box.
  StartPanel1 = &OwnedComponent<TStartPanel>(*this, *SkinData1);
  StartPanel1->SetName("StartPanel1");
  StartPanel1->SetBounds(0, 0, WebBrowser1->Width(), WebBrowser1->Height());
  StartPanel1->SetAlign(alClient);
  StartPanel1->SetParent(WebBrowser1);
  StartPanel1->SetVisible(!WebBrowser1->Hosted());
  SkinData1->OnSkinChanged = [this](TObject*) { StartPanel1->Invalidate(); };
  WebBrowser1->OnNavigateError = [this](TObject*) { StartPanel1->SetVisible(true); };
  SkinCaption1->SetActive(true);
  SkinData1->LoadFromSkinStore(SkinStore1, 2);
  SkinData1->SetActive(true);
  // The user may choose another of the stored skins, or none, from the
  // system menu.
  SkinChoice = std::make_unique<TSkinChoice>(*this, *SkinStore1, *SkinData1, 2);
  SkinChoice->AddMenuItems();
  JobListMenu = std::make_unique<TJobListMenu>(*this);
  ExeDir = ExecutableFolder();
  logical_processors_ = CountLogicalProcessors();
  FillParallelChoice();
  JobList.clear();
  // Files and folders dropped from Explorer are added while the window is idle.
  DragAcceptFiles(Handle(), TRUE);
}

void TFrmMain::ShowError(const std::wstring& text) {
  dialogs_.MessageBox(Handle(), text, MB_OK | MB_ICONERROR);
}

bool TFrmMain::HelperPresent(const std::wstring& name, const std::wstring& consequence) {
  const std::wstring path = ExeDir + name;
  const DWORD a = GetFileAttributesW(path.c_str());
  if (a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY)) return true;
  ShowError(converter::MissingHelperText(name, path, consequence));
  return false;
}

void TFrmMain::SetWaitingControls(bool enabled) {
  // Keys keep reaching the window (Esc stops a long add) when the control
  // that had the focus is greyed.
  if (!enabled && IsChild(Handle(), GetFocus())) SetFocus(Handle());
  GroupBox3->SetEnabled(enabled);
  GroupBox6->SetEnabled(enabled);
  lvwFiles->SetEnabled(enabled);
  btnConvert->SetEnabled(enabled);
}

void TFrmMain::btnDeleteClick(TObject*) {
  if (Busy()) return;
  const std::vector<int> rows = lvwFiles->SelectedIndexes();
  if (lvwFiles->ItemCount() < 1 || rows.empty()) return;
  std::vector<bool> remove(JobList.size(), false);
  for (int row : rows) {
    if (row >= 0 && row < static_cast<int>(JobList.size())) remove[static_cast<size_t>(row)] = true;
  }
  size_t kept = 0;
  for (size_t i = 0; i < JobList.size(); ++i) {
    if (!remove[i]) JobList[kept++] = std::move(JobList[i]);
  }
  JobList.resize(kept);
  // The rows below moved up: no row stays selected in their place.
  lvwFiles->SetItemIndex(-1);
  lvwFiles->SetItemCount(static_cast<int>(JobList.size()));
  lvwFiles->Repaint();
}

void TFrmMain::btnClearClick(TObject*) {
  if (Busy()) return;
  JobList.clear();
  lvwFiles->SetItemCount(0);
  lvwFiles->Repaint();
  lvwFiles->Clear();
}

void TFrmMain::btnMoveToUpClick(TObject*) {
  if (Busy()) return;
  const int i = lvwFiles->ItemIndex();
  if (lvwFiles->ItemCount() < 1 || i < 1 || i >= static_cast<int>(JobList.size())) return;
  std::swap(JobList[static_cast<size_t>(i)], JobList[static_cast<size_t>(i - 1)]);
  lvwFiles->Repaint();
}

void TFrmMain::btnMoveToDownClick(TObject*) {
  if (Busy()) return;
  const int i = lvwFiles->ItemIndex();
  if (i < 0 || i >= lvwFiles->ItemCount() - 1 || i + 1 >= static_cast<int>(JobList.size())) {
    return;
  }
  std::swap(JobList[static_cast<size_t>(i)], JobList[static_cast<size_t>(i + 1)]);
  lvwFiles->Repaint();
}

void TFrmMain::lvwFilesData(TObject*, TListItem& item) {
  if (item.Index < 0 || item.Index >= static_cast<int>(JobList.size())) return;
  const TFileInfo& job = *JobList[static_cast<size_t>(item.Index)];
  item.Caption = job.FileName;
  if (lvwFiles->ViewStyle == vsReport) item.SubItems.push_back(job.Status);
}

void TFrmMain::Button8Click(TObject*) {
  if (Busy()) return;
  // The picker opens at the output folder, or else where the user last chose one.
  const std::wstring current = edtSaveDir->Text();
  const std::wstring folder = dialogs_.PickOutputFolder(Handle(), texts::kBrowseTitle,
                                                        current.empty() ? last_folder_ : current);
  if (folder.empty()) return;
  edtSaveDir->SetText(folder);
  last_folder_ = folder;
}

bool TFrmMain::ForceFolders(const std::wstring& path) {
  auto exists = [](const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  };
  if (exists(path)) return true;
  for (const std::wstring& level : converter::FolderLevels(path)) {
    if (exists(level)) continue;
    // "Already exists" is success only when what exists is a folder: a file
    // of that name is no place for the output.
    if (!CreateDirectoryW(level.c_str(), nullptr) &&
        !(GetLastError() == ERROR_ALREADY_EXISTS && exists(level))) {
      ShowError(converter::FolderErrorText(path));
      return false;
    }
  }
  return true;
}

void TFrmMain::FormCloseQuery(TObject*, bool& can_close) {
  if (!Busy()) return;
  can_close = false;
  // A batch the user has already agreed to stop is not asked about again.
  if (converting_ && !stop_batch_ && !AskStopBatch(texts::kStopAndClose)) return;
  // The waiting handler sees this, stops its run and closes the window
  // once it has returned.
  cancel_ = true;
  close_pending_ = true;
}

void TFrmMain::HonourPendingClose() {
  if (!cancel_) return;
  cancel_ = false;
  if (close_pending_) PostMessageW(Handle(), WM_CLOSE, 0, 0);
}

void TFrmMain::WndProc(TMessage& m) {
  if (SkinChoice && SkinChoice->HandleMessage(m)) return;
  switch (m.Msg) {
    case WM_DROPFILES: {
      // The drop is released before the files are read, which takes a while.
      std::vector<std::wstring> paths;
      {
        const TDroppedFiles drop(reinterpret_cast<HDROP>(m.WParam));
        paths = drop.Paths();
      }
      FilesDropped(paths);
      m.Result = 0;
      return;
    }
    case WM_COMMAND:
      // Esc, as the dialog keys give it to the window.
      if (LOWORD(m.WParam) == IDCANCEL && m.LParam == 0) {
        EscapePressed();
        m.Result = 0;
        return;
      }
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (m.WParam == VK_ESCAPE && Busy()) {
        EscapePressed();
        m.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  TForm::WndProc(m);
}

void TFrmMain::EscapePressed() {
  // Esc stops an add after the file being read, and a batch (every encoder
  // that runs) once the user has said yes.
  if (probing_) stop_reading_ = true;
  if (converting_ && !stop_batch_ && !cancel_ && AskStopBatch(texts::kStopBatch)) {
    stop_batch_ = true;
  }
}

void TFrmMain::FormClose(TObject*, TCloseAction&) {
  JobList.clear();
  lvwFiles->SetItemCount(0);
}
