#include "app/StoredSkins.h"

#include <windows.h>

#include "framework/Unicode.h"
#include "skin/form/SkinEngine.h"

namespace {

// The first top-level window of this thread made by the framework: the main
// window, whose icon is the application's.
HWND FirstFormWindow() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM param) -> BOOL {
        wchar_t cls[64];
        if (GetClassNameW(hwnd, cls, 64) && lstrcmpW(cls, L"TonmillControl") == 0) {
          *reinterpret_cast<HWND*>(param) = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

}  // namespace

std::unique_ptr<TSkinEnvironment> MakeProgramSkinEnvironment(const std::wstring& caption) {
  return MakeSkinEngineEnvironment(&FirstFormWindow, WideToUtf8(caption));
}
