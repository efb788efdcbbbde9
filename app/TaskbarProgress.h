#pragma once
// The batch's overall progress on the program's taskbar button.
#include <windows.h>
#include <shobjidl.h>

#include <functional>
#include <memory>

// What the main window tells the taskbar button. The program's own
// implementation talks to the shell; the tests record the calls instead.
class TTaskbarProgress {
 public:
  virtual ~TTaskbarProgress() = default;
  // TBPF_NORMAL while converting, TBPF_ERROR after a failed job,
  // TBPF_NOPROGRESS to clear the button.
  virtual void SetState(TBPFLAG state) = 0;
  virtual void SetValue(ULONGLONG completed, ULONGLONG total) = 0;
};

// Makes the taskbar progress of one window, or nothing where there is none.
using TTaskbarFactory = std::function<std::unique_ptr<TTaskbarProgress>(HWND window)>;

// The shell's ITaskbarList3 (Windows 7 and later) for `window`; nothing where
// the interface is missing or cannot be set up.
std::unique_ptr<TTaskbarProgress> MakeSystemTaskbarProgress(HWND window);
