#include "app/Main.h"

#include <shlobj.h>

#include <stdexcept>

#include "app/ConverterText.h"
#include "app/MainLayout.h"
#include "app/MainTexts.h"
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

std::wstring BrowseForFolder(HWND owner, const std::wstring& title) {
  wchar_t display_name[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.pszDisplayName = display_name;
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
  PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&info);
  if (!pidl) return L"";
  std::wstring result;
  wchar_t path[MAX_PATH * 4] = {};
  if (SHGetPathFromIDListW(pidl, path)) result = converter::OutputFolderFromChoice(path);
  CoTaskMemFree(pidl);
  return result;
}

TFrmMain::TFrmMain(TComponent* owner, TSkinEnvironment& skins)
    : TFrmMain(owner, skins, TMainDialogs{}) {}

TFrmMain::TFrmMain(TComponent* owner, TSkinEnvironment& skins, TMainDialogs dialogs)
    : TForm(owner, MainWindowStyle()), dialogs_(std::move(dialogs)) {
  SetName("FrmMain");
  BuildComponents();
  BuildSkinComponents(skins);
  if (!dialogs_.PickSourceFile) {
    dialogs_.PickSourceFile = [this](HWND window) -> std::optional<std::wstring> {
      if (!OpenDialog1->Execute(window)) return std::nullopt;
      return OpenDialog1->FileName;
    };
  }
  if (!dialogs_.PickOutputFolder) dialogs_.PickOutputFolder = &BrowseForFolder;
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
  if (Application) Application->RemoveQueuedEvents(this);
  DestroyHandle();
}

void TFrmMain::BuildComponents() {
  for (const TMainComponent& row : MainLayout()) {
    TWinControl* control = nullptr;
    switch (row.kind) {
      case TMainKind::WebBrowser: control = &OwnedComponent<TWebBrowser>(*this); break;
      case TMainKind::GroupBox: control = &OwnedComponent<TGroupBox>(*this); break;
      case TMainKind::Panel: control = &OwnedComponent<TPanel>(*this); break;
      case TMainKind::ListView: control = &OwnedComponent<TListView>(*this); break;
      case TMainKind::Button: control = &OwnedComponent<TButton>(*this); break;
      case TMainKind::Edit: control = &OwnedComponent<TEdit>(*this); break;
      case TMainKind::Label: control = &OwnedComponent<TLabel>(*this); break;
      case TMainKind::ProgressBar: control = &OwnedComponent<TProgressBar>(*this); break;
    }
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
  lvwFiles = Find<TListView>(*this, "lvwFiles");
  Panel2 = Find<TPanel>(*this, "Panel2");
  btnAdd = Find<TButton>(*this, "btnAdd");
  btnDelete = Find<TButton>(*this, "btnDelete");
  btnClear = Find<TButton>(*this, "btnClear");
  GroupBox6 = Find<TGroupBox>(*this, "GroupBox6");
  Label10 = Find<TLabel>(*this, "Label10");
  edtSaveDir = Find<TEdit>(*this, "edtSaveDir");
  Button8 = Find<TButton>(*this, "Button8");
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
  btnDelete->OnClick = [this](TObject* s) { btnDeleteClick(s); };
  btnClear->OnClick = [this](TObject* s) { btnClearClick(s); };
  Button8->OnClick = [this](TObject* s) { Button8Click(s); };
  btnConvert->OnClick = [this](TObject* s) { btnConvertClick(s); };
  lvwFiles->OnData = [this](TObject* s, TListItem& item) { lvwFilesData(s, item); };
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
  // (The caption component is switched on here once it is part of the program.)
  SkinData1->LoadFromSkinStore(SkinStore1, 2);
  SkinData1->SetActive(true);
  ExeDir = ExecutableFolder();
  JobList.clear();
}

void TFrmMain::ShowError(const std::wstring& text) {
  dialogs_.MessageBox(Handle(), text, MB_OK | MB_ICONERROR);
}

void TFrmMain::SetWaitingControls(bool enabled) {
  GroupBox3->SetEnabled(enabled);
  GroupBox6->SetEnabled(enabled);
  lvwFiles->SetEnabled(enabled);
  btnConvert->SetEnabled(enabled);
}

void TFrmMain::btnAddClick(TObject*) {
  if (Busy()) return;
  const std::optional<std::wstring> chosen = dialogs_.PickSourceFile(Handle());
  if (!chosen) return;
  ProgressBar1->SetPosition(0);
  lblInfo->SetCaption(texts::kReady);
  auto job = std::make_unique<TFileInfo>();
  // The probe keeps this thread waiting (processing messages) for up to
  // about 50 s; every handler refuses to start while it runs, and a probe
  // that takes longer than a moment also greys the controls (see
  // GetMediaLength), so a quick one does not make the window flicker.
  probing_ = true;
  try {
    job->Duration = GetMediaLength(*chosen);
  } catch (const Exception& e) {
    EndProbeWait();
    ShowError(Utf8ToWide(e.Message()));
    return;
  }
  EndProbeWait();
  if (cancel_) {
    // The window is closing: the file is not added.
    cancel_ = false;
    if (close_pending_) PostMessageW(Handle(), WM_CLOSE, 0, 0);
    return;
  }
  job->Status = texts::kReady;
  job->FileName = *chosen;
  JobList.push_back(std::move(job));
  lvwFiles->SetItemCount(static_cast<int>(JobList.size()));
}

void TFrmMain::EndProbeWait() {
  probing_ = false;
  if (probe_greyed_) SetWaitingControls(true);
  probe_greyed_ = false;
}

void TFrmMain::btnDeleteClick(TObject*) {
  if (Busy()) return;
  const int index = lvwFiles->ItemIndex();
  if (lvwFiles->ItemCount() < 1 || index < 0 || index >= static_cast<int>(JobList.size())) return;
  JobList.erase(JobList.begin() + index);
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
  const std::wstring folder = dialogs_.PickOutputFolder(Handle(), texts::kBrowseTitle);
  if (!folder.empty()) edtSaveDir->SetText(folder);
}

bool TFrmMain::ForceFolders(const std::wstring& path) {
  auto exists = [](const std::wstring& p) {
    const DWORD a = GetFileAttributesW(p.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  };
  if (exists(path)) return true;
  for (const std::wstring& level : converter::FolderLevels(path)) {
    if (exists(level)) continue;
    if (!CreateDirectoryW(level.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
      ShowError(converter::FolderErrorText(path));
      return false;
    }
  }
  return true;
}

void TFrmMain::FormCloseQuery(TObject*, bool& can_close) {
  if (!Busy()) return;
  can_close = false;
  if (converting_) {
    const int answer = dialogs_.MessageBox(Handle(), texts::kStopAndClose,
                                           MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer != IDYES) return;
  }
  // The waiting handler sees this, stops its run and closes the window
  // once it has returned.
  cancel_ = true;
  close_pending_ = true;
}

void TFrmMain::FormClose(TObject*, TCloseAction&) {
  JobList.clear();
  lvwFiles->SetItemCount(0);
}
