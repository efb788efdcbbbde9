#include "skin/data/StoredSkinResources.h"

#include <windows.h>

#include <span>
#include <string>

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
