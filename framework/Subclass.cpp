#include "framework/Subclass.h"

#include "framework/HandleCount.h"

bool TWindowSubclass::Install(HWND window, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data) {
  Remove();
  if (!window || !SetWindowSubclass(window, proc, id, data)) return false;
  window_ = window;
  proc_ = proc;
  id_ = id;
  CountHandle(THandleKind::hkSubclass, 1);
  return true;
}

void TWindowSubclass::Remove() {
  if (!window_) return;
  RemoveWindowSubclass(window_, proc_, id_);
  window_ = nullptr;
  CountHandle(THandleKind::hkSubclass, -1);
}
