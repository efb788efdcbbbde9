// The caption buttons of a skinned window: which show and where, the mouse
// in the non-client area, what each button does, the skinned system menu,
// hit testing and the system commands.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include "framework/Dpi.h"
#include "framework/Menus.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/CaptionButtons.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/SystemVersion.h"
#include "skin/form/WinSkinForm.h"
#include "skin/menu/SkinMenuBar.h"
#include "skin/menu/SkinMenuOwnerDraw.h"

namespace {

constexpr int kSystemPopupTag = 33333;
// The strip along the window's top edge (96-DPI pixels) where the system's
// answer stands rather than the caption's.
constexpr int kTopEdgeStrip = 3;

POINT MessagePoint(LPARAM lp) {
  return POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
}

bool IsIconAction(int action) {
  return action == 3 || action == 11;
}

bool IsMaximizeAction(int action) {
  return action == 1 || action == 22;
}

}  // namespace

// --- non-client objects ---------------------------------------------------

void TNCObject::MouseDown() {
  TNCObject* hot = engine_.HotObject();
  if (hot && hot != this) hot->MouseLeave();
  if (!Visible) return;
  engine_.SetHotObject(this);
  State = nsPressed;
  Paint();
}

void TNCObject::MouseUp() {
  if (!Visible) return;
  State = nsHot;
  Paint();
}

void TNCObject::MouseEnter() {
  TNCObject* hot = engine_.HotObject();
  if (hot == this) return;
  if (hot) hot->MouseLeave();
  if (!Visible) return;
  engine_.SetHotObject(this);
  State = nsHot;
  Paint();
}

void TNCObject::MouseLeave() {
  if (!Visible) return;
  engine_.SetHotObject(nullptr);
  State = nsNormal;
  Paint();
}

const TDataSkinSysButton* TWinSysButton::Definition() const {
  const TSkinData* data = engine_.SkinData();
  if (!data || index_ < 0) return nullptr;
  const auto& definitions = data->CaptionButtons();
  if (static_cast<size_t>(index_) >= definitions.size()) return nullptr;
  return definitions[static_cast<size_t>(index_)].get();
}

void TWinSysButton::Paint() {
  engine_.PaintCaptionButton(*this);
}

// --- visibility and layout ------------------------------------------------

TCaptionWindowState TWinSkinForm::CaptionState() const {
  TCaptionWindowState state;
  state.maximized = show_state_ == ssMaximized;
  state.active = active_;
  state.border_icons = border_icons_;
  state.frame_kind = frame_kind_;
  state.system_dialog = system_dialog_;
  state.mdi_child_maximized_in_menu_bar =
      mdi_kind_ == mkFrame && manager_.MdiMaximized() && menu_bar_height_ > 0;
  const HWND window = handle_;
  state.ask_window = [window](int code, int action) {
    return static_cast<int>(SendMessageW(window, SKM_BUTTONVISIBLE, static_cast<WPARAM>(code),
                                         static_cast<LPARAM>(action)));
  };
  return state;
}

bool TWinSkinForm::IsButtonVisible(int index) {
  if (index < 0 || index >= CaptionButtonCount()) return false;
  TWinSysButton& button = *buttons_[static_cast<size_t>(index)];
  const TDataSkinSysButton* definition = button.Definition();
  button.Visible = definition && CaptionButtonVisible(*definition, CaptionState());
  return button.Visible;
}

void TWinSkinForm::LayoutButtons() {
  TCaptionLayoutFrame frame;
  frame.frame_width = frame_width_;
  frame.metrics = metrics_;
  frame.menu_bar = menu_bar_height_;
  frame.right_to_left = right_to_left_;
  frame.dpi = dpi_;
  // The child's buttons in the menu line keep clear of the bar's end cap.
  if (const TDataSkinObject* bar = skin_data_->Object(ssMenuBar); bar && !bar->Bitmap.Empty()) {
    frame.menu_bar_margin = std::max(right_to_left_ ? bar->LeftWidth : bar->RightWidth, 0);
  }
  for (int i = 0; i < CaptionButtonCount(); ++i) {
    TWinSysButton& button = *buttons_[static_cast<size_t>(i)];
    const TDataSkinSysButton* d = button.Definition();
    if (!IsButtonVisible(i) || !d || d->Bitmap.Empty()) continue;
    const SIZE size = CaptionButtonSize(*d);
    button.Bounds = CaptionButtonBounds(*d, size.cx, size.cy, frame);
  }
}

POINT TWinSkinForm::ToFrame(POINT screen_point) const {
  POINT p = screen_point;
  ScreenToClient(handle_, &p);
  if (!(IsMdiChild() && show_state_ == ssMinimized)) {
    p.x += metrics_.left;
    p.y += metrics_.caption + menu_bar_height_;
  }
  return p;
}

int TWinSkinForm::CaptionButtonAt(POINT frame_point) const {
  for (int i = 0; i < CaptionButtonCount(); ++i) {
    const TWinSysButton& button = *buttons_[static_cast<size_t>(i)];
    const TDataSkinSysButton* d = button.Definition();
    if (button.Visible && d && d->Action >= 0 &&
        button.Bounds.Contains(frame_point.x, frame_point.y)) {
      return i;
    }
  }
  return -1;
}

bool TWinSkinForm::MaximizeButtonAt(POINT frame_point) const {
  const int index = CaptionButtonAt(frame_point);
  if (index < 0) return false;
  const TDataSkinSysButton* d = buttons_[static_cast<size_t>(index)]->Definition();
  return d && IsMaximizeAction(d->Action);
}

TNCObject* TWinSkinForm::FindObjectAt(POINT frame_point) const {
  const int index = CaptionButtonAt(frame_point);
  return index < 0 ? nullptr : buttons_[static_cast<size_t>(index)].get();
}

namespace {

// The caption button at a point, else the menu-bar button there.
TNCObject* ObjectAt(const TWinSkinForm& engine, POINT frame_point) {
  if (TNCObject* object = engine.FindObjectAt(frame_point)) return object;
  return engine.MenuBar() ? engine.MenuBar()->ButtonAt(frame_point) : nullptr;
}

}  // namespace

// --- the mouse ------------------------------------------------------------

void TWinSkinForm::OnNcMouseMove(TMessage& m) {
  if (!active_) {
    m.Result = 0;
    return;
  }
  if (TNCObject* object = ObjectAt(*this, ToFrame(MessagePoint(m.LParam)))) {
    object->MouseEnter();
    // The system is not told of the move (it would track and draw buttons
    // of its own): the engine asks for the leave and the rest itself.
    manager_.System().TrackNonClient(handle_);
    m.Result = 0;
    return;
  }
  if (TNCObject* hot = hot_object_) {
    hot->MouseLeave();
    hot_object_ = nullptr;
  }
  CallPrevious(m);
}

void TWinSkinForm::OnNcMouseLeave(TMessage& m) {
  // The cursor left the non-client area (or the window): the hot button
  // goes back to normal at once rather than at the hover timer's tick, and
  // a press made on a button ends here: its release comes to the client or
  // to another window, and a later release over the button (of a press
  // made elsewhere) must not act.
  POINT cursor{};
  GetCursorPos(&cursor);
  const POINT p = ToFrame(cursor);
  if (pressed_object_ && !pressed_object_->Bounds.Contains(p.x, p.y)) pressed_object_ = nullptr;
  OnHoverTimer();
  CallPrevious(m);
}

void TWinSkinForm::OnNcLButtonDown(TMessage& m) {
  // The press a switch between drop-downs posted opens the button it was
  // for, wherever that stands.
  TNCObject* object = menu_bar_ ? menu_bar_->TakePendingSwitch() : nullptr;
  if (!object) object = ObjectAt(*this, ToFrame(MessagePoint(m.LParam)));
  if (object) {
    if (!active_) SetForegroundWindow(handle_);
    object->MouseDown();
    pressed_object_ = object;
    m.Result = 0;
    if (auto* button = dynamic_cast<TMenuBtn*>(object)) {
      pressed_object_ = nullptr;
      OpenPopup(button);
      // Still the same bar and button after the drop-down's loop: it is
      // the hot one until the cursor leaves it.
      if (menu_bar_ && button->Index < menu_bar_->ButtonCount() &&
          menu_bar_->Button(button->Index) == button) {
        hot_object_ = button;
        button->State = nsHot;
        button->Paint();
      }
    }
    return;
  }
  pressed_object_ = nullptr;
  if (m.WParam == HTMAXBUTTON) {
    // Never the system's own button press: it would draw a button of its
    // own over the skin.
    m.Result = 0;
    return;
  }
  if (show_state_ == ssMaximized && m.WParam == HTCAPTION && active_) m.WParam = HTMENU;
  // The system's move and size loops run inside this call: no skin command
  // may take the frame away under them.
  const TSkinCommandHold hold(manager_);
  CallPrevious(m);
}

void TWinSkinForm::OnNcLButtonUp(TMessage& m) {
  TNCObject* pressed = pressed_object_;
  pressed_object_ = nullptr;
  if (TNCObject* object = ObjectAt(*this, ToFrame(MessagePoint(m.LParam)))) {
    // Only a button both pressed and released on acts: a press that ends
    // on another button does nothing. Menu-bar buttons acted on the press.
    if (object == hot_object_ && object == pressed && !dynamic_cast<TMenuBtn*>(object)) {
      object->MouseUp();
      DoButtonAction(MessagePoint(m.LParam));
    }
    m.Result = 0;
    return;
  }
  if (m.WParam == HTMAXBUTTON) {
    m.Result = 0;
    return;
  }
  CallPrevious(m);
}

void TWinSkinForm::OnNcLButtonDblClk(TMessage& m) {
  const int index = CaptionButtonAt(ToFrame(MessagePoint(m.LParam)));
  if (index >= 0) {
    const TDataSkinSysButton* d = buttons_[static_cast<size_t>(index)]->Definition();
    if (d && IsIconAction(d->Action)) {
      if (hover_timer_) hover_timer_->SetEnabled(false);
      PostMessageW(handle_, WM_SYSCOMMAND, SC_CLOSE, 0);
      m.Result = 0;
      return;
    }
  }
  // A second press soon after the first on a caption button (closing one
  // maximised child after another from the menu line) or a menu-bar button
  // is a press of its own, as on the system's buttons.
  if (index >= 0 || dynamic_cast<TMenuBtn*>(ObjectAt(*this, ToFrame(MessagePoint(m.LParam))))) {
    OnNcLButtonDown(m);
    return;
  }
  if (show_state_ != ssNormal) {
    RestoreWindow();
    m.Result = 0;
  } else if (border_icons_ & kIconMaximize) {
    ToggleMaximize();
    m.Result = 0;
  } else {
    CallPrevious(m);
  }
}

void TWinSkinForm::OnNcRButtonDown(TMessage& m) {
  // The maximise button is part of the caption here, as it was before it
  // answered the hit test as the system's own.
  if ((m.WParam == HTCAPTION || m.WParam == HTMAXBUTTON) && !IsMdiChild()) {
    ShowSystemMenu(MessagePoint(m.LParam));
    m.Result = 0;
    return;
  }
  CallPrevious(m);
}

void TWinSkinForm::OnHoverTimer() {
  if (menu_tracking_ || !hot_object_) return;
  POINT cursor{};
  GetCursorPos(&cursor);
  const POINT p = ToFrame(cursor);
  if (!hot_object_->Bounds.Contains(p.x, p.y)) {
    TNCObject* hot = hot_object_;
    hot->MouseLeave();
    hot_object_ = nullptr;
  }
}

// --- actions --------------------------------------------------------------

void TWinSkinForm::DoButtonAction(POINT screen_point) {
  auto* button = dynamic_cast<TWinSysButton*>(hot_object_);
  const TDataSkinSysButton* d = button ? button->Definition() : nullptr;
  if (!d) return;
  switch (d->Action) {
    case 0: {
      const TSystemVersion version = SystemVersion();
      const bool old_system = !version.nt || version.major < 5;
      const HMENU menu = system_menu_ ? system_menu_ : GetSystemMenu(handle_, FALSE);
      if (old_system || (menu && GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) != UINT(-1))) {
        if (hover_timer_) hover_timer_->SetEnabled(false);
        PostMessageW(handle_, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      break;
    }
    case 1:
    case 22:
      ToggleMaximize();
      break;
    case 2:
    case 23:
      ToggleMinimize();
      break;
    case 3:
    case 11:
    case 12:
      ShowSystemMenu(POINT{screen_point.x + 1, screen_point.y + 1});
      break;
    case 7:
    case 60:
      SendToActiveChild(SC_MINIMIZE);
      break;
    case 8:
    case 61:
      SendToActiveChild(SC_RESTORE);
      break;
    case 9:
    case 62:
      SendToActiveChild(SC_CLOSE);
      break;
    default:
      PostMessageW(handle_, SKM_BUTTONACTION, static_cast<WPARAM>(d->Action), 0);
      break;
  }
}

void TWinSkinForm::ToggleMaximize() {
  if (show_state_ == ssMaximized) {
    RestoreWindow();
    return;
  }
  if (IsMdiChild()) manager_.SetMdiMaximized(true);
  show_state_ = ssMaximized;
  PostMessageW(handle_, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  hot_object_ = nullptr;
}

void TWinSkinForm::RestoreWindow() {
  show_state_ = ssNormal;
  PostMessageW(handle_, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::ToggleMinimize() {
  if (show_state_ == ssMinimized) {
    RestoreWindow();
    return;
  }
  show_state_ = ssMinimized;
  SetSysMenuStyle(false);
  PostMessageW(handle_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::SendToActiveChild(UINT command) {
  if (mdi_kind_ != mkFrame || !mdi_client_) return;
  const auto child = reinterpret_cast<HWND>(SendMessageW(mdi_client_, WM_MDIGETACTIVE, 0, 0));
  if (child) SendMessageW(child, WM_SYSCOMMAND, command, 0);
}

// --- the system menu ------------------------------------------------------

void TWinSkinForm::ShowSystemMenu(POINT screen_point) {
  const DWORD now = GetTickCount();
  if (!system_menu_shown_ || now - last_system_menu_time_ > double_click_time_) {
    manager_.SetPopupKind(pkSystemMenu);
    last_system_menu_time_ = now;
    system_menu_shown_ = true;
    BuildSystemPopup();
    // The menu's loop runs inside Popup: no skin command may free the menu
    // (or this engine) under it.
    const TSkinCommandHold hold(manager_);
    system_menu_running_ = true;
    try {
      system_popup_->Popup(screen_point.x, screen_point.y);
    } catch (...) {
      system_menu_running_ = false;
      throw;
    }
    system_menu_running_ = false;
    return;
  }
  // A second click within the double-click time closes the window, as a
  // double click on the system menu does.
  if (hot_object_) {
    if (hover_timer_) hover_timer_->SetEnabled(false);
    PostMessageW(handle_, WM_CLOSE, 0, 0);
  }
}

void TWinSkinForm::BuildSystemPopup() {
  system_popup_ = MakeComponent<TPopupMenu>();
  TPopupMenu& popup = *system_popup_;
  popup.SetTag(kSystemPopupTag);
  popup.SetOwnerDraw(true);
  popup.SetImages(&skin_data_->MenuGlyphs());
  // Its items are drawn by the skinned painter when the skin draws the
  // system menu.
  if (skin_data_->SkinControls().Contains(xcSystemMenu)) SetItemPainter(popup, *skin_data_, true);
  const HWND window = handle_;
  const TSystemVersion version = SystemVersion();
  if (version.nt && version.major < 5) {
    // The fixed menu of the oldest systems; image index = tag.
    struct TFixedItem {
      const wchar_t* caption;
      int tag;
      int needs;  // border icon the item needs, 0 for none
    };
    const TFixedItem items[] = {{L" Restore ", 0, 0},
                                {L" Maximize ", 1, kIconMaximize},
                                {L" Minimize ", 2, kIconMinimize},
                                {L"-", 100, 0},
                                {L" Close ", 3, 0}};
    for (const TFixedItem& fixed : items) {
      if (fixed.needs && !(border_icons_ & fixed.needs)) continue;
      TMenuItem& item = popup.Items().Add(fixed.caption);
      item.SetTag(fixed.tag);
      item.SetImageIndex(fixed.tag == 100 ? -1 : fixed.tag);
      if (fixed.tag == 3) item.SetShortCutText(L"ALT+F4");
      item.OnClick = [this, tag = fixed.tag](TObject*) {
        switch (tag) {
          case 0:
            RestoreWindow();
            break;
          case 1:
            ToggleMaximize();
            break;
          case 2:
            ToggleMinimize();
            break;
          case 3:
            if (hover_timer_) hover_timer_->SetEnabled(false);
            PostMessageW(handle_, WM_CLOSE, 0, 0);
            break;
          default:
            break;
        }
      };
    }
    return;
  }
  const HMENU menu = system_menu_ ? system_menu_ : GetSystemMenu(handle_, FALSE);
  const int count = menu ? GetMenuItemCount(menu) : 0;
  for (int i = 0; i < count; ++i) {
    wchar_t text[80] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = static_cast<UINT>(std::size(text) - 1);
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    std::wstring caption = text;
    std::wstring short_cut;
    if (const size_t tab = caption.find(L'\t'); tab != std::wstring::npos) {
      short_cut = caption.substr(tab + 1);
      caption.resize(tab);
    }
    TMenuItem& item = popup.Items().Add(caption.empty() ? L"-" : caption);
    item.SetShortCutText(short_cut);
    item.SetTag(static_cast<std::intptr_t>(info.wID));
    int image = -1;
    bool enabled = true;
    switch (info.wID) {
      case SC_SIZE:
        // Only a sizable window can be sized (the system greys its own
        // menu so only when it shows the menu itself).
        enabled = show_state_ == ssNormal && sizable_;
        break;
      case SC_MOVE:
        enabled = show_state_ != ssMaximized;
        break;
      case SC_MINIMIZE:
        image = 2;
        enabled = show_state_ != ssMinimized && (border_icons_ & kIconMinimize);
        break;
      case SC_MAXIMIZE:
        image = 1;
        enabled = show_state_ != ssMaximized && (border_icons_ & kIconMaximize);
        break;
      case SC_CLOSE:
        image = 3;
        break;
      case SC_RESTORE:
        image = 0;
        enabled = show_state_ != ssNormal;
        break;
      default:
        break;
    }
    if (info.fState == MFS_DISABLED) enabled = false;
    item.SetImageIndex(image);
    item.SetEnabled(enabled);
    item.SetChecked((info.fState & MFS_CHECKED) != 0);
    const UINT command = info.wID;
    item.OnClick = [window, command](TObject*) { PostMessageW(window, WM_SYSCOMMAND, command, 0); };
  }
}

// --- hit testing and commands ---------------------------------------------

void TWinSkinForm::OnNcHitTest(TMessage& m) {
  CallPrevious(m);
  const POINT p = ToFrame(MessagePoint(m.LParam));
  // Over the skin's maximise or restore button the system hears of its own
  // maximise button (where it offers its window layouts), sizing border or
  // not; the engine still handles every click on it.
  if (m.Result != HTCLIENT && MaximizeButtonAt(p)) {
    m.Result = HTMAXBUTTON;
    return;
  }
  if (m.Result != HTNOWHERE && m.Result != HTCAPTION) return;
  if (p.y > ScaleForDpi(kTopEdgeStrip, dpi_)) m.Result = HTCAPTION;
  if (p.y > metrics_.caption && menu_bar_height_ > 0) m.Result = HTMENU;
}

void TWinSkinForm::OnSysCommand(TMessage& m) {
  const UINT command = static_cast<UINT>(m.WParam & 0xFFF0);
  if (!menu_tracking_ && command == SC_KEYMENU) {
    const auto key = static_cast<wchar_t>(m.LParam);
    if (key == L' ') {
      // Alt+Space opens the skinned system menu, never the system's own.
      POINT origin{0, 0};
      ClientToScreen(handle_, &origin);
      ShowSystemMenu(origin);
      m.Result = 0;
      return;
    }
    if (key != L'-' && !GetCapture()) {
      // Alt or F10 on their own open the first drop-down, Alt and a letter
      // the one of that access key; the system's own menu mode never
      // starts (there is no system menu bar to show it).
      if (OpenPopupForKey(key) || key == 0) {
        m.Result = 1;
        return;
      }
    }
  }
  switch (command) {
    case SC_MINIMIZE:
      show_state_ = ssMinimized;
      if (IsMdiChild()) SetCaptionStyle(true);
      break;
    case SC_MAXIMIZE:
      show_state_ = ssMaximized;
      break;
    case SC_RESTORE:
      show_state_ = ssNormal;
      if (IsMdiChild()) {
        SetCaptionStyle(false);
        if (manager_.MdiMaximized()) manager_.SetMdiMaximized(false);
      }
      break;
    default:
      break;
  }
  CallPrevious(m);
}

void TWinSkinForm::OnCommand(TMessage& m) {
  switch (LOWORD(m.WParam)) {
    case SC_SIZE:
    case SC_MOVE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_NEXTWINDOW:
    case SC_PREVWINDOW:
    case SC_CLOSE:
    case SC_RESTORE:
      // Commands chosen in an owner-drawn copy of the system menu arrive as
      // WM_COMMAND.
      PostMessageW(handle_, WM_SYSCOMMAND, LOWORD(m.WParam), 0);
      m.Result = 0;
      return;
    default:
      CallPrevious(m);
  }
}
