#pragma once
// The common file-open dialog and the folder picker.
#include <windows.h>

#include <string>

#include "framework/Component.h"

class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner);
  // Filter in the framework's form: pairs of description and pattern
  // separated by "|", as "WMA|*.wma".
  std::wstring Filter;
  std::wstring FileName;
  std::wstring Title;
  // Shows the dialog; true when the user chose a file (then in FileName).
  bool Execute(HWND owner);
};

// Asks the user for a folder of the file system. Where the system has the
// folder picker of the file dialog (Vista and later) that is shown: it opens
// at `Folder` and takes a typed or pasted path. Elsewhere the shell's folder
// browser is shown, with `Folder` selected in its tree.
class TFolderDialog : public TComponent {
 public:
  explicit TFolderDialog(TComponent* owner);
  std::wstring Title;
  // Where the dialog opens ("" for the system's choice); after a successful
  // Execute, the chosen folder's path (no trailing backslash but on a drive
  // root, as the system gives it).
  std::wstring Folder;
  // False shows the folder browser even where the newer picker exists (for
  // systems whose picker misbehaves, and for tests of the browser).
  bool UseFilePicker = true;
  // True when the user chose a folder that has a file-system path.
  bool Execute(HWND owner);

 private:
  enum class TPicked { Chosen, Cancelled, Unavailable };
  TPicked ExecuteFilePicker(HWND owner);
  bool ExecuteBrowser(HWND owner);
};
