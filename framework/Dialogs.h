#pragma once
// The common file-open dialog.
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
