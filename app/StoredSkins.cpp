#include "app/StoredSkins.h"

#include <windows.h>

#include <span>

#include "framework/Unicode.h"
#include "skin/form/SkinEngine.h"

int LoadStoredSkins(TSkinStore& store) {
  const HMODULE module = GetModuleHandleW(nullptr);
  int count = 0;
  for (;; ++count) {
    const std::wstring name = L"SKINITEM" + std::to_wstring(count);
    const HRSRC info = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!info) break;
    const HGLOBAL loaded = LoadResource(module, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, info);
    if (!bytes || size == 0) break;
    TSkinCollectionItem& item = store.Store().Add();
    item.Data().Assign(
        std::span<const std::uint8_t>(static_cast<const std::uint8_t*>(bytes), size));
  }
  return count;
}

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
