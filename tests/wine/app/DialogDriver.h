#pragma once
// Drives the system's file and folder dialogs as a person would, from a
// thread (or a process) other than the one that shows them: find the dialog,
// type into it, press its buttons. Window text goes through WM_GETTEXT and
// WM_SETTEXT, which Windows carries across processes.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace dialog_driver {

// Waits, sleeping, until `done` answers true or `timeout` passes.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

inline std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  SendMessageTimeoutW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 2000, nullptr);
  return text;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

// The first visible top-level window of process `pid` that `match` accepts.
inline HWND FindTopWindow(DWORD pid, const std::function<bool(HWND)>& match) {
  struct Search {
    DWORD pid;
    const std::function<bool(HWND)>* match;
    HWND found;
  } search{pid, &match, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != s->pid || !IsWindowVisible(hwnd) || !(*s->match)(hwnd)) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A visible dialog box (#32770) of process `pid`, waiting for it to appear.
inline HWND WaitForDialog(DWORD pid, std::chrono::milliseconds timeout) {
  HWND dialog = nullptr;
  WaitUntil(
      [&] {
        dialog = FindTopWindow(pid, [](HWND h) { return ClassOf(h) == L"#32770"; });
        return dialog != nullptr;
      },
      timeout);
  return dialog;
}

// The first child window (at any depth) that `match` accepts.
inline HWND FindChild(HWND parent, const std::function<bool(HWND)>& match) {
  struct Search {
    const std::function<bool(HWND)>* match;
    HWND found;
  } search{&match, nullptr};
  EnumChildWindows(
      parent,
      [](HWND hwnd, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        if (!(*s->match)(hwnd)) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline HWND FindChildByText(HWND parent, const std::wstring& text) {
  return FindChild(parent, [&](HWND h) { return TextOf(h) == text; });
}

// Presses a button the way a click does.
inline void Click(HWND button) {
  PostMessageW(button, BM_CLICK, 0, 0);
}

// Types `text` into the file dialog's name box (an edit, or the edit inside
// the combo box of the dialog's newer layout).
inline bool TypeFileName(HWND dialog, const std::wstring& text) {
  constexpr int kNameCombo = 0x47C;  // cmb13
  constexpr int kNameEdit = 0x480;   // edt1
  HWND box = GetDlgItem(dialog, kNameEdit);
  if (!box) {
    HWND combo = GetDlgItem(dialog, kNameCombo);
    box = combo ? FindChild(combo, [](HWND h) { return ClassOf(h) == L"Edit"; }) : nullptr;
  }
  if (!box) return false;
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  return true;
}

// Selects `folder` in the folder browser's tree, as clicking through the
// tree to it would. The browser takes the path by address, so when the
// dialog belongs to another process (`process`, opened with memory access)
// the path is first written into that process. A browser that is still
// filling its tree may stop short of the folder, so the selection is asked
// again until the tree has a selected item.
inline bool SelectFolder(HWND dialog, const std::wstring& folder, HANDLE process = nullptr) {
  HWND tree = FindChild(dialog, [](HWND h) { return ClassOf(h) == L"SysTreeView32"; });
  if (!tree) return false;
  const size_t bytes = (folder.size() + 1) * sizeof(wchar_t);
  void* address = const_cast<wchar_t*>(folder.c_str());
  if (process) {
    address = VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!address || !WriteProcessMemory(process, address, folder.c_str(), bytes, nullptr)) {
      return false;
    }
  }
  const auto selected = [&] { return SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) != 0; };
  bool done = false;
  for (int attempt = 0; attempt < 20 && !done; ++attempt) {
    SendMessageTimeoutW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(address),
                        SMTO_NORMAL, 20000, nullptr);
    done = WaitUntil(selected, std::chrono::milliseconds(500));
  }
  if (process) VirtualFreeEx(process, address, 0, MEM_RELEASE);
  return done;
}

// Presses the dialog's OK (or Open) button.
inline void PressOk(HWND dialog) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
}

}  // namespace dialog_driver
