#include "app/FileDrop.h"

std::vector<std::wstring> TDroppedFiles::Paths() const {
  std::vector<std::wstring> paths;
  if (!drop_) return paths;
  const UINT count = DragQueryFileW(drop_, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop_, i, nullptr, 0);
    if (length == 0) continue;
    std::wstring path(length + 1, L'\0');
    const UINT got = DragQueryFileW(drop_, i, path.data(), length + 1);
    path.resize(got);
    if (!path.empty()) paths.push_back(std::move(path));
  }
  return paths;
}
