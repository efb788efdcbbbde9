#include "app/SkinChoice.h"

#include "framework/Form.h"
#include "skin/data/SkinManage.h"
#include "skin/data/SkinName.h"
#include "skin/data/SkinSystemWin32.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/packages/WinSkinStore.h"

TSkinChoice::TSkinChoice(TForm& form, TSkinStore& store, TSkinData& data, int current)
    : form_(form), store_(store), data_(data), current_(current) {
  for (int i = 0; i < store_.Store().Count(); ++i) {
    std::wstring name = AnsiToWide(ReadSkinName(store_.Store().Items(i).Data()));
    if (name.empty()) name = L"SkinItem" + std::to_wstring(i);
    names_.push_back(std::move(name));
  }
}

UINT TSkinChoice::CommandOf(int index) const {
  const int slot = index < 0 ? static_cast<int>(names_.size()) : index;
  return kFirstCommand + static_cast<UINT>(slot) * kCommandStep;
}

void TSkinChoice::AddMenuItems() {
  const HMENU menu = GetSystemMenu(form_.Handle(), FALSE);
  if (!menu) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  for (size_t i = 0; i < names_.size(); ++i) {
    AppendMenuW(menu, MF_STRING, CommandOf(static_cast<int>(i)), names_[i].c_str());
  }
  AppendMenuW(menu, MF_STRING, CommandOf(-1), kNoSkin);
  UpdateChecks();
}

void TSkinChoice::UpdateChecks() {
  const HMENU menu = GetSystemMenu(form_.Handle(), FALSE);
  if (!menu) return;
  for (int i = -1; i < static_cast<int>(names_.size()); ++i) {
    CheckMenuItem(menu, CommandOf(i), MF_BYCOMMAND | (i == current_ ? MF_CHECKED : MF_UNCHECKED));
  }
}

bool TSkinChoice::HandleMessage(TMessage& m) {
  if (m.Msg == WM_SYSCOMMAND) {
    const UINT command = static_cast<UINT>(m.WParam & 0xFFF0);
    for (int i = -1; i < static_cast<int>(names_.size()); ++i) {
      if (command != CommandOf(i)) continue;
      Choose(i);
      m.Result = 0;
      return true;
    }
    return false;
  }
  if (m.Msg == SKM_BUTTONVISIBLE && static_cast<WPARAM>(m.LParam) == kStayOnTopAction) {
    // The skins show their pin only on windows that keep themselves on top.
    m.Result = 1;
    return true;
  }
  if (m.Msg == SKM_BUTTONACTION && m.WParam == kStayOnTopAction) {
    const bool on_top = (GetWindowLongPtrW(form_.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    SetWindowPos(form_.Handle(), on_top ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m.Result = 0;
    return true;
  }
  return false;
}

void TSkinChoice::Choose(int index) {
  if (index >= store_.Store().Count()) return;
  if (index < 0) {
    data_.SetActive(false);
  } else {
    data_.LoadFromSkinStore(&store_, index);
    if (data_.NotReady()) return;  // a damaged stored skin changes nothing
    data_.SetActive(true);
  }
  current_ = index;
  // The user sees the new skin now rather than after the usual delay.
  if (SkinManager) SkinManager->FlushCommand();
  UpdateChecks();
}
