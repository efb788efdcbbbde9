#include "app/SourceDialogs.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

#include "app/StatusText.h"

TFileChoice PickSourceFiles(HWND owner, const std::wstring& filter) {
  // The API wants the filter's parts separated by NULs and ended by two.
  std::wstring nul_filter = filter + L"||";
  std::replace(nul_filter.begin(), nul_filter.end(), L'|', L'\0');
  // Room for some thousands of names at once; the dialog says so when a
  // selection does not fit (CommDlgExtendedError, FNERR_BUFFERTOOSMALL).
  std::wstring buffer(1 << 20, L'\0');
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = nul_filter.c_str();
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.Flags = OFN_ENABLESIZING | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER |
              OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT;
  TFileChoice choice;
  if (!GetOpenFileNameW(&ofn)) {
    choice.too_many = CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
    return choice;
  }
  choice.paths = converter::SplitFileSelection(buffer);
  return choice;
}
