#include "skin/form/WinSkinForm.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "framework/Dpi.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "framework/Persistent.h"
#include "framework/Subclass.h"
#include "skin/controls/SkinControl.h"
#include "skin/controls/SkinEdit.h"
#include "skin/data/SkinManage.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/CaptionButtons.h"
#include "skin/form/ControlWalk.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/SystemVersion.h"
#include "skin/menu/SkinMenuBar.h"
#include "skin/menu/SkinMenuItemMessages.h"
#include "skin/menu/SkinMenuOwnerDraw.h"

namespace {

constexpr UINT_PTR kEngineSubclassId = 0x534B;  // "SK"
constexpr UINT_PTR kClientSubclassId = 0x534C;
constexpr DWORD kCaptionBits = WS_CAPTION;
constexpr UINT kFrameChanged =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

HWND FindMdiClient(HWND window) {
  for (HWND child = GetTopWindow(window); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (AsciiLower(WindowClassName(child)) == "mdiclient") return child;
  }
  return nullptr;
}

// The caption font of the system's non-client metrics at `dpi`.
HFONT CaptionFontFor(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersForDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, dpi)) {
    return CreateFontIndirectW(&metrics.lfCaptionFont);
  }
  // The size without the padded border keeps the call valid on every
  // system from Windows 2000 on; the font comes at the system's DPI then.
  metrics = NONCLIENTMETRICSW{};
  metrics.cbSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) return nullptr;
  const int system = SystemDpi();
  if (dpi > 0 && system > 0 && dpi != system) {
    metrics.lfCaptionFont.lfHeight = MulDiv(metrics.lfCaptionFont.lfHeight, dpi, system);
  }
  return CreateFontIndirectW(&metrics.lfCaptionFont);
}

}  // namespace

TWinSkinForm::TWinSkinForm(TComponent* owner, TSkinManage& manager, HWND handle,
                           std::string class_name)
    : TComponent(owner), manager_(manager), handle_(handle), class_name_(std::move(class_name)) {
  dpi_ = WindowDpi(handle_);
  MakeCaptionFont();
  double_click_time_ = GetDoubleClickTime();
  SetName("");
}

TWinSkinForm::~TWinSkinForm() {
  // A window that outlives its engine gets its own procedure back.
  ReleaseHooks();
  controls_.clear();
  buttons_.clear();
  manager_.RemoveSkinForm(this);
}

// --- attaching ------------------------------------------------------------

void TWinSkinForm::AttachForm(TSkinData* data, TForm* form) {
  form_ = form;
  if (data->OnBeforeSkinForm) {
    data->OnBeforeSkinForm(form, reinterpret_cast<TWindowHandle>(handle_), class_name_);
  }
  if (data->SkinControls().Contains(xcMenuItem)) SetPropText(*form, "AutoScroll", "False");
  AttachWindow(data);
  // The form's popup menus draw their items with the skin.
  if (data->SkinControls().Contains(xcPopupMenu)) SetPopupOwnerDraw(*form, *data, true);
  if (frame_skinned_ && !form_hook_.Installed()) {
    form_hook_.Install(form->WindowProc, [this](TMessage& m) { FormHook(m); });
  }
  // The skinned bar's drop-downs draw their items with the skin.
  if (menu_bar_) SetMainMenuOwnerDraw(*form, *data, true);
  SetFormColour(true);
}

void TWinSkinForm::AttachWindow(TSkinData* data) {
  if (subclass_.Installed()) return;
  manager_.SetStartCounter(1);
  skin_data_ = data;
  hover_timer_ = MakeComponent<TTimer>();
  hover_timer_->SetEnabled(false);
  hover_timer_->SetInterval(250);
  hover_timer_->OnTimer = [this](TObject*) {
    try {
      OnHoverTimer();
    } catch (...) {
      // Swallowed: the engine never reports.
    }
  };

  frame_skinned_ = data->SkinControls().Contains(xcMainMenu);
  window_style_ = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
  right_to_left_ = (ex_style & WS_EX_LEFTSCROLLBAR) != 0;
  child_window_ = (window_style_ & WS_CHILD) != 0;
  owner_window_ = GetWindow(handle_, GW_OWNER);

  border_icons_ = 0;
  if ((window_style_ & WS_SYSMENU) || system_menu_) border_icons_ |= kIconSystemMenu;
  if (window_style_ & WS_MINIMIZEBOX) border_icons_ |= kIconMinimize;
  if (window_style_ & WS_MAXIMIZEBOX) border_icons_ |= kIconMaximize;
  UpdateShowState();
  sizable_ = (window_style_ & WS_THICKFRAME) != 0;

  mdi_kind_ = mkNone;
  if (HWND client = FindMdiClient(handle_)) {
    mdi_kind_ = mkFrame;
    mdi_client_ = client;
    manager_.SetMdiClient(client, form_);
  } else if (ex_style & WS_EX_MDICHILD) {
    mdi_kind_ = mkChild;
    if (data->Options().Contains(xoMDIChildBorder)) frame_skinned_ = false;
  }

  frame_kind_ = fkSingle;
  if ((window_style_ & kCaptionBits) != kCaptionBits) {
    frame_kind_ = fkNone;
  } else if (window_style_ & WS_THICKFRAME) {
    frame_kind_ = fkSizable;
  } else if (window_style_ & DS_MODALFRAME) {
    frame_kind_ = fkDialog;
  }
  if (ex_style & WS_EX_DLGMODALFRAME) frame_kind_ = fkDialog;
  system_dialog_ = class_name_ == "#32770" || class_name_ == "TMessageForm";
  if (system_dialog_) frame_kind_ = fkDialog;
  // A frame the skin cannot give (missing or broken images, sizes that
  // leave no client area) is not applied: the window keeps its own frame,
  // caption and buttons, and only its controls are skinned.
  if (frame_skinned_ && !SkinFrameUsable()) frame_skinned_ = false;

  // Where the system takes the caption's look from the style, the engine
  // takes the caption bits away while it draws the caption itself.
  const TSystemVersion version = SystemVersion();
  if (version.major >= 5 && version.minor == 0) {
    if ((ex_style & WS_EX_APPWINDOW) && version.nt) border_icons_ |= kIconNativeCaption;
    if (!owner_window_ && !IsMdiChild()) border_icons_ |= kIconNativeCaption;
  }

  if (manager_.HideWhileSkinning() && !child_window_ && frame_skinned_ && frame_kind_ != fkNone) {
    window_style_ &= ~WS_VISIBLE;
    SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(window_style_));
  }
  if (!version.nt) {
    TSkinControlTypes controls = data->SkinControls();
    controls.Exclude(xcSystemMenu);
    data->SetSkinControls(controls);
  }
  if (mdi_kind_ == mkFrame) {
    saved_menu_update_ = data->MenuUpdate();
    HookClient();
  }

  subclass_.Install(handle_, &TWinSkinForm::SubclassProc, kEngineSubclassId,
                    reinterpret_cast<DWORD_PTR>(this));

  if (frame_skinned_) {
    SetSystemRendering(true);
    initial_menu_ = GetMenu(handle_);
    if (initial_menu_ && !IsMdiChild()) {
      menu_bar_height_ = TWinSkinMenu::LineHeight(dpi_);
      menu_bar_ =
          std::make_unique<TWinSkinMenu>(*this, form_ ? form_->Menu() : nullptr, initial_menu_);
    }
    const bool keep_caption =
        (IsMdiChild() && manager_.MdiMaximized()) || show_state_ == ssMinimized;
    if (!keep_caption) SetCaptionStyle(false);
    BuildFrame();
    // The bar takes the menu off the window: the system draws and tracks
    // no menu bar of its own from now on.
    if (menu_bar_) menu_bar_->Rebuild(initial_menu_);
  } else {
    skin_state_ = ksActive;
  }

  if (IsMdiChild()) {
    const int system_line = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CXFRAME);
    if (system_line > metrics_.caption) menu_bar_height_ = system_line - metrics_.caption;
    if (show_state_ == ssMaximized && !manager_.MdiMaximized()) manager_.SetMdiMaximized(true);
  }
}

void TWinSkinForm::FinishSkin() {
  finished_ = true;
  system_menu_ = GetSystemMenu(handle_, FALSE);
  DrawIcon();

  RECT window{}, client{};
  GetWindowRect(handle_, &window);
  GetClientRect(handle_, &client);
  native_frame_ = {(window.right - window.left) - client.right,
                   (window.bottom - window.top) - client.bottom};
  client_rect_ = client;

  if (manager_.HideWhileSkinning()) {
    manager_.SetHideWhileSkinning(false);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
    if (!(style & WS_VISIBLE)) {
      SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(style | WS_VISIBLE));
    }
  }

  // The child controls get their skinning objects. A framework form made
  // as an MDI child was attached while its window was being created, before
  // the form knew its window: its controls are found through the form now.
  TForm* form = form_;
  if (!form && IsMdiChild()) form = dynamic_cast<TForm*>(TWinControl::FindControl(handle_));
  if (form) {
    SkinComponents(*this, *form);
  } else {
    SkinWindows(*this, handle_);
  }

  if (skin_state_ == ksAttached) {
    if (IsMdiChild()) {
      if (show_state_ == ssMaximized) {
        PostMessageW(manager_.MdiClient(), SKM_MDIREDRAW, reinterpret_cast<WPARAM>(handle_), 0);
      } else if (show_state_ == ssMinimized) {
        SetCaptionStyle(true);
      } else {
        skin_state_ = ksFinishResize;
        ResizeForFrame(false);
        skin_state_ = ksActive;
        UpdateRegion();
      }
    } else if (!child_window_ && frame_kind_ != fkNone && show_state_ != ssMinimized) {
      skin_state_ = ksFinishResize;
      ResizeForFrame(false);
      skin_state_ = ksActive;
      if (show_state_ == ssMaximized) {
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0, kFrameChanged);
      } else {
        UpdateRegion();
      }
      // A window skinned while it shows (the skin back after the system's
      // look) keeps the client bits where the client moved to, the
      // system's old frame among them: the client is drawn afresh.
      if (IsWindowVisible(handle_)) {
        RedrawWindow(handle_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      }
    }
  }

  SendMessageW(handle_, SKM_SKINNED, 0, kSkinMagic);
  if (skin_data_ && skin_data_->OnAfterSkinForm) {
    skin_data_->OnAfterSkinForm(form_, reinterpret_cast<TWindowHandle>(handle_), class_name_);
  }
  skin_state_ = ksActive;
  if (hover_timer_) hover_timer_->SetEnabled(true);
}

// --- detaching ------------------------------------------------------------

void TWinSkinForm::Detach() {
  if (!frame_skinned_) {
    DetachPlain();
    return;
  }
  // The system menu, the hover timer, the subclass and the skinned controls
  // go as at the window's end; the window's look comes back below.
  const bool hooked = subclass_.Installed();
  // The menu the bar took goes back to the window: the framework menu's
  // current one, or the last one the window had.
  HMENU menu = menu_bar_ ? menu_bar_->MenuHandle() : nullptr;
  ReleaseHooks();
  if (!hooked) return;
  if (form_ && form_->Menu()) menu = form_->Menu()->Handle();
  if (menu && IsMenu(menu) && !GetMenu(handle_)) ::SetMenu(handle_, menu);
  if (form_ && skin_state_ != ksDestroying) SetFormColour(false);
  SetSysMenuStyle(false);
  SetCaptionStyle(true);
  SetSystemRendering(false);
  // The system was not told of activations while the skin drew the
  // caption: its own caption is drawn in the window's real state.
  if (skin_state_ != ksDestroying) {
    const HWND active =
        IsMdiChild()
            ? reinterpret_cast<HWND>(SendMessageW(GetParent(handle_), WM_MDIGETACTIVE, 0, 0))
            : GetActiveWindow();
    SendMessageW(handle_, WM_NCACTIVATE, active == handle_ ? TRUE : FALSE, 0);
  }

  if (skin_state_ != ksDestroying && (IsMdiChild() || !(window_style_ & WS_CHILD))) {
    RECT r{};
    GetWindowRect(handle_, &r);
    POINT top_left{r.left, r.top};
    if (IsMdiChild()) ScreenToClient(GetParent(handle_), &top_left);
    const int client_width = (r.right - r.left) - metrics_.left - metrics_.right;
    const int client_height =
        (r.bottom - r.top) - metrics_.caption - menu_bar_height_ - metrics_.bottom;
    SetWindowPos(handle_, nullptr, top_left.x, top_left.y, client_width + native_frame_.cx,
                 client_height + native_frame_.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    // The native frame was measured without the menu bar the window has
    // got back (which may take more than one line): the client keeps its
    // size whatever the system's frame now holds.
    RECT client{};
    GetClientRect(handle_, &client);
    if (client.right != client_width || client.bottom != client_height) {
      SetWindowPos(handle_, nullptr, 0, 0,
                   client_width + native_frame_.cx + client_width - client.right,
                   client_height + native_frame_.cy + client_height - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  }
  // The system owns and frees a region once it has been given to the window.
  SetWindowRgn(handle_, nullptr, TRUE);
  region_set_ = false;
  region_ = nullptr;
  hot_object_ = nullptr;
}

void TWinSkinForm::DetachPlain() {
  if (hover_timer_) hover_timer_->SetEnabled(false);
  if (form_ && skin_data_) SetPopupOwnerDraw(*form_, *skin_data_, false);
  ReleaseControls();
  if (form_ && skin_state_ != ksDestroying) SetFormColour(false);
  subclass_.Remove();
  UnhookClient();
  if (form_ && skin_state_ != ksDestroying) {
    for (int i = 0; i < form_->ComponentCount(); ++i) {
      if (auto* control = dynamic_cast<TWinControl*>(form_->Components(i))) control->Invalidate();
    }
  }
}

void TWinSkinForm::ReleaseHooks() {
  if (!frame_skinned_) {
    if (subclass_.Installed()) DetachPlain();
    return;
  }
  // The system menu's loop may still run on the stack (the window ends
  // from a timer while it shows): the menu then goes with the engine.
  if (!system_menu_running_) system_popup_.reset();
  if (form_ && skin_data_) SetPopupOwnerDraw(*form_, *skin_data_, false);
  if (hover_timer_) hover_timer_->SetEnabled(false);
  // A bare window that ends takes no menu with it any more: the bar frees
  // the one it took.
  if (menu_bar_ && skin_state_ == ksDestroying) menu_bar_->DestroyTakenMenu();
  DropMenuBar();
  if (!subclass_.Installed()) return;
  UnhookForm();
  subclass_.Remove();
  // The drop-downs draw as before; the framework puts the menu made anew
  // for it back on the window, now that nothing takes it off. A window
  // that ends keeps no menu, or the system would destroy the framework's.
  if (form_ && form_->Menu() && skin_data_ && skin_state_ != ksDestroying &&
      HasItemPainter(*form_->Menu())) {
    SetMainMenuOwnerDraw(*form_, *skin_data_, false);
  }
  ReleaseControls();
  UnhookClient();
  hot_object_ = nullptr;
}

void TWinSkinForm::ReleaseControls() {
  for (auto& control : controls_) {
    if (control->LifeState() != slDestroyed) control->Restore();
  }
  controls_.clear();
}

void TWinSkinForm::ReapplySkin() {
  SetFormColour(true);
  if (form_) {
    for (int i = 0; i < form_->ComponentCount(); ++i) {
      if (auto* owned = dynamic_cast<TForm*>(form_->Components(i))) {
        owned->SetColor(skin_data_->Colours().ButtonFace);
      }
    }
  }
  for (auto& control : controls_) control->SkinChanged();
  skin_state_ = ksReapplying;
  if (frame_skinned_ && show_state_ != ssMinimized && !child_window_) {
    // The client keeps its size, so its controls keep their places; the
    // frame, the region and everything inside are drawn once afresh.
    const int builds = region_builds_;
    ResizeForFrame(true);
    if (region_builds_ == builds) UpdateRegion(false);
    RedrawWindow(handle_, nullptr, nullptr,
                 RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  SendMessageW(handle_, SKM_SKINNED, 0, kSkinMagic);
  if (skin_data_->OnAfterSkinForm) {
    skin_data_->OnAfterSkinForm(form_, reinterpret_cast<TWindowHandle>(handle_), class_name_);
  }
  skin_state_ = ksActive;
}

void TWinSkinForm::SetFormColour(bool skinned) {
  if (!form_ || !skin_data_) return;
  if (skinned) {
    if (!colour_saved_) {
      saved_colour_ = form_->Color();
      colour_saved_ = true;
    }
    form_->SetColor(skin_data_->Colours().ButtonFace);
  } else if (colour_saved_) {
    form_->SetColor(saved_colour_);
    colour_saved_ = false;
  }
}

// Desktop composition would draw its own caption buttons under the mouse;
// a skinned frame switches that off and gives it back at Detach.
void TWinSkinForm::SetSystemRendering(bool skinned) {
  if (skinned == system_rendering_changed_) return;
  if (SetNonClientRendering(handle_, !skinned)) system_rendering_changed_ = skinned;
}

// --- skinned controls -----------------------------------------------------

bool TWinSkinForm::HasControl(const TSkinControl* control) const {
  return std::any_of(controls_.begin(), controls_.end(),
                     [control](const auto& held) { return held.get() == control; });
}

TSkinControl* TWinSkinForm::AddControl(std::unique_ptr<TSkinControl> control) {
  TSkinControl* added = control.get();
  if (added && !HasControl(added)) controls_.push_back(std::move(control));
  return added;
}

std::unique_ptr<TSkinControl> TWinSkinForm::RemoveControl(TSkinControl* control) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    if (it->get() == control) {
      std::unique_ptr<TSkinControl> taken = std::move(*it);
      controls_.erase(std::next(it).base());
      return taken;
    }
  }
  return nullptr;
}

void TWinSkinForm::PurgeControls() {
  std::erase_if(controls_, [](const std::unique_ptr<TSkinControl>& c) {
    return c->LifeState() == slDestroyed;
  });
}

void TWinSkinForm::MakeCaptionFont() {
  caption_font_.Reset(CaptionFontFor(dpi_));
}

bool TWinSkinForm::SkinFrameUsable() const {
  if (!skin_data_ || skin_data_->NotReady()) return false;
  if (frame_kind_ == fkNone) return true;
  MONITORINFO info{};
  if (!MonitorOf(info)) return false;
  const RECT& area = info.rcWork;
  return FrameUsable(FrameMetricsOf(*skin_data_, frame_kind_, WindowDpi(handle_)),
                     area.right - area.left, area.bottom - area.top);
}

// --- styles ---------------------------------------------------------------

void TWinSkinForm::SetCaptionStyle(bool show) {
  if (!(border_icons_ & kIconNativeCaption)) return;
  auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  const DWORD wanted = show ? (style | kCaptionBits) : (style & ~kCaptionBits);
  if (wanted != style) SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(wanted));
  window_style_ = wanted;
}

void TWinSkinForm::SetSysMenuStyle(bool remove) {
  if (border_icons_ & kIconNativeCaption) return;
  auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  if (!remove && !(border_icons_ & kIconSystemMenu)) return;
  if (remove || system_menu_) {
    const DWORD wanted = remove ? (style & ~WS_SYSMENU) : (style | WS_SYSMENU);
    if (wanted != style) SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(wanted));
    style = wanted;
  }
  window_style_ = style;
}

void TWinSkinForm::UpdateShowState() {
  // Read from the style, as the window's placement reports it too (asking
  // for the placement also reckons the window's monitor: under Wine a
  // check of the display settings, three round trips to the window server,
  // at every move).
  if (!IsWindow(handle_)) return;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  show_state_ = (style & WS_MINIMIZE)   ? ssMinimized
                : (style & WS_MAXIMIZE) ? ssMaximized
                                        : ssNormal;
}

// --- MDI client -----------------------------------------------------------

void TWinSkinForm::HookClient() {
  if (client_subclass_.Installed() || !mdi_client_) return;
  client_subclass_.Install(mdi_client_, &TWinSkinForm::ClientSubclassProc, kClientSubclassId,
                           reinterpret_cast<DWORD_PTR>(this));
}

void TWinSkinForm::UnhookClient() {
  client_subclass_.Remove();
}

LRESULT CALLBACK TWinSkinForm::ClientSubclassProc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                                  DWORD_PTR ref) {
  auto* self = reinterpret_cast<TWinSkinForm*>(ref);
  if (msg == WM_NCDESTROY) {
    const LRESULT result = self->client_subclass_.PassOn(msg, wp, lp);
    self->UnhookClient();
    return result;
  }
  TMessage m{msg, wp, lp, 0};
  const TCall call(*self);
  try {
    self->ClientDispatch(m);
  } catch (...) {
    // Swallowed: the engine never reports.
  }
  return m.Result;
}

void TWinSkinForm::ClientDispatch(TMessage& m) {
  auto previous = [&] { m.Result = client_subclass_.PassOn(m.Msg, m.WParam, m.LParam); };
  switch (m.Msg) {
    case WM_NCCALCSIZE:
      if (frame_skinned_ && !skin_data_->Options().Contains(xoMDIScrollbar)) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(mdi_client_, GWL_STYLE));
        SetWindowLongPtrW(mdi_client_, GWL_STYLE,
                          static_cast<LONG_PTR>(style & ~(WS_VSCROLL | WS_HSCROLL)));
      }
      previous();
      return;
    case WM_MDICREATE:
      skin_data_->SetMenuUpdate(false);
      previous();
      return;
    case WM_MDIDESTROY: {
      previous();
      if (!frame_skinned_) return;
      BOOL maximized = FALSE;
      const auto active = reinterpret_cast<HWND>(
          SendMessageW(mdi_client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
      manager_.SetMdiMaximized(active && maximized);
      if (!active && menu_bar_) {
        skin_data_->SetMenuUpdate(saved_menu_update_);
        menu_bar_->Rebuild();
        PaintFrame(nullptr);
      }
      return;
    }
    case WM_MDIMAXIMIZE:
    case WM_MDIRESTORE:
    case WM_MDIACTIVATE:
    case WM_MDINEXT: {
      previous();
      if (!frame_skinned_ || !menu_bar_) return;
      // A maximised child's caption buttons stand in the frame's menu line
      // while it is the active one.
      BOOL maximized = FALSE;
      const auto active = reinterpret_cast<HWND>(
          SendMessageW(mdi_client_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized)));
      manager_.SetMdiMaximized(active && maximized);
      PaintFrame(nullptr);
      return;
    }
    case WM_MDITILE:
    case WM_MDICASCADE:
      if (frame_skinned_ && manager_.MdiMaximized()) manager_.SetMdiMaximized(false);
      previous();
      return;
    case WM_MDISETMENU:
      previous();
      if (!frame_skinned_) return;
      if (m.WParam && menu_bar_) {
        menu_bar_->RebuildMdi();
        PaintFrame(nullptr);
      }
      SetMenu(handle_, nullptr);
      return;
    default:
      break;
  }
  if (m.Msg == SKM_MDIREDRAW) {
    RedrawWindow(mdi_client_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    m.Result = 0;
    return;
  }
  previous();
}

// --- dispatch -------------------------------------------------------------

LRESULT CALLBACK TWinSkinForm::SubclassProc(HWND, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                            DWORD_PTR ref) {
  auto* self = reinterpret_cast<TWinSkinForm*>(ref);
  TMessage m{msg, wp, lp, 0};
  bool passed = false;
  const TCall call(*self);
  bool* outer = std::exchange(self->passed_on_, &passed);
  try {
    self->Dispatch(m);
  } catch (...) {
    // A failure of the skinning never reaches the system: the window goes
    // on with its own procedure.
    if (!passed) {
      try {
        m.Result = self->subclass_.PassOn(msg, wp, lp);
      } catch (...) {
      }
    }
  }
  self->passed_on_ = outer;
  return m.Result;
}

void TWinSkinForm::CallPrevious(TMessage& m) {
  if (passed_on_) *passed_on_ = true;
  m.Result = subclass_.PassOn(m.Msg, m.WParam, m.LParam);
}

void TWinSkinForm::Dispatch(TMessage& m) {
  if (DispatchStage1(m)) return;
  if (!frame_skinned_) {
    CallPrevious(m);
    return;
  }
  if (DispatchStage2(m)) return;
  DispatchStage3(m);
}

// Messages every engine handles, whether it draws the frame or not. Answers
// true when the message has been dealt with.
bool TWinSkinForm::DispatchStage1(TMessage& m) {
  switch (m.Msg) {
    case WM_NCPAINT:
      if (skin_state_ != ksAttached) return false;
      m.Result = 0;
      return true;
    case WM_ERASEBKGND:
      CallPrevious(m);
      if (IsBareWindow() && skin_data_->FaceBrush()) {
        RECT r{};
        GetClientRect(handle_, &r);
        FillRect(reinterpret_cast<HDC>(m.WParam), &r,
                 static_cast<HBRUSH>(skin_data_->FaceBrush()->Handle()));
        m.Result = 1;
      }
      return true;
    case WM_NCDESTROY:
      skin_state_ = ksDestroying;
      ReleaseHooks();
      CallPrevious(m);
      skin_state_ = ksDestroyed;
      return true;
    case WM_NCACTIVATE:
      if (skin_state_ != ksAttached || IsMdiChild()) return false;
      // Nothing is drawn yet; a deactivation is not refused for it.
      m.Result = 1;
      return true;
    case WM_NCUAHDRAWCAPTION_SKIN:
    case WM_NCUAHDRAWCAPTION_SKIN + 1:
      if (!frame_skinned_) return false;
      m.Result = 0;
      return true;
    case WM_NOTIFY:
      CallPrevious(m);
      if (IsBareWindow()) ColourToolbarText(m);
      return true;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      // Menu items no framework menu answers for: the skinned painter.
      if (!HandleMenuItemMessage(*this, m.Msg, m.LParam, m.Result)) CallPrevious(m);
      return true;
    case WM_INITMENUPOPUP:
      manager_.SetPopupKind(reinterpret_cast<HMENU>(m.WParam) == system_menu_ ? pkSystemMenu
                                                                              : pkFormMenu);
      CallPrevious(m);
      return true;
    case WM_CTLCOLOREDIT:
      // A bare window's skinned edits show the skin's content colours.
      if (IsBareWindow() && AnswerEditColour(*this, m)) return true;
      break;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
      // Read-only and disabled edits ask here too.
      if (m.Msg == WM_CTLCOLORSTATIC && IsBareWindow() && AnswerEditColour(*this, m)) return true;
      CallPrevious(m);
      // A bare window takes the skin's face: its texts (static texts,
      // check-box, radio and group captions) take the skin's text colour
      // on it. Edits and lists keep the system's window colours and text.
      if (IsBareWindow() && skin_data_->FaceBrush()) {
        const auto dc = reinterpret_cast<HDC>(m.WParam);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(skin_data_->Colours().ButtonText)));
        m.Result = reinterpret_cast<LRESULT>(skin_data_->FaceBrush()->Handle());
      }
      return true;
    default:
      break;
  }
  if (m.Msg == SKM_FINISHSKIN) {
    FinishSkin();
    m.Result = 0;
    return true;
  }
  if (m.Msg == SKM_ISSKINNED) {
    m.Result = 1;
    return true;
  }
  if (m.Msg == SKM_USESCROLLBAR) {
    UseScrollbar(*this, reinterpret_cast<HWND>(m.WParam));
    m.Result = 0;
    return true;
  }
  return false;
}

// Messages of a skinned frame that every state sees. Answers true when the
// message has been dealt with; false lets it go on to the third stage.
bool TWinSkinForm::DispatchStage2(TMessage& m) {
  if (!IsMdiChild() && (window_style_ & WS_CHILD)) {
    CallPrevious(m);
    return true;
  }
  switch (m.Msg) {
    case WM_SIZE:
      OnSize(m);
      return true;
    case WM_ACTIVATE:
    case WM_NCACTIVATE:
      active_ = LOBYTE(LOWORD(m.WParam)) != 0;
      return false;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(m);
      return true;
    case WM_SETTINGCHANGE:
    case WM_DISPLAYCHANGE:
      // Task bars may have moved or changed their hiding.
      auto_hide_.known = false;
      return false;
    case WM_DPICHANGED:
      OnDpiChanged(m);
      return true;
    case kWmGetDpiScaledSize: {
      // Asked before a move to a monitor of another DPI: the client area
      // scaled, inside the frame as the skin draws it at that DPI (each
      // part is scaled on its own, so the frame does not grow by the ratio
      // as a whole, and a size reckoned that way would cut the client).
      const int dpi = LOWORD(m.WParam);
      if (IsMdiChild() || show_state_ != ssNormal || !skin_data_ || skin_data_->NotReady() ||
          dpi <= 0 || dpi_ <= 0 || (skin_state_ != ksActive && skin_state_ != ksReapplying)) {
        return false;
      }
      RECT client{};
      GetClientRect(handle_, &client);
      const TFrameMetrics frame = FrameMetricsOf(*skin_data_, frame_kind_, dpi);
      const int line = menu_bar_ ? TWinSkinMenu::LineHeight(dpi) : 0;
      auto* size = reinterpret_cast<SIZE*>(m.LParam);
      // Through 96-DPI units, as a window made at that DPI has its client.
      const auto scaled = [&](int pixels) { return ScaleForDpi(UnscaleForDpi(pixels, dpi_), dpi); };
      size->cx = scaled(client.right) + frame.left + frame.right;
      size->cy = scaled(client.bottom) + frame.caption + line + frame.bottom;
      m.Result = TRUE;
      return true;
    }
    case WM_WINDOWPOSCHANGED:
      UpdateShowState();
      CallPrevious(m);
      // Kept on top or let go comes with a change of z-order.
      if (!(reinterpret_cast<const WINDOWPOS*>(m.LParam)->flags & SWP_NOZORDER)) {
        RepaintStateButtons();
      }
      return true;
    case WM_COMMAND:
      OnCommand(m);
      return true;
    case WM_SYSCOMMAND:
      OnSysCommand(m);
      return true;
    case WM_SETTEXT:
      if (!IsBareWindow()) return false;
      OnSetText(m, [this](TMessage& message) { CallPrevious(message); });
      return true;
    default:
      break;
  }
  if (m.Msg == SKM_MENUPOPUP) {
    OnMenuPopupMessage(m);
    return true;
  }
  if (m.Msg == CM_MENUCHANGED_SKIN) {
    OnMenuChanged(m, [this](TMessage& message) { CallPrevious(message); });
    return true;
  }
  if (m.Msg == WM_UPDATEUISTATE || m.Msg == WM_CHANGEUISTATE) {
    // Access-key underlines show or hide in the bar as in the controls.
    CallPrevious(m);
    if (menu_bar_ && CanPaintFrame()) menu_bar_->Repaint();
    return true;
  }
  return false;
}

void TWinSkinForm::DispatchStage3(TMessage& m) {
  const bool maximized_child = IsMdiChild() && show_state_ == ssMaximized;
  if (skin_state_ == ksAttached || maximized_child) {
    CallPrevious(m);
    return;
  }
  switch (m.Msg) {
    case WM_WINDOWPOSCHANGING:
      OnWindowPosChanging(m);
      return;
    case WM_NCCALCSIZE:
      OnNcCalcSize(m);
      return;
    case WM_NCHITTEST:
      OnNcHitTest(m);
      return;
    case WM_NCPAINT:
      OnNcPaint(m);
      return;
    case WM_NCACTIVATE:
      OnNcActivate(m);
      return;
    case WM_NCMOUSEMOVE:
      OnNcMouseMove(m);
      return;
    case WM_NCMOUSELEAVE:
      OnNcMouseLeave(m);
      return;
    case WM_NCLBUTTONDOWN:
      OnNcLButtonDown(m);
      return;
    case WM_NCLBUTTONUP:
      OnNcLButtonUp(m);
      return;
    case WM_NCLBUTTONDBLCLK:
      OnNcLButtonDblClk(m);
      return;
    case WM_NCRBUTTONDOWN:
    // A second right click soon after the first arrives as a double click;
    // it is the second click the system menu rule waits for.
    case WM_NCRBUTTONDBLCLK:
      OnNcRButtonDown(m);
      return;
    default:
      break;
  }
  if (m.Msg == SKM_PAINTFRAME) {
    PaintFrame(nullptr);
    m.Result = 0;
    return;
  }
  CallPrevious(m);
}

// A flat tool bar of a bare window (the file dialog's places) shows the
// skin's face through it: its labels take the skin's text colour too.
void TWinSkinForm::ColourToolbarText(TMessage& m) {
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  if (!header || header->code != static_cast<UINT>(NM_CUSTOMDRAW)) return;
  if (AsciiLower(WindowClassName(header->hwndFrom)) != "toolbarwindow32") return;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(header->hwndFrom, GWL_STYLE));
  if (!(style & (TBSTYLE_FLAT | TBSTYLE_TRANSPARENT))) return;
  auto* draw = reinterpret_cast<NMTBCUSTOMDRAW*>(m.LParam);
  if (draw->nmcd.dwDrawStage == CDDS_PREPAINT) {
    m.Result |= CDRF_NOTIFYITEMDRAW;
  } else if (draw->nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
             !(draw->nmcd.uItemState & (CDIS_DISABLED | CDIS_GRAYED))) {
    draw->clrText = static_cast<COLORREF>(ColorToRGB(skin_data_->Colours().ButtonText));
  }
}

void TWinSkinForm::FormHook(TMessage& m) {
  // The form's window method runs the engine's layer: the engine stays
  // while the call lasts.
  const TCall call(*this);
  switch (m.Msg) {
    case WM_SETTEXT:
      OnSetText(m, form_hook_.Previous());
      return;
    case WM_NCDESTROY:
      // The window's layer sees the end first and takes this hook off: the
      // end comes here only when somebody cut the layer off the window (put
      // back a procedure saved before ours). The engine still ends with its
      // window, while the form is whole, instead of touching it later.
      form_hook_.CallPrevious(m);
      if (skin_state_ != ksDestroying && skin_state_ != ksDestroyed) {
        skin_state_ = ksDestroying;
        ReleaseHooks();
        skin_state_ = ksDestroyed;
      }
      return;
    default:
      break;
  }
  // The framework tells its form of a new menu through the form's window
  // method, never through the window's procedure.
  if (m.Msg == CM_MENUCHANGED_SKIN) {
    try {
      OnMenuChanged(m, form_hook_.Previous());
    } catch (...) {
      // Swallowed: the engine never reports.
    }
    return;
  }
  if (m.Msg == CM_DIALOGCHAR_SKIN) {
    form_hook_.CallPrevious(m);
    if (m.Result != 0) return;
    try {
      OnDialogChar(m);
    } catch (...) {
      // Swallowed: the engine never reports.
    }
    return;
  }
  if (m.Msg == SKM_RECOLOR) {
    try {
      ReapplySkin();
    } catch (...) {
      // Swallowed: the engine never reports.
    }
    m.Result = 0;
    return;
  }
  if (m.Msg == SKM_PAINTNC) {
    if (m.LParam == kSkinMagic) {
      try {
        if (m.WParam) PaintFrame(reinterpret_cast<HDC>(m.WParam));
      } catch (...) {
        // A frame that cannot be painted is left as it is.
      }
      m.Result = kSkinMagic;
    }
    return;
  }
  if (m.Msg == SKM_QUERYNC) {
    m.Result = m.LParam == kSkinMagic ? kSkinMagic : 1;
    return;
  }
  form_hook_.CallPrevious(m);
}

void TWinSkinForm::UnhookForm() {
  if (form_) {
    form_hook_.Remove();
  } else {
    form_hook_.Orphan();
  }
}
