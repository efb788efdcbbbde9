#pragma once
// How the main window asks the user things. The program uses the system's
// dialogs; the Windows tests put their own answers in instead.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

struct TMainDialogs {
  // The file-open dialog: the chosen path, or nothing when cancelled.
  std::function<std::optional<std::wstring>(HWND owner)> PickSourceFile;
  // The folder browser: the chosen folder (as BrowseForFolder returns it), or "".
  std::function<std::wstring(HWND owner, const std::wstring& title)> PickOutputFolder;
  // A message box; returns the button pressed (IDOK, IDYES …).
  std::function<int(HWND owner, const std::wstring& text, UINT flags)> MessageBox;
};
