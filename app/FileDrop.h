#pragma once
// Files and folders dropped on a window (WM_DROPFILES).
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// Owns the drop handle of one WM_DROPFILES message and releases it
// (DragFinish) when it goes, whether or not the paths were read.
class TDroppedFiles {
 public:
  explicit TDroppedFiles(HDROP drop) : drop_(drop) {}
  ~TDroppedFiles() {
    if (drop_) DragFinish(drop_);
  }
  TDroppedFiles(const TDroppedFiles&) = delete;
  TDroppedFiles& operator=(const TDroppedFiles&) = delete;

  // The dropped paths in the order the drop gives them.
  std::vector<std::wstring> Paths() const;

 private:
  HDROP drop_;
};
