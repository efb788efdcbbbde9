// The skinned menu bar: reading the window's menu into buttons, their
// layout in the menu line, and painting the bar and single buttons.
#include "skin/menu/SkinMenuBar.h"

#include <algorithm>
#include <cwctype>

#include "framework/BitmapWin32.h"
#include "framework/Dpi.h"
#include "framework/Form.h"
#include "framework/GdiObjects.h"
#include "framework/Menus.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SystemVersion.h"
#include "skin/form/WinSkinForm.h"
#include "skin/menu/MenuFont.h"
#include "skin/menu/SkinMenuItemPainter.h"

namespace {

// Lengths at 96 DPI, scaled to the window's DPI where used.
// Space left and right of a caption inside its button.
constexpr int kButtonPadding = 10;
// Where the first button starts: after the bar image's cap, or from the
// bar's end without an image (or when the cap does not fit).
constexpr int kCapGap = 4;
constexpr int kCapGapRightToLeft = 8;
constexpr int kNarrowBarStart = 12;
constexpr int kPlainBarStart = 6;
// Space above and below the caption in the menu line, at the least.
constexpr int kLinePadding = 4;

// The frame around a hot or pressed button, `thickness` pixels wide.
void DrawHotFrame(HDC dc, RECT r, COLORREF colour, int thickness) {
  TOwnedBrush brush(CreateSolidBrush(colour));
  for (int i = 0; i < thickness && r.right > r.left && r.bottom > r.top; ++i) {
    FrameRect(dc, &r, brush.Get());
    InflateRect(&r, -1, -1);
  }
}

// The access key of a caption ("&File" has 'f'), lower case; 0 for none.
wchar_t AccessKey(const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {
      ++i;
      continue;
    }
    return static_cast<wchar_t>(std::towlower(caption[i + 1]));
  }
  return 0;
}

COLORREF Rgb(TColor colour) {
  return static_cast<COLORREF>(ColorToRGB(colour) & 0xFFFFFF);
}

}  // namespace

int TWinSkinMenu::Dpi() const {
  return engine_.Dpi();
}

int TWinSkinMenu::Scale(int value) const {
  return SkinScale(value, Dpi());
}

// Made again when the window moved to another DPI.
HFONT TWinSkinMenu::Font() {
  const int dpi = Dpi();
  if (!font_ || font_dpi_ != dpi) {
    font_ = MakeMenuFont(dpi);
    font_dpi_ = dpi;
  }
  return font_ ? font_.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int TWinSkinMenu::LineHeight(int dpi) {
  const int system = SystemMetricsForDpi(SM_CYMENU, dpi);
  const TOwnedFont font = MakeMenuFont(dpi);
  TWindowDC screen(nullptr);
  if (!font || !screen.Get()) return system;
  TSelectObject select(screen.Get(), font.Get());
  TEXTMETRICW metrics{};
  if (!GetTextMetricsW(screen.Get(), &metrics)) return system;
  return std::max(system, static_cast<int>(metrics.tmHeight) + SkinScale(kLinePadding, dpi));
}

// --- buttons --------------------------------------------------------------

void TMenuBtn::Paint() {
  bar_.PaintButton(*this);
}

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& engine, TMainMenu* menu, HMENU handle)
    : engine_(engine), menu_(menu), menu_handle_(handle) {}

TWinSkinMenu::~TWinSkinMenu() {
  RemoveHook();
  if (owns_handle_ && menu_handle_ && IsMenu(menu_handle_)) DestroyMenu(menu_handle_);
}

TMenuBtn* TWinSkinMenu::Button(int index) const {
  if (index < 0 || index >= ButtonCount()) return nullptr;
  return buttons_[static_cast<size_t>(index)].get();
}

void TWinSkinMenu::Clear() {
  // The engine's hot object may be one of ours.
  for (const auto& button : buttons_) {
    if (engine_.HotObject() == button.get()) engine_.SetHotObject(nullptr);
  }
  engine_.ForgetMenuButtons();
  buttons_.clear();
}

TMenuItem* TWinSkinMenu::ItemOf(UINT command) const {
  // The form's menu now; a menu that went away is not followed.
  TForm* form = engine_.Form();
  TMainMenu* menu = form ? form->Menu() : nullptr;
  if (!menu || menu != menu_) return nullptr;
  return menu->FindItem(command);
}

void TWinSkinMenu::Rebuild(HMENU handle) {
  if (TForm* form = engine_.Form()) {
    menu_ = form->Menu();
    if (!menu_) {
      Clear();
      return;
    }
  }
  const TSystemVersion version = SystemVersion();
  if (menu_ && version.nt ? version.major < 5 : (version.major == 4 && version.minor == 0)) {
    RebuildFromItems();
    return;
  }
  const HWND window = engine_.Handle();
  if (!handle) handle = GetMenu(window);
  if (handle) menu_handle_ = handle;
  if (!menu_handle_ || !IsMenu(menu_handle_)) return;
  Clear();
  const int count = GetMenuItemCount(menu_handle_);
  for (int i = 0; i < count; ++i) {
    auto button = ButtonFromHandle(i);
    if (!button) continue;
    if (TMenuItem* item = ItemOf(button->Command)) TakeItem(*button, *item);
    buttons_.push_back(std::move(button));
  }
  if (GetMenu(window)) SetMenu(window, nullptr);
  Layout();
}

std::unique_ptr<TMenuBtn> TWinSkinMenu::ButtonFromHandle(int position) {
  wchar_t text[80] = {};
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = static_cast<UINT>(std::size(text) - 1);
  if (!GetMenuItemInfoW(menu_handle_, static_cast<UINT>(position), TRUE, &info)) return nullptr;
  auto button = std::make_unique<TMenuBtn>(engine_, *this);
  button->Index = static_cast<int>(buttons_.size());
  button->Submenu = info.hSubMenu;
  button->Enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
  button->Visible = true;
  button->Command = info.wID;
  button->Bitmap = (info.fType & MFT_BITMAP) != 0;
  button->Caption = (info.fType & (MFT_SEPARATOR | MFT_BITMAP)) ? std::wstring() : text;
  return button;
}

void TWinSkinMenu::TakeItem(TMenuBtn& button, const TMenuItem& item) {
  button.Caption = item.Caption();
  button.Enabled = item.Enabled();
  if (item.Count() == 0) button.Submenu = nullptr;
}

void TWinSkinMenu::RebuildFromItems() {
  const HWND window = engine_.Handle();
  if (HMENU handle = GetMenu(window)) menu_handle_ = handle;
  if (!menu_) return;
  Clear();
  const TMenuItem& root = menu_->Items();
  for (int i = 0; i < root.Count(); ++i) {
    const TMenuItem& item = *root.Items(i);
    auto button = std::make_unique<TMenuBtn>(engine_, *this);
    button->Index = i;
    button->Visible = item.Visible();
    button->Enabled = item.Enabled();
    button->Command = item.Command();
    button->Caption = item.Caption();
    button->Submenu = nullptr;
    if (item.Count() > 0 && menu_handle_) {
      // The handle holds only the visible items, in order.
      int position = 0;
      for (int k = 0; k < i; ++k) position += root.Items(k)->Visible() ? 1 : 0;
      if (item.Visible()) button->Submenu = GetSubMenu(menu_handle_, position);
    }
    buttons_.push_back(std::move(button));
  }
  if (GetMenu(window)) SetMenu(window, nullptr);
  Layout();
}

void TWinSkinMenu::RebuildMdi() {
  const HWND window = engine_.Handle();
  if (HMENU handle = GetMenu(window)) menu_handle_ = handle;
  if (!menu_handle_ || !IsMenu(menu_handle_)) return;
  Clear();
  const int count = GetMenuItemCount(menu_handle_);
  for (int i = 0; i < count; ++i) {
    auto button = ButtonFromHandle(i);
    if (!button) continue;
    // A maximised child puts its system menu in front as a bitmap item:
    // it gets no button text, and the child's caption buttons stand in
    // the line instead.
    if (button->Caption.empty() && !button->Bitmap) {
      if (TMenuItem* item = ItemOf(button->Command)) TakeItem(*button, *item);
    }
    buttons_.push_back(std::move(button));
  }
  SetMenu(window, nullptr);
  Layout();
}

void TWinSkinMenu::DestroyTakenMenu() {
  owns_handle_ = !menu_ && menu_handle_ && !GetMenu(engine_.Handle());
}

// --- layout ---------------------------------------------------------------

bool TWinSkinMenu::RightToLeft() const {
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(engine_.Handle(), GWL_EXSTYLE));
  if (ex_style & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR)) return true;
  if (!menu_handle_ || !IsMenu(menu_handle_)) return false;
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE;
  return GetMenuItemInfoW(menu_handle_, 0, TRUE, &info) && (info.fType & MFT_RIGHTORDER);
}

TWinSkinMenu::TBarRect TWinSkinMenu::BarRect() const {
  RECT window{};
  GetWindowRect(engine_.Handle(), &window);
  const TFrameMetrics& m = engine_.Metrics();
  const int caption = m.caption;
  return TBarRect{m.left, caption, static_cast<int>(window.right - window.left) - m.right,
                  caption + engine_.MenuBarHeight()};
}

int TWinSkinMenu::StartOffset(const TBarRect& bar) const {
  const TDataSkinObject* object = engine_.SkinData()->Object(ssMenuBar);
  if (!object || object->Bitmap.Empty()) return Scale(kPlainBarStart);
  const int offset = RightToLeft() ? Scale(object->RightWidth) + Scale(kCapGapRightToLeft)
                                   : Scale(object->LeftWidth) + Scale(kCapGap);
  return bar.right - bar.left < offset ? Scale(kNarrowBarStart) : offset;
}

void TWinSkinMenu::Layout() {
  const TBarRect bar = BarRect();
  if (bar.right <= bar.left || bar.bottom <= bar.top) return;
  const bool rtl = RightToLeft();
  TWindowDC screen(nullptr);
  TSelectObject font(screen.Get(), Font());
  int x = rtl ? bar.right - StartOffset(bar) : bar.left + StartOffset(bar);
  for (const auto& button : buttons_) {
    if (!button->Visible) {
      button->Bounds = TRect{};
      continue;
    }
    int width = 0;
    if (!button->Caption.empty()) {
      RECT r{0, 0, 0, 0};
      DrawTextW(screen.Get(), button->Caption.c_str(), static_cast<int>(button->Caption.size()), &r,
                DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
      width = (r.right - r.left) + Scale(kButtonPadding);
    }
    const int left = rtl ? x - width : x;
    // A button past the bar's end is cut at the end; one wholly past it
    // cannot be hit (the keyboard still reaches it).
    TRect bounds{std::clamp(left, bar.left, bar.right), bar.top,
                 std::clamp(left + width, bar.left, bar.right), bar.bottom - 1};
    button->Bounds = bounds;
    x = rtl ? x - width : x + width;
  }
}

TMenuBtn* TWinSkinMenu::ButtonAt(POINT p) const {
  for (const auto& button : buttons_) {
    if (!button->Visible || button->Caption.empty()) continue;
    const TRect& b = button->Bounds;
    if (b.right > b.left && b.Contains(p.x, p.y)) return button.get();
  }
  return nullptr;
}

TMenuBtn* TWinSkinMenu::ButtonForKey(wchar_t key) const {
  const auto wanted = static_cast<wchar_t>(std::towlower(key));
  if (!wanted) return nullptr;
  for (const auto& button : buttons_) {
    if (button->Visible && button->Enabled && AccessKey(button->Caption) == wanted) {
      return button.get();
    }
  }
  return nullptr;
}

// --- painting -------------------------------------------------------------

void TWinSkinMenu::SetKeyboardCues(bool on) {
  if (on == keyboard_cues_) return;
  keyboard_cues_ = on;
  Repaint();
}

bool TWinSkinMenu::ShowsUnderlines() const {
  if (keyboard_cues_) return true;
  BOOL cues = TRUE;
  if (!SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &cues, 0) || cues) return true;
  const auto state = SendMessageW(engine_.Handle(), WM_QUERYUISTATE, 0, 0);
  return (state & UISF_HIDEACCEL) == 0;
}

void TWinSkinMenu::PaintButtonCaption(HDC dc, const TMenuBtn& button, const RECT& target) const {
  if (button.Caption.empty()) return;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, button.Enabled ? Rgb(engine_.SkinData()->Colours().MenuBarText)
                                  : GetSysColor(COLOR_GRAYTEXT));
  const bool underlines = ShowsUnderlines();
  const UINT prefix = underlines ? 0 : DT_NOPREFIX;
  const std::wstring caption = underlines ? button.Caption : WithoutAccessMarkers(button.Caption);
  const int length = static_cast<int>(caption.size());
  RECT measured{0, 0, 0, 0};
  DrawTextW(dc, caption.c_str(), length, &measured,
            DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | DT_CENTER | prefix);
  const int dx = ((target.right - target.left) - (measured.right - measured.left)) / 2;
  const int dy = ((target.bottom - target.top) - (measured.bottom - measured.top)) / 2;
  RECT r{target.left + dx, target.top + dy, target.left + dx + (measured.right - measured.left),
         target.top + dy + (measured.bottom - measured.top)};
  // A button cut at the bar's end keeps its text inside the button; the
  // caption itself is not clipped to its measured extent, which is its
  // advance: the ink of a last glyph may stand out of it (a closing bracket
  // of a CJK face).
  IntersectClipRect(dc, target.left, target.top, target.right, target.bottom);
  DrawTextW(dc, caption.c_str(), length, &r,
            DT_CENTER | DT_EXPANDTABS | DT_SINGLELINE | DT_NOCLIP | prefix);
  SelectClipRgn(dc, nullptr);
}

void TWinSkinMenu::Paint(HDC dc, const RECT& rect) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0 || painting_) return;
  painting_ = true;
  const TSkinData& data = *engine_.SkinData();
  TBitmap work;
  const TDataSkinObject* object = data.Object(ssMenuBar);
  const int dpi = Dpi();
  if (object && !object->Bitmap.Empty()) {
    const int cell = engine_.Active() ? 1 : 2;
    const TSkinMargins sides{std::max(object->LeftWidth, 0), 0, std::max(object->RightWidth, 0), 0};
    if (object->Tile == 1) {
      work = RenderSkinPart(width, height, object->Bitmap,
                            TSkinMargins{object->LeftWidth, object->TopHeight, object->RightWidth,
                                         object->BottomHeight},
                            true, false, 2, cell, dpi);
    } else {
      // Caps at both ends, the middle repeated along the bar at the cell's
      // own height (at the DPI), then brought to the bar's height.
      const int row_height = std::max(SkinScale(object->Bitmap.Height() / 2, dpi), 1);
      const TBitmap row =
          RenderSkinPart(width, row_height, object->Bitmap, sides, true, true, 2, cell, dpi);
      work = RenderSkinPart(width, height, row, TSkinMargins{}, false, false, 1, 1);
    }
  }
  if (work.Width() != width || work.Height() != height) {
    work.SetSize(width, height, data.Colours().Menubar);
  }
  bar_ = TBarRect{rect.left, rect.top, rect.right, rect.bottom};
  background_ = work;
  Layout();
  PaintMdiButtons(work, bar_);
  THBitmap dib = MakeDibSection(work);
  if (dib) {
    TBitmapDC memory(dib.Get());
    if (memory.Get()) {
      TSelectObject font(memory.Get(), Font());
      for (const auto& button : buttons_) {
        if (!button->Visible) continue;
        const TRect& b = button->Bounds;
        if (b.right <= b.left) continue;
        const RECT r{b.left - rect.left, b.top - rect.top, b.right - rect.left,
                     b.bottom - rect.top};
        if (button.get() == engine_.HotObject() &&
            (button->State == nsHot || button->State == nsPressed)) {
          DrawHotFrame(memory.Get(), r, Rgb(data.Colours().ButtonHilight), Scale(1));
        }
        PaintButtonCaption(memory.Get(), *button, r);
      }
      BitBlt(dc, rect.left, rect.top, width, height, memory.Get(), 0, 0, SRCCOPY);
    }
  }
  painting_ = false;
}

// The caption buttons of a maximised MDI child stand at the line's end.
void TWinSkinMenu::PaintMdiButtons(TBitmap& work, const TBarRect& bar) const {
  if (engine_.MdiKind() != mkFrame) return;
  for (int i = 0; i < engine_.CaptionButtonCount(); ++i) {
    const TWinSysButton& button = engine_.CaptionButton(i);
    const TDataSkinSysButton* d = button.Definition();
    if (!d || d->Visibility != 100 || !button.Visible || d->Bitmap.Empty()) continue;
    const int frames = FrameCount(d->Frame);
    const int cell_width = d->Bitmap.Width() / frames;
    int cell = 1;
    if (engine_.HotObject() == &button) cell = button.State == nsHot ? 4 : button.State;
    cell = std::clamp(cell, 1, frames);
    const TRect at = button.Bounds.Offset(-bar.left, -bar.top);
    if (at.Width() != cell_width || at.Height() != d->Bitmap.Height()) {
      // Shown at another DPI than the image's: scaled with the filter that
      // keeps the magenta outline.
      work.Draw(at.left, at.top, ScaleSkinCell(d->Bitmap, frames, cell, at.Width(), at.Height()),
                true, clFuchsia);
      continue;
    }
    work.CopyRect(at, d->Bitmap, Bounds((cell - 1) * cell_width, 0, cell_width, d->Bitmap.Height()),
                  true, clFuchsia);
  }
}

void TWinSkinMenu::Repaint() {
  const TBarRect bar = BarRect();
  if (bar.right <= bar.left || bar.bottom <= bar.top) return;
  if (!engine_.CanPaintFrame()) return;
  TWindowDC dc(engine_.Handle(), TDCArea::daWholeWindow);
  if (!dc.Get()) return;
  Paint(dc.Get(), RECT{bar.left, bar.top, bar.right, bar.bottom});
}

void TWinSkinMenu::PaintButton(TMenuBtn& button) {
  if (!engine_.CanPaintFrame()) return;
  const TRect& b = button.Bounds;
  if (b.right <= b.left || b.bottom <= b.top) return;
  // The background from the last paint of the bar; without one (or after
  // the bar moved) the whole bar is painted.
  const TBarRect now = BarRect();
  if (background_.Empty() || now.left != bar_.left || now.right != bar_.right ||
      now.top != bar_.top || now.bottom != bar_.bottom) {
    Repaint();
    return;
  }
  TBitmap piece(b.Width(), b.Height());
  piece.CopyRect(piece.BoundsRect(), background_, b.Offset(-bar_.left, -bar_.top));
  THBitmap dib = MakeDibSection(piece);
  if (!dib) return;
  TBitmapDC memory(dib.Get());
  if (!memory.Get()) return;
  TSelectObject font(memory.Get(), Font());
  const RECT r{0, 0, b.Width(), b.Height()};
  if (button.State == nsHot || button.State == nsPressed) {
    DrawHotFrame(memory.Get(), r, Rgb(engine_.SkinData()->Colours().ButtonHilight), Scale(1));
  }
  PaintButtonCaption(memory.Get(), button, r);
  TWindowDC dc(engine_.Handle(), TDCArea::daWholeWindow);
  if (dc.Get()) BitBlt(dc.Get(), b.left, b.top, b.Width(), b.Height(), memory.Get(), 0, 0, SRCCOPY);
}
