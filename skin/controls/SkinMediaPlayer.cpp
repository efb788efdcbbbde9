#include "skin/controls/SkinMediaPlayer.h"

#include <optional>
#include <stdexcept>

#include "framework/MediaPlayer.h"
#include "framework/Persistent.h"
#include "skin/controls/SkinMediaPlayerInk.h"
#include "skin/data/BuiltinBitmaps.h"
#include "skin/data/SkinManage.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "skin/form/WinSkinForm.h"

namespace {

constexpr wchar_t kPanelClass[] = L"TonmillMediaPanel";
enum TGlyphVariant { gvEnabled = 0, gvDisabled = 1, gvColoured = 2 };
// Frames of the "Buttons" strip the panel uses.
constexpr int kButtonFrames = 5;
constexpr int kNormalFrame = 1, kPressedFrame = 2, kDisabledFrame = 3;

void RegisterPanelClass() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), kPanelClass, &wc)) return;
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kPanelClass;
  RegisterClassExW(&wc);
}

// The average colour of `rect` of the buffer (clipped to it): what a glyph
// drawn there is seen against.
TColor AverageColour(TBackBuffer& buffer, TRect rect) {
  rect.left = std::max(rect.left, 0);
  rect.top = std::max(rect.top, 0);
  rect.right = std::min(rect.right, buffer.Width());
  rect.bottom = std::min(rect.bottom, buffer.Height());
  const std::span<std::uint32_t> pixels = buffer.Pixels();
  long long r = 0, g = 0, b = 0, n = 0;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) {
      const std::uint32_t p = pixels[static_cast<size_t>(y) * buffer.Width() + x];
      r += (p >> 16) & 0xFF;
      g += (p >> 8) & 0xFF;
      b += p & 0xFF;
      ++n;
    }
  }
  if (n == 0) return clBlack;
  return RGBColour(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}

// The glyph's shape in `ink`, on the key colour.
TBitmap Tinted(const TBitmap& glyph, TColor ink) {
  TBitmap out = glyph;
  for (int y = 0; y < out.Height(); ++y) {
    for (int x = 0; x < out.Width(); ++x) {
      if (out.Pixel(x, y) != kMediaGlyphKey) out.SetPixel(x, y, ink);
    }
  }
  return out;
}

// `glyph` at `width` x `height`, each pixel taken from the one under it
// (the key colour stays whole: no pixel blends it with the shape).
TBitmap ScaledGlyph(const TBitmap& glyph, int width, int height) {
  if (glyph.Empty() || (width == glyph.Width() && height == glyph.Height())) return glyph;
  TBitmap out(width, height, kMediaGlyphKey);
  for (int y = 0; y < height; ++y) {
    const int sy = y * glyph.Height() / height;
    for (int x = 0; x < width; ++x) out.SetPixel(x, y, glyph.Pixel(x * glyph.Width() / width, sy));
  }
  return out;
}

// The colour a glyph image is drawn in (its first pixel off the key).
TColor GlyphColour(const TBitmap& glyph) {
  for (int y = 0; y < glyph.Height(); ++y) {
    for (int x = 0; x < glyph.Width(); ++x) {
      if (glyph.Pixel(x, y) != kMediaGlyphKey) return glyph.Pixel(x, y);
    }
  }
  return clBlack;
}

// Counts a running call of the panel on its skinning object.
class TPanelCall {
 public:
  explicit TPanelCall(int& calls) : calls_(calls) { ++calls_; }
  ~TPanelCall() { --calls_; }
  TPanelCall(const TPanelCall&) = delete;
  TPanelCall& operator=(const TPanelCall&) = delete;

 private:
  int& calls_;
};

}  // namespace

// --- TWMediaPlayer ----------------------------------------------------------

TWMediaPlayer::TWMediaPlayer(TSkinMP& owner) : owner_(owner) {
  for (int i = 0; i < kMediaButtonCount; ++i) {
    const auto button = static_cast<TMPBtnType>(i);
    buttons_[i].glyphs[gvEnabled] = LoadMediaGlyph("EN", button);
    buttons_[i].glyphs[gvDisabled] = LoadMediaGlyph("DI", button);
    buttons_[i].glyphs[gvColoured] = LoadMediaGlyph("CL", button);
  }
}

TWMediaPlayer::~TWMediaPlayer() {
  if (window_ && IsWindow(window_)) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

void TWMediaPlayer::Bind(TWinControl& player) {
  player_ = &player;
  player_window_ = player.Handle();
  if (!window_) {
    RegisterPanelClass();
    window_ =
        CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                        GetParent(player_window_), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw std::runtime_error("no window for the media player's panel");
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWMediaPlayer::WndProc));
  }
  Place();
}

void TWMediaPlayer::Unbind() {
  player_ = nullptr;
  player_window_ = nullptr;
  mouse_down_ = false;
  if (window_ && IsWindow(window_)) {
    if (GetCapture() == window_) ReleaseCapture();
    ShowWindow(window_, SW_HIDE);
  }
}

void TWMediaPlayer::Place() {
  if (!window_ || !IsWindow(window_)) return;
  if (!player_window_ || !IsWindow(player_window_)) {
    ShowWindow(window_, SW_HIDE);
    return;
  }
  HWND parent = GetParent(player_window_);
  if (GetParent(window_) != parent) SetParent(window_, parent);
  RECT r{};
  GetWindowRect(player_window_, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  const bool shown = (GetWindowLongPtrW(player_window_, GWL_STYLE) & WS_VISIBLE) != 0;
  // Directly above the player, so controls that lie over it stay over it.
  HWND above = GetWindow(player_window_, GW_HWNDPREV);
  UINT flags = SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
  if (above == window_) flags |= SWP_NOZORDER;
  SetWindowPos(window_, above ? above : HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
               flags);
  if (!shown && GetCapture() == window_) ReleaseCapture();
  Repaint();
}

void TWMediaPlayer::Repaint() {
  if (window_ && IsWindow(window_)) InvalidateRect(window_, nullptr, FALSE);
}

void TWMediaPlayer::ReadButtons() {
  TButtonSet visible, enabled, coloured;
  if (player_) {
    visible = MediaButtonsFromText(GetTextProp(*player_, "VisibleButtons"));
    enabled = MediaButtonsFromText(GetTextProp(*player_, "EnabledButtons"));
    coloured = MediaButtonsFromText(GetTextProp(*player_, "ColoredButtons"));
  }
  const bool player_enabled = player_window_ && IsWindowEnabled(player_window_);
  for (int i = 0; i < kMediaButtonCount; ++i) {
    const auto b = static_cast<TMPBtnType>(i);
    buttons_[i].visible = visible.Contains(b);
    buttons_[i].enabled = player_enabled && enabled.Contains(b);
    buttons_[i].coloured = coloured.Contains(b);
  }
}

int TWMediaPlayer::HitTest(int x) const {
  int left = 0;
  for (int i = 0; i < kMediaButtonCount; ++i) {
    if (!buttons_[i].visible) continue;
    if (x >= left && x <= left + button_width_) return i;
    left += button_width_;
  }
  return kNoMediaButton;
}

// --- mouse ------------------------------------------------------------------

bool TWMediaPlayer::SendToPlayer(UINT msg, WPARAM wp, LPARAM lp) {
  if (!player_window_ || !IsWindow(player_window_)) return true;
  const std::shared_ptr<bool> alive = owner_.AliveToken();
  {
    // The player's handlers run inside this call; no skin command may free
    // the panel under it.
    std::optional<TSkinCommandHold> hold;
    if (owner_.Form()) hold.emplace(owner_.Form()->Manager());
    SendMessageW(player_window_, msg, wp, lp);
  }
  return *alive;
}

void TWMediaPlayer::LeftDown(WPARAM wp, LPARAM lp) {
  ReadButtons();
  mouse_down_ = true;
  SetCapture(window_);
  handing_press_ = true;
  if (!SendToPlayer(WM_LBUTTONDOWN, wp, lp)) return;
  handing_press_ = false;
  // The player took the mouse for its press; the panel takes it back, so
  // the release comes here wherever it happens.
  if (mouse_down_ && GetCapture() != window_) SetCapture(window_);
  hit_ = HitTest(static_cast<short>(LOWORD(lp)));
  pressed_ = hit_;
  Repaint();
}

void TWMediaPlayer::LeftUp(WPARAM wp, LPARAM lp) {
  const bool was_down = mouse_down_;
  mouse_down_ = false;
  if (GetCapture() == window_) ReleaseCapture();
  hit_ = HitTest(static_cast<short>(LOWORD(lp)));
  const int pressed = pressed_;
  pressed_ = hit_;
  Repaint();
  // Only a release over the button pressed reaches the player: it clicks.
  if (was_down && hit_ == pressed && pressed != kNoMediaButton) SendToPlayer(WM_LBUTTONUP, wp, lp);
}

LRESULT CALLBACK TWMediaPlayer::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<TWMediaPlayer*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  try {
    return self->Handle(msg, wp, lp);
  } catch (...) {
    // A failure of the skinning never reaches the system.
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
}

LRESULT TWMediaPlayer::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  const HWND window = window_;
  TPanelCall call(owner_.panel_calls_);
  switch (msg) {
    case SKM_ISSKINNED:
      return 1;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      Paint(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      LeftDown(wp, lp);
      return 0;
    case WM_LBUTTONUP:
      LeftUp(wp, lp);
      return 0;
    case WM_MOUSEMOVE:
      if (mouse_down_) {
        const int hit = HitTest(static_cast<short>(LOWORD(lp)));
        if (hit != hit_) {
          hit_ = hit;
          Repaint();
        }
      }
      return 0;
    case WM_CAPTURECHANGED:
      // Someone other than the player being handed the press took the
      // mouse: the press is over.
      if (mouse_down_ && !handing_press_ && reinterpret_cast<HWND>(lp) != window) {
        mouse_down_ = false;
        Repaint();
      }
      return 0;
    default:
      return DefWindowProcW(window, msg, wp, lp);
  }
}

// --- drawing ----------------------------------------------------------------

void TWMediaPlayer::Paint(HDC dc) {
  TSkinData* data = owner_.Data();
  RECT client{};
  GetClientRect(window_, &client);
  const int width = client.right, height = client.bottom;
  if (!data || width <= 0 || height <= 0 || !buffer_.SetSize(width, height)) return;
  ReadButtons();
  int count = 0;
  for (const TButton& b : buttons_) count += b.visible ? 1 : 0;
  buffer_.Fill(buffer_.BoundsRect(), data->Colours().ButtonFace);
  button_width_ = count > 0 ? width / count : 0;
  if (count > 0) {
    const bool focused = player_window_ && GetFocus() == player_window_;
    int focus = kNoMediaButton;
    if (auto* player = dynamic_cast<TMediaPlayer*>(player_)) focus = player->FocusedButton();
    int left = 0;
    for (int i = 0; i < kMediaButtonCount; ++i) {
      if (!buttons_[i].visible) continue;
      DrawButton(i, TRect{left, 0, left + button_width_, height}, focused && i == focus);
      left += button_width_;
    }
  }
  buffer_.CopyTo(dc, 0, 0);
}

void TWMediaPlayer::DrawButton(int index, const TRect& rect, bool focused) {
  TSkinData& data = *owner_.Data();
  const TButton& button = buttons_[index];
  const bool down = mouse_down_ && pressed_ == index && hit_ == index;
  const int frame = !button.enabled ? kDisabledFrame : down ? kPressedFrame : kNormalFrame;
  const TDataSkinButton& skin = data.Buttons();
  // Frames, glyphs and the focus ring are 96-DPI pictures, shown at the
  // player's DPI.
  const int dpi = owner_.Dpi();
  if (!skin.Bitmap.Empty()) DrawSkinState(buffer_, rect, kButtonFrames, frame, skin, dpi);

  // The ink the glyph and the focus ring are drawn in reads on the face
  // the frame left under the glyph.
  const TBitmap& glyph = !button.enabled   ? button.glyphs[gvDisabled]
                         : button.coloured ? button.glyphs[gvColoured]
                                           : button.glyphs[gvEnabled];
  const int shift = frame == kPressedFrame ? SkinScale(1, dpi) : 0;
  const int gw = SkinScale(glyph.Empty() ? 16 : glyph.Width(), dpi);
  const int gh = SkinScale(glyph.Empty() ? 16 : glyph.Height(), dpi);
  const int x = rect.left + (rect.Width() - gw) / 2 + shift;
  const int y = rect.top + (rect.Height() - gh) / 2 + shift;
  const TColor face = AverageColour(buffer_, TRect{x, y, x + gw, y + gh});
  const TSkinColours& colours = data.Colours();
  TColor text = colours.ButtonText;
  if (frame == kNormalFrame && skin.HasNormalColour2) text = skin.NormalColour2;
  if (frame == kPressedFrame && skin.HasPressedColour2) text = skin.PressedColour2;
  const double target = GlyphContrastTarget(colours.ButtonText, colours.ButtonFace);
  const TColor ink = GlyphInk(text, face, target);
  if (!glyph.Empty()) {
    const TColor glyph_ink = !button.enabled   ? DisabledGlyphInk(ink, face)
                             : button.coloured ? GlyphInk(GlyphColour(glyph), face, target)
                                               : ink;
    buffer_.Draw(x, y, ScaledGlyph(Tinted(glyph, glyph_ink), gw, gh), true, kMediaGlyphKey);
  }
  if (focused) {
    // A solid ring in the ink: a dotted one vanishes on some faces.
    // Four pixels in, clear of the frames' borders.
    const int in = SkinScale(4, dpi), line = SkinScale(1, dpi);
    TRect ring{rect.left + in, rect.top + in, rect.right - in, rect.bottom - in};
    if (ring.Width() > 2 * line && ring.Height() > 2 * line) {
      buffer_.Fill(TRect{ring.left, ring.top, ring.right, ring.top + line}, ink);
      buffer_.Fill(TRect{ring.left, ring.bottom - line, ring.right, ring.bottom}, ink);
      buffer_.Fill(TRect{ring.left, ring.top, ring.left + line, ring.bottom}, ink);
      buffer_.Fill(TRect{ring.right - line, ring.top, ring.right, ring.bottom}, ink);
    }
  }
}

// --- TSkinMP ----------------------------------------------------------------

TSkinMP::~TSkinMP() {
  panel_.reset();
}

void TSkinMP::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                          bool change_colour) {
  if (Initialized()) return;
  TSkinControl::InitControl(control, form, data, change_colour);
  panel_ = std::make_unique<TWMediaPlayer>(*this);
  panel_->Bind(control);
}

void TSkinMP::Restore() {
  TSkinControl::Restore();
  if (!panel_) return;
  if (life_ == slDestroyed || panel_calls_ > 0) {
    // The player went, or the panel is inside a call: hidden now, freed
    // with this object.
    panel_->Unbind();
    return;
  }
  panel_.reset();
}

void TSkinMP::SkinChanged() {
  TSkinControl::SkinChanged();
  if (panel_) panel_->Repaint();
}

void TSkinMP::AfterMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
    case CM_VISIBLECHANGED:
      if (panel_) panel_->Place();
      return;
    case WM_PAINT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_KEYDOWN:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
      // The player changed its look under the panel: the panel shows it.
      if (panel_) panel_->Repaint();
      return;
    default:
      TSkinControl::AfterMessage(m);
  }
}

void TSkinMP::Notification(TComponent* component, TOperation operation) {
  const bool player_goes =
      operation == TOperation::opRemove && component != nullptr && component == Control();
  TSkinControl::Notification(component, operation);
  if (player_goes && panel_) panel_->Unbind();
}
