// The form engine's side of the skinned menu bar: opening drop-downs from
// the mouse, the keyboard and the engine's message, the framework's menu
// changes, and letting the bar go safely while a drop-down may show.
#include <windows.h>
#include <windowsx.h>

#include "framework/Form.h"
#include "framework/Menus.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/CaptionButtons.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"
#include "skin/menu/SkinMenuBar.h"

bool TWinSkinForm::CanPaintFrame() const {
  return (skin_state_ == ksActive || skin_state_ == ksReapplying) && frame_skinned_ && skin_data_ &&
         skin_data_->FramePainting() && IsWindow(handle_);
}

void TWinSkinForm::ForgetMenuButtons() {
  if (dynamic_cast<TMenuBtn*>(pressed_object_)) pressed_object_ = nullptr;
  if (dynamic_cast<TMenuBtn*>(hot_object_)) hot_object_ = nullptr;
}

void TWinSkinForm::DropMenuBar() {
  if (!menu_bar_) return;
  ForgetMenuButtons();
  if (menu_loops_ > 0) {
    // The drop-down's loop runs inside the bar: it goes when that returns.
    retired_menu_bar_ = std::move(menu_bar_);
  } else {
    menu_bar_.reset();
  }
}

bool TWinSkinForm::OpenPopup(TMenuBtn* button) {
  if (!menu_bar_ || !button) return false;
  TWinSkinMenu* bar = menu_bar_.get();
  bool opened = false;
  {
    // Nothing the menu's loop runs on may be freed under it: a skin command
    // waits until the drop-down has closed, and a bar let go meanwhile
    // stays until then.
    const TSkinCommandHold hold(manager_);
    ++menu_loops_;
    try {
      opened = bar->OpenPopup(button);
    } catch (...) {
      // Swallowed: the engine never reports.
    }
    --menu_loops_;
  }
  if (menu_loops_ == 0) retired_menu_bar_.reset();
  if (menu_bar_.get() == bar) bar->SetKeyboardCues(false);
  return opened;
}

bool TWinSkinForm::OpenPopupForKey(wchar_t key) {
  if (!menu_bar_) return false;
  TMenuBtn* button = key == 0 ? menu_bar_->Button(0) : menu_bar_->ButtonForKey(key);
  if (key != 0 && !button) return false;
  if (button) {
    menu_bar_->SetKeyboardCues(true);
    OpenPopup(button);
  }
  return true;
}

void TWinSkinForm::OnMenuPopupMessage(TMessage& m) {
  m.Result = 0;
  if (!menu_bar_) return;
  const POINT p = ToFrame(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
  if (FindObjectAt(p)) return;
  if (TMenuBtn* button = menu_bar_->ButtonAt(p)) OpenPopup(button);
}

void TWinSkinForm::OnMenuChanged(TMessage& m, const TWndMethod& pass) {
  // The framework puts the new menu on the window first; the frame is not
  // painted while the system would show it.
  if (skin_data_) skin_data_->SetFramePainting(false);
  pass(m);
  if (skin_data_) skin_data_->SetFramePainting(true);
  if (!frame_skinned_ || !subclass_.Installed()) return;
  HMENU menu = GetMenu(handle_);
  if (menu_bar_) {
    TMainMenu* now = form_ ? form_->Menu() : nullptr;
    if (form_ && !now) {
      // The form has no menu any more: nothing of the old one can open.
      menu_bar_->Rebuild();
    } else if (menu && skin_data_->MenuUpdate()) {
      menu_bar_->Rebuild(menu);
    }
    PaintFrame(nullptr);
  }
  if (menu) SetMenu(handle_, nullptr);
}

void TWinSkinForm::OnDialogChar(TMessage& m) {
  const bool alt_alone =
      GetKeyState(VK_MENU) < 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0;
  TMenuBtn* button =
      menu_bar_ && alt_alone ? menu_bar_->ButtonForKey(static_cast<wchar_t>(m.WParam)) : nullptr;
  if (button) {
    // Opened from the posted press, once this key has been dealt with.
    menu_bar_->SetKeyboardCues(true);
    menu_bar_->SwitchTo(button);
    m.Result = 1;
    return;
  }
  // An MDI child's keys may belong to the frame's bar.
  TForm* frame = manager_.MdiFrameForm();
  if (IsMdiChild() && frame && frame != form_) {
    m.Result = frame->Perform(CM_DIALOGCHAR_SKIN, m.WParam, m.LParam);
  }
}
