// Opening the drop-downs of the skinned menu bar, and the thread's
// message-filter hook that runs while one shows: the first item selected,
// the arrow keys and the mouse moving on to the neighbouring drop-downs,
// Alt closing. One bar of the process tracks at a time, so the hook's state
// is the unit's.
#include <windows.h>

#include <vector>

#include "framework/Menus.h"
#include "skin/data/SkinManage.h"
#include "skin/form/SystemVersion.h"
#include "skin/form/WinSkinForm.h"
#include "skin/menu/SkinMenuBar.h"

namespace {

// Posted by the menu window's own code to find its menu.
constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

struct THookState {
  HHOOK hook = nullptr;
  TWinSkinMenu* bar = nullptr;  // the bar whose drop-down shows
  int index = -1;               // its button whose drop-down shows
  POINT last_mouse{};
  bool first_message = false;
  bool switched = false;
};

THookState& Hook() {
  static THookState state;
  return state;
}

// The open menu windows of this thread with their menus, in no given order.
struct TOpenMenu {
  HWND window;
  HMENU menu;
};

std::vector<TOpenMenu> OpenMenus() {
  std::vector<TOpenMenu> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM lp) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (lstrcmpW(name, L"#32768") == 0 && IsWindowVisible(window)) {
          auto* list = reinterpret_cast<std::vector<TOpenMenu>*>(lp);
          list->push_back(
              {window, reinterpret_cast<HMENU>(SendMessageW(window, kGetMenuHandle, 0, 0))});
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The selected item of `menu`: its position, or -1.
int SelectedPosition(HMENU menu) {
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    if (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_HILITE) return i;
  }
  return -1;
}

// Where the keyboard is in the open drop-downs: the innermost open menu,
// its selected item (or -1) and whether that item opens a menu of its own.
struct TMenuPlace {
  HMENU menu = nullptr;
  int selected = -1;
  bool selected_has_children = false;
  bool selected_right_to_left = false;
};

TMenuPlace CurrentPlace(HMENU tracked) {
  const std::vector<TOpenMenu> open = OpenMenus();
  auto is_open = [&open](HMENU menu) {
    for (const TOpenMenu& m : open) {
      if (m.menu == menu) return true;
    }
    return false;
  };
  // From the tracked drop-down down the chain of selected items that have
  // an open menu of their own.
  TMenuPlace place;
  HMENU menu = tracked;
  for (int depth = 0; menu && depth < 32; ++depth) {
    place.menu = menu;
    place.selected = SelectedPosition(menu);
    place.selected_has_children = false;
    place.selected_right_to_left = false;
    if (place.selected < 0) break;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(place.selected), TRUE, &info)) break;
    place.selected_has_children = info.hSubMenu != nullptr;
    place.selected_right_to_left = (info.fType & MFT_RIGHTORDER) != 0;
    if (!info.hSubMenu || !is_open(info.hSubMenu)) break;
    menu = info.hSubMenu;
  }
  return place;
}

}  // namespace

// --- opening --------------------------------------------------------------

void TWinSkinMenu::MakeOwnerDrawn(HMENU menu, int depth) const {
  if (!menu || depth > 32) return;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (!(info.fType & MFT_OWNERDRAW)) {
      MENUITEMINFOW change{};
      change.cbSize = sizeof change;
      change.fMask = MIIM_FTYPE;
      change.fType = info.fType | MFT_OWNERDRAW;
      SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
    }
    if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu, depth + 1);
  }
}

bool TWinSkinMenu::OpenPopup(TMenuBtn* button) {
  THookState& hook = Hook();
  hook.switched = false;
  if (!button) return false;
  const HWND window = engine_.Handle();
  // The framework's click of a top-level item.
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(button->Command, 0), 0);
  if (!button->Submenu || !IsMenu(button->Submenu)) return false;
  // Another bar's drop-down (or ours) is still showing: not two at once.
  if (hook.bar) return false;
  hook.index = button->Index;
  hook.bar = this;
  RECT frame{};
  GetWindowRect(window, &frame);
  // The items are drawn by the skin's item painter: the framework's through
  // their menu's drawing events, a bare window's through the engine.
  const TSystemVersion version = SystemVersion();
  if (!(version.nt && version.major == 4)) MakeOwnerDrawn(button->Submenu, 0);

  engine_.SetMenuTracking(true);
  const bool rtl = RightToLeft();
  const int x = frame.left + (rtl ? button->Bounds.right : button->Bounds.left);
  const int y = frame.top + button->Bounds.bottom;
  TSkinManage& manager = engine_.Manager();
  manager.SetPopupKind(pkFormMenu);
  manager.SetMenuBarDropDown(true);
  tracked_popup_ = button->Submenu;

  UINT command = 0;
  InstallHook();
  if (button->Enabled) {
    const UINT flags = TPM_NONOTIFY | TPM_RIGHTBUTTON | TPM_RETURNCMD | (rtl ? TPM_RIGHTALIGN : 0);
    command = static_cast<UINT>(TrackPopupMenu(button->Submenu, flags, x, y, 0, window, nullptr));
  }
  RemoveHook();
  tracked_popup_ = nullptr;
  engine_.SetMenuTracking(false);
  // The chosen item's command reaches the window once the drop-down has
  // closed, as a menu bar's does.
  if (command != 0 && IsWindow(window)) {
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
  }
  return true;
}

void TWinSkinMenu::SwitchTo(TMenuBtn* button, bool by_keyboard) {
  if (!button) return;
  const HWND window = engine_.Handle();
  RECT frame{};
  GetWindowRect(window, &frame);
  // A button cut off at the bar's end is opened at the bar's end.
  POINT at{frame.left + button->Bounds.left + 1, frame.top + button->Bounds.top + 1};
  // The drop-down showing closes first; the press posted after it opens
  // the other one once the menu's loop has ended.
  EndMenu();
  PostMessageW(window, WM_NCLBUTTONDOWN, HTMENU, MAKELPARAM(at.x, at.y));
  pending_switch_ = button->Index;
  pending_by_keyboard_ = by_keyboard;
}

TMenuBtn* TWinSkinMenu::TakePendingSwitch() {
  const int index = pending_switch_;
  pending_switch_ = -1;
  // The drop-down the arrow keys moved to is driven by the keyboard too.
  if (index >= 0 && pending_by_keyboard_) SetKeyboardCues(true);
  pending_by_keyboard_ = false;
  return Button(index);
}

const TWinSkinMenu* TWinSkinMenu::Tracking() {
  return Hook().bar;
}

// --- the hook -------------------------------------------------------------

void TWinSkinMenu::InstallHook() {
  THookState& hook = Hook();
  if (hook.hook) return;
  GetCursorPos(&hook.last_mouse);
  hook.first_message = true;
  hook.switched = false;
  hook.hook =
      SetWindowsHookExW(WH_MSGFILTER, &TWinSkinMenu::MenuHookProc, nullptr, GetCurrentThreadId());
}

void TWinSkinMenu::RemoveHook() {
  THookState& hook = Hook();
  if (hook.bar != this) return;
  if (hook.hook) UnhookWindowsHookEx(hook.hook);
  hook.hook = nullptr;
  hook.bar = nullptr;
  hook.index = -1;
  hook.first_message = false;
  hook.switched = false;
}

LRESULT CALLBACK TWinSkinMenu::MenuHookProc(int code, WPARAM wp, LPARAM lp) {
  THookState& hook = Hook();
  auto* msg = reinterpret_cast<MSG*>(lp);
  try {
    TWinSkinMenu* bar = hook.bar;
    TMenuPlace place;
    if (bar && code == MSGF_MENU && msg &&
        (msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN) &&
        (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT)) {
      place = CurrentPlace(bar->tracked_popup_);
      // In a right-to-left menu the neighbour on the left is the next one.
      if (place.selected >= 0 && (place.selected_right_to_left || bar->RightToLeft())) {
        msg->wParam = msg->wParam == VK_LEFT ? VK_RIGHT : VK_LEFT;
      }
    }
    const LRESULT next = CallNextHookEx(hook.hook, code, wp, lp);
    if (next != 0 || code != MSGF_MENU || !bar || !msg) return next;

    if (hook.first_message) {
      hook.first_message = false;
      // The first item gets selected, as when a menu bar is opened.
      for (const TOpenMenu& open : OpenMenus()) {
        if (open.menu == bar->tracked_popup_) PostMessageW(open.window, WM_KEYDOWN, VK_DOWN, 0);
      }
    }
    const int count = bar->ButtonCount();
    TMenuBtn* chosen = nullptr;
    switch (msg->message) {
      case WM_KEYDOWN:
        if (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) hook.switched = false;
        if (count > 0 && msg->wParam == VK_LEFT &&
            (place.selected < 0 || place.menu == bar->tracked_popup_)) {
          chosen = bar->Button((hook.index - 1 + count) % count);
        } else if (count > 0 && msg->wParam == VK_RIGHT &&
                   (place.selected < 0 || !place.selected_has_children)) {
          chosen = bar->Button((hook.index + 1) % count);
        }
        break;
      case WM_SYSKEYDOWN:
        if (msg->wParam == VK_MENU) {
          bar->engine_.SetMenuTracking(false);
          return 0;
        }
        break;
      case WM_MOUSEMOVE:
        if (msg->pt.x != hook.last_mouse.x || msg->pt.y != hook.last_mouse.y) {
          hook.last_mouse = msg->pt;
          chosen = bar->ButtonAt(bar->engine_.ToFrame(msg->pt));
        }
        break;
      default:
        break;
    }
    if (chosen && chosen->Index != hook.index) {
      hook.switched = true;
      bar->SwitchTo(chosen, msg->message == WM_KEYDOWN);
      // The menu's loop sees the key no more.
      if (msg->message == WM_KEYDOWN) return 1;
    }
    return 0;
  } catch (...) {
    // Nothing leaves the hook.
    return 0;
  }
}
