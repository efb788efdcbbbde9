#pragma once
// The system dialogs through which the user picks what to add.
#include <windows.h>

#include <string>
#include <vector>

struct TFileChoice {
  std::vector<std::wstring> paths;  // in the dialog's order; empty when cancelled
  bool too_many = false;            // the selection did not fit the dialog's buffer
};

// The file-open dialog with multiple selection. `filter` is in the
// framework's form ("WMA|*.wma").
TFileChoice PickSourceFiles(HWND owner, const std::wstring& filter);
