#pragma once
// How the main window asks the user things and shows a batch on the taskbar.
// The program uses the system's dialogs and taskbar; the Windows tests put
// their own answers and recorders in instead.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/TaskbarProgress.h"

struct TMainDialogs {
  // The file-open dialog with multiple selection: the chosen paths in the
  // dialog's order, or none when cancelled.
  std::function<std::vector<std::wstring>(HWND owner)> PickSourceFiles;
  // The folder picker for a folder to add, opening at `start` ("" for the
  // system's choice): the chosen folder (as BrowseForFolder returns it), or "".
  std::function<std::wstring(HWND owner, const std::wstring& title, const std::wstring& start)>
      PickSourceFolder;
  // The folder picker for the output folder, likewise.
  std::function<std::wstring(HWND owner, const std::wstring& title, const std::wstring& start)>
      PickOutputFolder;
  // A message box; returns the button pressed (IDOK, IDYES …).
  std::function<int(HWND owner, const std::wstring& text, UINT flags)> MessageBox;
  // The taskbar button's progress for the main window.
  TTaskbarFactory Taskbar;
};
