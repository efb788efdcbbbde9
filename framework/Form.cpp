#include "framework/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "framework/Application.h"
#include "framework/Dpi.h"
#include "framework/Menus.h"
#include "framework/Screen.h"

namespace {
// The style bits that the border style and icons decide; the rest of a
// live window's styles (visibility, clipping, state) stay as they are.
constexpr DWORD kBorderStyleBits = WS_POPUP | WS_CAPTION | WS_BORDER | WS_DLGFRAME | WS_THICKFRAME |
                                   WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kBorderExStyleBits = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;

// `window` moved onto `area`, and shrunk to it along an axis where it is
// larger.
RECT FitIntoArea(const RECT& window, const RECT& area) {
  const LONG w = std::min(window.right - window.left, area.right - area.left);
  const LONG h = std::min(window.bottom - window.top, area.bottom - area.top);
  const LONG x = std::clamp(window.left, area.left, area.right - w);
  const LONG y = std::clamp(window.top, area.top, area.bottom - h);
  return RECT{x, y, x + w, y + h};
}

// Where `window`, a place for `hwnd`, lies on the work area of the monitor
// it is on: moved onto it where it is partly off, and shrunk to it where it
// is larger. (Child windows, MDI children among them, and maximised or
// minimised ones stay where they are asked to be.)
RECT OnWorkArea(HWND hwnd, const RECT& window) {
  if (!hwnd || IsIconic(hwnd) || IsZoomed(hwnd)) return window;
  if (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD) return window;
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromRect(&window, MONITOR_DEFAULTTONEAREST), &info)) return window;
  return FitIntoArea(window, info.rcWork);
}

// Puts a top-level window that is partly off its monitor's work area, or
// larger than it, onto it.
void KeepOnWorkArea(HWND hwnd) {
  RECT window{};
  if (!hwnd || !GetWindowRect(hwnd, &window)) return;
  const RECT fitted = OnWorkArea(hwnd, window);
  if (EqualRect(&fitted, &window)) return;
  SetWindowPos(hwnd, nullptr, fitted.left, fitted.top, fitted.right - fitted.left,
               fitted.bottom - fitted.top, SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

TWindowStyles FormWindowStyles(TFormBorderStyle border_style, TBorderIcons border_icons) {
  TWindowStyles s{WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
  switch (border_style) {
    case bsNone:
      // No caption, hence no system menu or caption buttons either.
      s.style |= WS_POPUP;
      return s;
    case bsSingle:
      s.style |= WS_OVERLAPPED | WS_CAPTION;
      break;
    case bsSizeable:
      s.style |= WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME;
      break;
    case bsDialog:
      s.style |= WS_POPUP | WS_CAPTION;
      s.ex_style |= WS_EX_DLGMODALFRAME;
      break;
  }
  if (border_icons.Contains(biSystemMenu)) s.style |= WS_SYSMENU;
  if (border_style != bsDialog) {
    if (border_icons.Contains(biMinimize)) s.style |= WS_MINIMIZEBOX;
    if (border_icons.Contains(biMaximize)) s.style |= WS_MAXIMIZEBOX;
  }
  return s;
}

TForm::TForm(TComponent* owner, const TFormStyle& style)
    : TWinControl(owner),
      style_(style),
      border_style_(style.border_style),
      border_icons_(style.border_icons) {
  // The description's sizes and font are 96-DPI units: the window is made
  // at the screen's DPI.
  const int dpi = SystemDpi();
  SetInitialDpi(dpi);
  font_ = MakeFont(dpi);
  const TWindowStyles styles = FormWindowStyles(border_style_, border_icons_);
  RECT r{0, 0, ScaleForDpi(style.client_width, dpi), ScaleForDpi(style.client_height, dpi)};
  AdjustWindowRectForDpi(r, styles.style, false, styles.ex_style, dpi);
  const int w = r.right - r.left;
  const int h = r.bottom - r.top;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT;
  // An MDI child is placed by its client, one step down from the last.
  if (style.centred && !style.mdi_client) {
    x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  }
  SetVisible(false);
  SetBounds(x, y, w, h);
  SetCaption(style.caption);
  CreateHandle();
  SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
  // On a monitor of its own DPI (per-monitor aware) the window follows it
  // at once, as it would when moved there.
  if (const int shown = WindowDpi(Handle()); shown != dpi) ApplyDpi(shown, nullptr);
  // Made at a default or given place, the window shows whole on its monitor.
  KeepOnWorkArea(Handle());
  if (Application) {
    // The icons stay the application's; the window only shows them.
    if (HICON icon = Application->Icon()) {
      SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    }
    if (HICON icon = Application->SmallIcon()) {
      SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }
  }
  Screen().AddForm(this);
}

TForm::~TForm() {
  Screen().RemoveForm(this);
  // An MDI child leaves through its client, which then activates the next
  // child and drops it from the window menu.
  if (IsMdiChild() && Handle() && IsWindow(style_.mdi_client)) {
    SendMessageW(style_.mdi_client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(Handle()), 0);
  }
  // The menu handle stays its menu's: take it off the window, which would
  // otherwise destroy it along with itself.
  if (menu_) {
    menu_->form_ = nullptr;
    if (Handle()) ::SetMenu(Handle(), nullptr);
    menu_ = nullptr;
  }
  // The window (and every child window) goes before the font and brush.
  DestroyHandle();
}

void TForm::CreateParams(TCreateParams& params) {
  const TWindowStyles styles = FormWindowStyles(border_style_, border_icons_);
  params.style = styles.style;
  params.ex_style = styles.ex_style;
  if (style_.mdi_client) {
    params.style = (params.style & ~WS_POPUP) | WS_CHILD | WS_CLIPSIBLINGS;
    params.ex_style |= WS_EX_MDICHILD;
    params.parent_window = style_.mdi_client;
  }
}

void TForm::DefaultHandler(TMessage& m) {
  if (!Handle()) {
    m.Result = 0;
  } else if (IsMdiChild()) {
    m.Result = DefMDIChildProcW(Handle(), m.Msg, m.WParam, m.LParam);
  } else if (frame_client_) {
    m.Result = DefFrameProcW(Handle(), frame_client_, m.Msg, m.WParam, m.LParam);
  } else {
    TWinControl::DefaultHandler(m);
  }
}

void TForm::Show() {
  SetVisible(true);
  if (IsMdiChild()) {
    // Made hidden, the child joins the window menu's list only now.
    SendMessageW(style_.mdi_client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
    SendMessageW(style_.mdi_client, WM_MDIREFRESHMENU, 0, 0);
    DrawMenuBar(GetParent(style_.mdi_client));
  }
  UpdateWindow(Handle());
}

void TForm::Close() {
  bool can_close = true;
  if (OnCloseQuery) OnCloseQuery(this, can_close);
  if (!can_close) return;
  TCloseAction action = main_form_ || IsMdiChild() ? caFree : caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (action == caFree && IsMdiChild()) {
    // This call may run inside the child's own procedure: its frame frees
    // it on a later turn of the message loop.
    PostMessageW(GetParent(style_.mdi_client), CM_RELEASECHILD, 0,
                 reinterpret_cast<LPARAM>(Handle()));
    return;
  }
  if (action == caMinimize) {
    ShowWindow(Handle(), SW_MINIMIZE);
    return;
  }
  SetVisible(false);
  if (main_form_ && Application) Application->Terminate();
}

// --- border

void TForm::SetBorderStyle(TFormBorderStyle border_style) {
  if (border_style == border_style_) return;
  border_style_ = border_style;
  ApplyWindowStyles();
}

void TForm::SetBorderIcons(TBorderIcons border_icons) {
  if (border_icons == border_icons_) return;
  border_icons_ = border_icons;
  ApplyWindowStyles();
}

void TForm::ApplyWindowStyles() {
  HWND hwnd = Handle();
  if (!hwnd) return;
  const int client_width = ClientWidth();
  const int client_height = ClientHeight();
  const TWindowStyles wanted = FormWindowStyles(border_style_, border_icons_);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  SetWindowLongPtrW(hwnd, GWL_STYLE, (style & ~kBorderStyleBits) | wanted.style);
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, (ex_style & ~kBorderExStyleBits) | wanted.ex_style);
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetClientSize(client_width, client_height);
}

// --- DPI

TOwnedFont TForm::MakeFont(int dpi) const {
  return TOwnedFont(CreateFontW(ScaleForDpi(style_.font_height, dpi), 0, 0, 0, FW_NORMAL, FALSE,
                                FALSE, FALSE, style_.font_charset, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                style_.font_face.c_str()));
}

namespace {
// Stops a visible window and its children painting for the owner's life
// (WM_SETREDRAW); a hidden one is left alone, as turning painting back on
// would show it.
class TRedrawPause {
 public:
  explicit TRedrawPause(HWND window)
      : window_((GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) ? window : nullptr) {
    if (window_) SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
  }
  ~TRedrawPause() {
    if (window_) SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
  }
  TRedrawPause(const TRedrawPause&) = delete;
  TRedrawPause& operator=(const TRedrawPause&) = delete;

 private:
  HWND window_;
};

// Stops the list views among a form's windows painting and laying out their
// rows for the owner's life (their own WM_SETREDRAW): a list view takes a
// new font, size and column widths on a change of DPI, and would otherwise
// measure its rows and header, and set its scroll bars, anew at each. It
// does so once when painting comes back on. (Hidden ones are left alone.)
class TListRedrawPause {
 public:
  // `windows`: the form's windows (ChildWindowsOf).
  explicit TListRedrawPause(const std::vector<HWND>& windows) {
    for (HWND window : windows) {
      wchar_t name[32] = {};
      GetClassNameW(window, name, 32);
      if (lstrcmpiW(name, WC_LISTVIEWW) == 0 &&
          (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE)) {
        lists_.push_back(window);
        SendMessageW(window, WM_SETREDRAW, FALSE, 0);
      }
    }
  }
  ~TListRedrawPause() {
    for (HWND list : lists_) {
      if (IsWindow(list)) SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    }
  }
  TListRedrawPause(const TListRedrawPause&) = delete;
  TListRedrawPause& operator=(const TListRedrawPause&) = delete;

 private:
  std::vector<HWND> lists_;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM lp) {
  reinterpret_cast<std::vector<HWND>*>(lp)->push_back(window);
  return TRUE;
}

// Every window inside the form, children of children included. (Each
// enumeration asks the window server for every window's children: a change
// of DPI walks the form once.)
std::vector<HWND> ChildWindowsOf(HWND form) {
  std::vector<HWND> windows;
  EnumChildWindows(form, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void MoveWindowTo(HWND window, const RECT& r) {
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// The windows that show font `from` show `to` from now on.
void SwapFont(const std::vector<HWND>& windows, HFONT from, HFONT to) {
  for (HWND window : windows) {
    // Not redrawn one by one: the whole form is, once it is laid out anew.
    if (reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)) == from) {
      SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(to), FALSE);
    }
  }
}
}  // namespace

void TForm::ApplyDpi(int dpi, const RECT* suggested) {
  HWND hwnd = Handle();
  const int old_dpi = Dpi();
  if (!hwnd || dpi <= 0) return;
  if (dpi == old_dpi) {
    // Nothing scales: the window only takes the place it is given, and what
    // the move changes is painted as after any move.
    if (suggested) {
      MoveWindowTo(hwnd, *suggested);
      KeepOnWorkArea(hwnd);
    }
    return;
  }
  {
    // Nothing paints while the form changes: a list view or combo box that
    // moves or takes a new font would otherwise repaint itself, and what it
    // uncovers, at once, however it is asked. The form is painted once below.
    const TRedrawPause pause(hwnd);
    {
      const std::vector<HWND> windows = ChildWindowsOf(hwnd);
      // List views lay themselves out once, after the change.
      const TListRedrawPause lists(windows);
      const RECT client = ClientRect();
      // The windows that show the form's font get the one of the new size;
      // the old one goes only once none of them uses it any more. (First: a
      // combo box sizes itself to its font, and that size is taken back in
      // the units of the DPI its window still has.)
      TOwnedFont old_font = std::move(font_);
      font_ = MakeFont(dpi);
      SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
      SwapFont(windows, old_font.Get(), font_.Get());
      // The whole tree is in the new units before the form takes its new
      // size: the aligned children are laid out once, at the final size,
      // and every other window then moves once, to its scaled bounds.
      const std::vector<int> old_dpis = TakeDpi(dpi);
      {
        const TRealignPause final_size_first(*this);
        // Grown with the DPI, the window may no longer fit its monitor: the
        // suggested place is fitted first, so that the window moves once.
        if (suggested) {
          MoveWindowTo(hwnd, OnWorkArea(hwnd, *suggested));
        } else {
          SetClientSize(MulDiv(client.right, dpi, old_dpi), MulDiv(client.bottom, dpi, old_dpi));
          KeepOnWorkArea(hwnd);
        }
      }
      PlaceAtDpi(dpi, old_dpis);
    }
  }
  // Everything shows at the new DPI: painted once, children and all.
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

SIZE TForm::ScaledWindowSize(int dpi) const {
  HWND hwnd = Handle();
  RECT window{}, client{};
  GetWindowRect(hwnd, &window);
  GetClientRect(hwnd, &client);
  const int old_dpi = Dpi();
  const SIZE frame{(window.right - window.left) - client.right,
                   (window.bottom - window.top) - client.bottom};
  RECT wanted{0, 0, MulDiv(client.right, dpi, old_dpi), MulDiv(client.bottom, dpi, old_dpi)};
  // The system's own frame is measured at the new DPI; one drawn by
  // someone else (a skin) grows with the DPI as a whole.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  const bool menu = GetMenu(hwnd) != nullptr;
  RECT system{0, 0, client.right, client.bottom};
  AdjustWindowRectForDpi(system, style, menu, ex_style, old_dpi);
  if ((system.right - system.left) - client.right == frame.cx &&
      (system.bottom - system.top) - client.bottom == frame.cy) {
    AdjustWindowRectForDpi(wanted, style, menu, ex_style, dpi);
    return SIZE{wanted.right - wanted.left, wanted.bottom - wanted.top};
  }
  return SIZE{wanted.right + MulDiv(frame.cx, dpi, old_dpi),
              wanted.bottom + MulDiv(frame.cy, dpi, old_dpi)};
}

// --- size

int TForm::ClientWidth() const {
  return static_cast<int>(ClientRect().right);
}

int TForm::ClientHeight() const {
  return static_cast<int>(ClientRect().bottom);
}

void TForm::SetClientWidth(int width) {
  SetClientSize(width, ClientHeight());
}

void TForm::SetClientHeight(int height) {
  SetClientSize(ClientWidth(), height);
}

void TForm::SetClientSize(int width, int height) {
  HWND hwnd = Handle();
  // A minimised window has no client area to measure its frame by.
  if (!hwnd || IsIconic(hwnd)) return;
  width = std::max(width, 0);
  height = std::max(height, 0);
  // The frame is measured rather than computed, so a menu bar counts as
  // it really is; a menu bar that wraps anew at the new width changes the
  // frame, hence the second look.
  for (int attempt = 0; attempt < 3; ++attempt) {
    RECT window, client;
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    if (client.right == width && client.bottom == height) return;
    const int frame_width = (window.right - window.left) - client.right;
    const int frame_height = (window.bottom - window.top) - client.bottom;
    SetWindowPos(hwnd, nullptr, 0, 0, width + frame_width, height + frame_height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TForm::SetWidth(int width) {
  if (Handle()) {
    SetWindowPos(Handle(), nullptr, 0, 0, std::max(width, 0), Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TForm::SetHeight(int height) {
  if (Handle()) {
    SetWindowPos(Handle(), nullptr, 0, 0, Width(), std::max(height, 0),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// --- colour

void TForm::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Invalidate();
}

void TForm::EraseBackground(HDC dc) {
  const TColor rgb = ColorToRGB(color_ == clDefault ? clBtnFace : color_) & 0xFFFFFF;
  if (!brush_ || rgb != brush_rgb_) {
    brush_.Reset(CreateSolidBrush(static_cast<COLORREF>(rgb)));
    brush_rgb_ = rgb;
  }
  RECT r;
  GetClientRect(Handle(), &r);
  FillRect(dc, &r, brush_.Get());
}

// --- menu bar

void TForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) {
    menu_->form_ = nullptr;
    menu_->SetShowing(false);
  }
  // A menu bar shows on one form at a time.
  if (menu && menu->form_) menu->form_->SetMenu(nullptr);
  menu_ = menu;
  if (menu_) menu_->form_ = this;
  MenuChanged();
}

void TForm::MenuChanged() {
  if (Handle()) ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
  Perform(CM_MENUCHANGED, 0, 0);
}

void TForm::MenuDestroying(TMainMenu* menu) {
  if (menu != menu_) return;
  menu_ = nullptr;
  MenuChanged();
}

bool TForm::RouteMenuMessage(TMessage& m) {
  if (!menu_) return false;
  switch (m.Msg) {
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (m.WParam != 0 || measure->CtlType != ODT_MENU) return false;
      if (!menu_->DispatchMeasureItem(*measure)) return false;
      m.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
      if (m.WParam != 0 || draw->CtlType != ODT_MENU) return false;
      if (!menu_->DispatchDrawItem(*draw)) return false;
      m.Result = TRUE;
      return true;
    }
    case WM_COMMAND:
      // Menus send code 0 and no control window.
      if (HIWORD(m.WParam) != 0 || m.LParam != 0) return false;
      if (!menu_->DispatchCommand(LOWORD(m.WParam))) return false;
      m.Result = 0;
      return true;
    default:
      return false;
  }
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      m.Result = 0;
      return;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(m.WParam));
      m.Result = 1;
      return;
    case WM_NCCREATE:
      // The system scales the standard frame, caption and menu bar of a
      // top-level window with its DPI (where it does not by itself).
      if (!(reinterpret_cast<const CREATESTRUCTW*>(m.LParam)->style & WS_CHILD)) {
        EnableNonClientDpiScalingFor(Handle());
      }
      break;
    case kWmDpiChanged:
      // The form moved to a monitor of another DPI: everything grows or
      // shrinks with it, into the rectangle the system suggests.
      ApplyDpi(LOWORD(m.WParam), reinterpret_cast<const RECT*>(m.LParam));
      m.Result = 0;
      return;
    case kWmGetDpiScaledSize:
      // Asked before a move to a monitor of another DPI: the client keeps
      // its size in units (the frame may scale otherwise).
      *reinterpret_cast<SIZE*>(m.LParam) = ScaledWindowSize(LOWORD(m.WParam));
      m.Result = TRUE;
      return;
    case WM_ENTERMENULOOP:
      // The menu bar's handle stays as it is while one of its menus shows;
      // changes made meanwhile reach the window when the menus close.
      if (menu_ && !m.WParam) menu_->SetShowing(true);
      break;
    case WM_EXITMENULOOP:
      if (menu_ && !m.WParam) {
        menu_->SetShowing(false);
        if (menu_->Stale()) MenuChanged();
      }
      break;
    case WM_ACTIVATE:
      // Activated again (after a dialog, say): the focus goes back to the
      // control that had it, as in a dialog, not to the form itself.
      if (LOWORD(m.WParam) != WA_INACTIVE && !HIWORD(m.WParam) && RestoreFocus()) {
        m.Result = 0;
        return;
      }
      break;
    case WM_SETFOCUS: {
      // The focus arrives from outside the form: on to its control. (A
      // control of the form handing the focus to the form keeps it there.)
      HWND from = reinterpret_cast<HWND>(m.WParam);
      if (from != Handle() && !IsChild(Handle(), from) && RestoreFocus()) {
        m.Result = 0;
        return;
      }
      break;
    }
    case WM_DESTROY:
      // Destroyed from outside: the window must not take the menu handle
      // with it.
      if (menu_) ::SetMenu(Handle(), nullptr);
      break;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_COMMAND:
      if (RouteMenuMessage(m)) return;
      break;
    case CM_RELEASECHILD:
      ReleaseChild(reinterpret_cast<HWND>(m.LParam));
      m.Result = 0;
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// --- MDI

void TForm::ReleaseChild(HWND child) {
  if (!frame_client_ || !child || GetParent(child) != frame_client_) return;
  TForm* form = nullptr;
  for (int i = 0; i < Screen().FormCount(); ++i) {
    if (Screen().Forms(i) && Screen().Forms(i)->Handle() == child) form = Screen().Forms(i);
  }
  if (!form || !form->IsMdiChild()) return;
  if (TComponent* owner = form->Owner()) {
    // Dropped here, the form leaves through the client (its destructor).
    const std::unique_ptr<TComponent> gone = owner->RemoveComponent(form);
  } else {
    // Held by its maker, who frees it; the window goes now.
    SendMessageW(frame_client_, WM_MDIDESTROY, reinterpret_cast<WPARAM>(child), 0);
  }
}

// --- focus

void TForm::ControlFocused(TWinControl& control) {
  active_control_ = control.Handle();
}

bool TForm::RestoreFocus() {
  HWND target = active_control_;
  if (!target || !IsWindow(target) || !IsChild(Handle(), target)) return false;
  // Hidden or greyed, by itself or by a container: the form keeps the focus.
  for (HWND w = target; w && w != Handle(); w = GetParent(w)) {
    if (!IsWindowVisible(w) || !IsWindowEnabled(w)) return false;
  }
  SetFocus(target);
  return GetFocus() == target;
}

void TForm::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Int(
      "Width", [this] { return Width(); },
      [this](std::int64_t v) { SetWidth(static_cast<int>(v)); });
  table.Int(
      "Height", [this] { return Height(); },
      [this](std::int64_t v) { SetHeight(static_cast<int>(v)); });
  table.Int(
      "ClientWidth", [this] { return ClientWidth(); },
      [this](std::int64_t v) { SetClientWidth(static_cast<int>(v)); });
  table.Int(
      "ClientHeight", [this] { return ClientHeight(); },
      [this](std::int64_t v) { SetClientHeight(static_cast<int>(v)); });
  table.Int(
      "Color", [this] { return color_; },
      [this](std::int64_t v) { SetColor(static_cast<TColor>(v)); });
  table.Enum(
      "BorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog"},
      [this] { return static_cast<std::int64_t>(border_style_); },
      [this](std::int64_t v) { SetBorderStyle(static_cast<TFormBorderStyle>(v)); });
  table.Int(
      "BorderIcons", [this] { return border_icons_.ToBits(); },
      [this](std::int64_t v) { SetBorderIcons(TBorderIcons(static_cast<std::uint8_t>(v))); });
  table.Object("Menu", [this]() -> TPersistent* { return menu_; });
}
