#include "skin/controls/SkinDateTime.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "framework/Dpi.h"
#include "skin/controls/SkinDateTimeColours.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"

namespace {
constexpr wchar_t kArrowClass[] = L"TonmillPickerArrow";
constexpr UINT kDpiChangedAfterParent = 0x02E3;

void RegisterArrowClass(WNDPROC procedure) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kArrowClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kArrowClass;
  RegisterClassExW(&wc);
}

const TDataSkinObject* WithImage(const TSkinData* data, TSkinSlot slot) {
  const TDataSkinObject* object = data ? data->Object(slot) : nullptr;
  return object && !object->Bitmap.Empty() ? object : nullptr;
}

COLORREF Rgb(TColor colour) {
  return static_cast<COLORREF>(ColorToRGB(colour) & 0xFFFFFF);
}

TColor System(int index) {
  const COLORREF c = GetSysColor(index);
  return RGBColour(GetRValue(c), GetGValue(c), GetBValue(c));
}

TColor Between(TColor a, TColor b, int percent_of_b) {
  a = ColorToRGB(a);
  b = ColorToRGB(b);
  auto mix = [&](int x, int y) { return x + (y - x) * percent_of_b / 100; };
  return RGBColour(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

// The parts of the calendar's colours the skin sets, in DTM_SETMCCOLOR's
// order.
constexpr int kCalendarParts[] = {MCSC_BACKGROUND, MCSC_TEXT,    MCSC_TITLEBK,
                                  MCSC_TITLETEXT,  MCSC_MONTHBK, MCSC_TRAILINGTEXT};
}  // namespace

// --- TArrowButton -------------------------------------------------------------

TArrowButton::TArrowButton(TSkinDateTime& owner, HWND picker)
    : owner_(owner), picker_(picker), size_(SystemMetricsForDpi(SM_CXHSCROLL, WindowDpi(picker))) {
  RegisterArrowClass(&TArrowButton::WndProc);
  window_ = CreateWindowExW(0, kArrowClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, picker,
                            nullptr, GetModuleHandleW(nullptr), this);
  if (!window_) return;
  Place();
  ShowWindow(window_, SW_SHOWNA);
}

TArrowButton::~TArrowButton() {
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void TArrowButton::Place() {
  if (!window_ || !IsWindow(picker_)) return;
  RECT client{};
  GetClientRect(picker_, &client);
  // Where the picker says its button is; else where pickers put it: at the
  // right, or at the left of a picker that reads right to left.
  DATETIMEPICKERINFO info{};
  info.cbSize = sizeof info;
  int left = 0, width = size_;
  if (SendMessageW(picker_, DTM_GETDATETIMEPICKERINFO, 0, reinterpret_cast<LPARAM>(&info)) &&
      info.rcButton.right > info.rcButton.left) {
    left = info.rcButton.left;
    width = info.rcButton.right - info.rcButton.left;
  } else if (!(GetWindowLongPtrW(picker_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR)) {
    left = client.right - size_;
  }
  SetWindowPos(window_, HWND_TOP, left, 0, width, client.bottom, SWP_NOACTIVATE);
}

void TArrowButton::Invalidate() const {
  if (window_) InvalidateRect(window_, nullptr, FALSE);
}

int TArrowButton::Cell() const {
  if (!IsWindowEnabled(picker_)) return 3;
  if (SendMessageW(picker_, DTM_GETMONTHCAL, 0, 0)) return 2;
  return hot_ ? 4 : 1;
}

LRESULT CALLBACK TArrowButton::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
    auto* made = static_cast<TArrowButton*>(create->lpCreateParams);
    made->window_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
  }
  auto* self = reinterpret_cast<TArrowButton*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->Handle(msg, wp, lp);
  } catch (...) {
    // A drawing fault leaves the arrow as it was.
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT TArrowButton::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_NCDESTROY: {
      // The picker is going, and the arrow with it.
      HWND gone = window_;
      SetWindowLongPtrW(gone, GWLP_USERDATA, 0);
      window_ = nullptr;
      return DefWindowProcW(gone, msg, wp, lp);
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = wp ? reinterpret_cast<HDC>(wp) : BeginPaint(window_, &ps);
      Paint(dc);
      if (!wp) EndPaint(window_, &ps);
      return 0;
    }
    case WM_MOUSEMOVE:
      if (!hot_ && IsWindowEnabled(picker_)) {
        hot_ = true;
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window_;
        TrackMouseEvent(&track);
        Invalidate();
      }
      return 0;
    case WM_MOUSELEAVE:
      hot_ = false;
      Invalidate();
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (!IsWindowEnabled(picker_)) return 0;
      // The picker gets the focus first, then the press at the same place
      // of its own button, which opens its calendar.
      if (GetFocus() != picker_) SetFocus(picker_);
      POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      MapWindowPoints(window_, picker_, &p, 1);
      PostMessageW(picker_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
      PostMessageW(picker_, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
      Invalidate();
      return 0;
    }
    case WM_LBUTTONUP:
      // The calendar, once open, keeps the focus it took.
      if (IsWindowEnabled(picker_) && !SendMessageW(picker_, DTM_GETMONTHCAL, 0, 0) &&
          GetFocus() != picker_) {
        SetFocus(picker_);
      }
      return 0;
    case WM_SETCURSOR:
      SetCursor(LoadCursorW(nullptr, IDC_ARROW));
      return TRUE;
    default:
      return DefWindowProcW(window_, msg, wp, lp);
  }
}

void TArrowButton::Paint(HDC dc) {
  RECT client{};
  GetClientRect(window_, &client);
  if (client.right <= 0 || client.bottom <= 0 || !buffer_.SetSize(client.right, client.bottom)) {
    return;
  }
  const TSkinData* data = owner_.Data();
  if (!data) return;
  const TRect all = buffer_.BoundsRect();
  buffer_.Fill(all, data->Colours().ButtonFace);
  const int cell = Cell();
  const int dpi = WindowDpi(picker_);
  if (const TDataSkinObject* arrow = WithImage(data, ssComboxArrow)) {
    // The built arrow image shows only hot and at rest.
    const int frames = std::max(1, arrow->Frame);
    DrawStripFrame(buffer_, all, frames, std::min(cell == 4 ? 4 : 1, frames), arrow->Bitmap, dpi);
  } else if (const TDataSkinObject* button = WithImage(data, ssComboButton)) {
    DrawStripFrame(buffer_, all, 4, cell, button->Bitmap, dpi);
    // The arrow glyph in the middle, at its own size for the DPI.
    if (const TDataSkinObject* glyphs = WithImage(data, ssExtraImages)) {
      const int frames = std::max(1, glyphs->Frame);
      const int w = glyphs->Bitmap.Width() / frames;
      if (cell <= frames && w > 0) {
        const int sw = SkinScale(w, dpi), sh = SkinScale(glyphs->Bitmap.Height(), dpi);
        DrawStripFrame(buffer_, Bounds((all.Width() - sw) / 2, (all.Height() - sh) / 2, sw, sh),
                       frames, cell, glyphs->Bitmap, dpi);
      }
    }
  }
  buffer_.CopyTo(dc, 0, 0);
}

// --- TSkinDateTime ------------------------------------------------------------

TSkinDateTime::~TSkinDateTime() {
  arrow_.reset();
  spin_.reset();
  retired_spin_.reset();
}

void TSkinDateTime::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                                bool change_colour) {
  if (initialized_) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  Attached();
}

void TSkinDateTime::InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) {
  if (initialized_) return;
  TSkinControl::InitWindow(window, data, form);
  Attached();
}

void TSkinDateTime::Attached() {
  MakeArrow();
  TakeSpin();
  TakeCalendarColours();
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  InvalidateRect(handle_, nullptr, TRUE);
}

bool TSkinDateTime::HasArrowImage() const {
  return WithImage(data_, ssComboxArrow) || WithImage(data_, ssComboButton);
}

bool TSkinDateTime::HasContentColours() const {
  if (!data_) return false;
  const TSkinColours& colours = data_->Colours();
  return colours.Window != clWindow || colours.WindowText != clWindowText;
}

void TSkinDateTime::MakeArrow() {
  // Pickers that choose with up-down arrows (times among them) have no
  // drop-down button.
  if (arrow_ || !HasArrowImage() || (Style() & DTS_UPDOWN)) return;
  ClipChildren();
  arrow_ = std::make_unique<TArrowButton>(*this, handle_);
  if (!arrow_->Handle()) arrow_.reset();
}

void TSkinDateTime::ClipChildren() {
  if (Style() & WS_CLIPCHILDREN) return;
  SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(Style() | WS_CLIPCHILDREN));
  clip_children_added_ = true;
}

void TSkinDateTime::TakeSpin() {
  if (spin_ || !(Style() & DTS_UPDOWN) || !form_ || !data_ ||
      !data_->SkinControls().Contains(xcSpin)) {
    return;
  }
  // The up-down control a picker with DTS_UPDOWN makes for itself.
  HWND found = UpDownChildOf(handle_);
  // One skinned already (by a program's own object) keeps its skinning.
  if (!found || SendMessageW(found, SKM_ISSKINNED, 0, 0) == 1) return;
  // The spin given back before is not running now: it goes before its
  // window is subclassed again.
  retired_spin_.reset();
  auto made = std::make_unique<TSkinUpDown>();
  // Its cells are drawn at the picker's DPI.
  if (control_) made->FollowDpiOf(*control_);
  try {
    made->InitWindow(found, *data_, *form_);
  } catch (...) {
    // A spin that cannot be skinned keeps its own look.
    return;
  }
  spin_ = std::move(made);
  ClipChildren();
  PlaceSpin();
}

void TSkinDateTime::PlaceSpin() {
  if (!spin_ || !IsWindow(spin_->Handle())) return;
  const HWND spin = spin_->Handle();
  RECT r{};
  GetWindowRect(spin, &r);
  MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&r), 2);
  // The picker sizes its arrows for 96 DPI, and a little narrower than
  // scroll arrows: they are made as wide as the system's scroll arrows at
  // the picker's DPI, so they can be hit at every DPI.
  const int want = SystemMetricsForDpi(SM_CXVSCROLL, Dpi());
  if (r.right - r.left >= want) return;
  RECT client{};
  GetClientRect(handle_, &client);
  // The arrows grow away from the picker's edge they stand at.
  const bool at_left = r.left < client.right - r.right;
  SetWindowPos(spin, nullptr, at_left ? r.left : r.right - want, r.top, want, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  spin_widened_ = true;
  InvalidateRect(handle_, nullptr, TRUE);
}

void TSkinDateTime::GiveSpinBack() {
  if (!spin_) return;
  const HWND spin = spin_->Handle();
  if (spin_->LifeState() != slDestroyed) {
    spin_->Restore();
    if (IsWindow(spin)) SendMessageW(spin, SKM_SKINSWITCH, 0, 0);
  }
  retired_spin_ = std::move(spin_);
  if (spin_widened_ && handle_ && IsWindow(handle_)) {
    // The picker places its arrows again as it does whenever it is sized.
    RECT client{};
    GetClientRect(handle_, &client);
    SendMessageW(handle_, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
  }
  spin_widened_ = false;
  if (IsWindow(spin)) InvalidateRect(spin, nullptr, TRUE);
}

void TSkinDateTime::TakeCalendarColours() {
  if (calendar_taken_ || !HasContentColours()) return;
  const TSkinColours& colours = data_->Colours();
  const TColor values[] = {colours.Window,  colours.WindowText,
                           colours.Hilight, colours.HilightText,
                           colours.Window,  Between(colours.Window, colours.WindowText, 55)};
  for (size_t i = 0; i < std::size(kCalendarParts); ++i) {
    old_calendar_[i] =
        static_cast<COLORREF>(SendMessageW(handle_, DTM_GETMCCOLOR, kCalendarParts[i], 0));
    SendMessageW(handle_, DTM_SETMCCOLOR, kCalendarParts[i], Rgb(values[i]));
  }
  calendar_taken_ = true;
}

void TSkinDateTime::GiveCalendarColoursBack() {
  if (!calendar_taken_) return;
  calendar_taken_ = false;
  if (!IsWindow(handle_)) return;
  for (size_t i = 0; i < std::size(kCalendarParts); ++i) {
    SendMessageW(handle_, DTM_SETMCCOLOR, kCalendarParts[i], old_calendar_[i]);
  }
}

void TSkinDateTime::Restore() {
  arrow_.reset();
  GiveSpinBack();
  GiveCalendarColoursBack();
  if (handle_ && IsWindow(handle_)) {
    if (clip_children_added_) {
      SetWindowLongPtrW(handle_, GWL_STYLE, static_cast<LONG_PTR>(Style() & ~WS_CLIPCHILDREN));
    }
    SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    InvalidateRect(handle_, nullptr, TRUE);
  }
  clip_children_added_ = false;
  TSkinControl::Restore();
}

void TSkinDateTime::SkinChanged() {
  // A skin with other content colours, or without an arrow image.
  GiveCalendarColoursBack();
  TakeCalendarColours();
  if (!HasArrowImage()) arrow_.reset();
  MakeArrow();
  if (arrow_) arrow_->Invalidate();
  if (!data_->SkinControls().Contains(xcSpin)) GiveSpinBack();
  TakeSpin();
  if (spin_) InvalidateRect(spin_->Handle(), nullptr, TRUE);
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  TSkinControl::SkinChanged();
}

bool TSkinDateTime::BeforeMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      // The field is filled as it is painted.
      if (!HasContentColours()) return true;
      m.Result = 1;
      return false;
    case WM_PAINT:
      if (!HasContentColours()) return true;
      PaintField(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return false;
    default:
      return TSkinControl::BeforeMessage(m);
  }
}

void TSkinDateTime::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_NCPAINT:
      PaintWindow(nullptr);
      return;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case kDpiChangedAfterParent:
      // The picker placed its own children anew.
      if (arrow_) arrow_->Place();
      PlaceSpin();
      if (m.Msg == kDpiChangedAfterParent) {
        // The spin's cells are drawn for the new DPI.
        if (spin_) InvalidateRect(spin_->Handle(), nullptr, TRUE);
        TSkinControl::AfterMessage(m);
      }
      return;
    case WM_NOTIFY:
    case CN_NOTIFY:
      // The calendar opened or closed: the arrow shows it.
      if (arrow_) arrow_->Invalidate();
      return;
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
      if (arrow_) arrow_->Invalidate();
      TSkinControl::AfterMessage(m);
      return;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinDateTime::PaintField(HDC given) {
  // The paint is ended however the drawing goes.
  struct TPaint {
    HWND window;
    bool begun;
    PAINTSTRUCT ps{};
    HDC dc = nullptr;
    TPaint(HWND w, HDC given) : window(w), begun(!given) {
      dc = given ? given : BeginPaint(window, &ps);
    }
    ~TPaint() {
      if (begun) EndPaint(window, &ps);
    }
  } paint(handle_, given);
  HDC dc = paint.dc;
  RECT client{};
  GetClientRect(handle_, &client);
  if (client.right > 0 && client.bottom > 0 && buffer_.SetSize(client.right, client.bottom)) {
    // The picker draws over its own background, as its erase would leave it.
    const bool enabled = IsWindowEnabled(handle_) != 0;
    buffer_.Fill(buffer_.BoundsRect(), System(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
    TMessage own_paint{WM_PAINT, reinterpret_cast<WPARAM>(buffer_.DC()), 0, 0};
    CallPrevious(own_paint);

    const TSkinColours& colours = data_->Colours();
    const TColor dim = Between(colours.Window, colours.WindowText, 55);
    const std::vector<TColourMove> moves = {
        {System(COLOR_WINDOW), System(COLOR_WINDOWTEXT), colours.Window, colours.WindowText},
        {System(COLOR_WINDOW), System(COLOR_GRAYTEXT), colours.Window, dim},
        {System(COLOR_BTNFACE), System(COLOR_GRAYTEXT), colours.Window, dim},
        {System(COLOR_HIGHLIGHT), System(COLOR_HIGHLIGHTTEXT), colours.Hilight,
         colours.HilightText},
    };
    // Only the field: the picker's own button, under the arrow or in its
    // own look, keeps its colours.
    int field_left = 0, field_right = client.right;
    if (arrow_ && arrow_->Handle()) {
      RECT arrow{};
      GetWindowRect(arrow_->Handle(), &arrow);
      MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&arrow), 2);
      if (arrow.left <= 0) {
        field_left = std::clamp<int>(arrow.right, 0, client.right);
      } else {
        field_right = std::clamp<int>(arrow.left, 0, client.right);
      }
    }
    const std::span<std::uint32_t> pixels = buffer_.Pixels();
    for (int y = 0; y < client.bottom && field_right > field_left; ++y) {
      MoveColours(pixels.subspan(static_cast<size_t>(y) * client.right + field_left,
                                 static_cast<size_t>(field_right - field_left)),
                  moves);
    }
    buffer_.CopyTo(dc, 0, 0);
  }
}

void TSkinDateTime::DrawTo(HDC dc, const TRect& rect) {
  RECT client{};
  GetClientRect(handle_, &client);
  // A picker without a border of its own keeps its look.
  if (client.right + 2 > rect.Width() || client.bottom + 2 > rect.Height()) return;
  const TSkinColours& colours = data_->Colours();
  TOwnedBrush shadow(CreateSolidBrush(Rgb(colours.ButtonShadow)));
  TOwnedBrush field(
      CreateSolidBrush(HasContentColours() ? Rgb(colours.Window) : RGB(255, 255, 255)));
  RECT r{rect.left, rect.top, rect.right, rect.bottom};
  FrameRect(dc, &r, shadow.Get());
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, field.Get());
}
