#include "framework/Dialogs.h"

#include <commdlg.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <memory>
#include <vector>

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute(HWND owner) {
  // The API wants the filter's parts separated by NULs and ended by two.
  std::wstring filter = Filter;
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  std::vector<wchar_t> file(32768, L'\0');
  FileName.copy(file.data(), std::min(FileName.size(), file.size() - 1));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.lpstrFile = file.data();
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  ofn.Flags =
      OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&ofn)) return false;
  FileName = file.data();
  return true;
}

namespace {

// Frees a string or an item list the shell allocated for us.
struct TCoTaskFree {
  void operator()(void* p) const { CoTaskMemFree(p); }
};

// The folder browser selects the folder to open at once it has filled its tree.
int CALLBACK BrowserStarted(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED && data) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

TFolderDialog::TFolderDialog(TComponent* owner) : TComponent(owner) {}

bool TFolderDialog::Execute(HWND owner) {
  if (UseFilePicker) {
    const TPicked picked = ExecuteFilePicker(owner);
    if (picked != TPicked::Unavailable) return picked == TPicked::Chosen;
  }
  return ExecuteBrowser(owner);
}

TFolderDialog::TPicked TFolderDialog::ExecuteFilePicker(HWND owner) {
  using Microsoft::WRL::ComPtr;
  // Systems before Vista (and a thread without COM) have no such dialog.
  ComPtr<IFileOpenDialog> dialog;
  if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                              IID_PPV_ARGS(dialog.GetAddressOf())))) {
    return TPicked::Unavailable;
  }
  FILEOPENDIALOGOPTIONS options = 0;
  if (FAILED(dialog->GetOptions(&options)) ||
      FAILED(dialog->SetOptions(options | FOS_PICKFOLDERS | FOS_FORCEFILESYSTEM |
                                FOS_PATHMUSTEXIST | FOS_NOCHANGEDIR))) {
    return TPicked::Unavailable;
  }
  if (!Title.empty()) dialog->SetTitle(Title.c_str());
  if (!Folder.empty()) {
    // A start folder that is gone is no reason to fail: the dialog then
    // opens where the system likes.
    ComPtr<IShellItem> start;
    if (SUCCEEDED(SHCreateItemFromParsingName(Folder.c_str(), nullptr,
                                              IID_PPV_ARGS(start.GetAddressOf())))) {
      dialog->SetFolder(start.Get());
    }
  }
  if (FAILED(dialog->Show(owner))) return TPicked::Cancelled;
  ComPtr<IShellItem> chosen;
  if (FAILED(dialog->GetResult(chosen.GetAddressOf()))) return TPicked::Cancelled;
  PWSTR raw = nullptr;
  if (FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &raw)) || !raw) return TPicked::Cancelled;
  const std::unique_ptr<wchar_t, TCoTaskFree> path(raw);
  Folder = path.get();
  return TPicked::Chosen;
}

bool TFolderDialog::ExecuteBrowser(HWND owner) {
  wchar_t display_name[MAX_PATH] = {};
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop
  info.pszDisplayName = display_name;
  info.lpszTitle = Title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
  info.lpfn = &BrowserStarted;
  info.lParam = Folder.empty() ? 0 : reinterpret_cast<LPARAM>(Folder.c_str());
  const std::unique_ptr<ITEMIDLIST, TCoTaskFree> chosen(SHBrowseForFolderW(&info));
  if (!chosen) return false;
  wchar_t path[MAX_PATH * 4] = {};
  if (!SHGetPathFromIDListW(chosen.get(), path)) return false;
  Folder = path;
  return true;
}
