#include "framework/MediaPlayer.h"

#include <mmsystem.h>

#include <cstdio>

#include "framework/BitmapWin32.h"
#include "framework/BmpReader.h"
#include "framework/GdiObjects.h"

namespace {
constexpr const char* kGlyphNames[kMediaButtonCount] = {
    "MPPLAY", "MPPAUSE", "MPSTOP", "MPNEXT", "MPPREV", "MPSTEP", "MPBACK", "MPRECORD", "MPEJECT"};
// The colour the glyphs are drawn on, left out when they are drawn.
constexpr TColor kGlyphKey = clOlive;
enum TGlyphVariant { gvEnabled, gvDisabled, gvColoured };
}  // namespace

TBitmap LoadMediaGlyph(const char* prefix, TMPBtnType button) {
  TBitmap bitmap;
  const int i = static_cast<int>(button);
  if (i < 0 || i >= kMediaButtonCount) return bitmap;
  wchar_t name[32];
  std::swprintf(name, 32, L"%hs_%hs", prefix, kGlyphNames[i]);
  const HMODULE module = GetModuleHandleW(nullptr);
  const HRSRC info = FindResourceW(module, name, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  if (!info) return bitmap;
  const HGLOBAL loaded = LoadResource(module, info);
  const DWORD size = SizeofResource(module, info);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes || size == 0) return bitmap;
  if (!ReadPackedDib(std::span(static_cast<const std::uint8_t*>(bytes), size), bitmap)) {
    bitmap.Clear();
    return bitmap;
  }
  bitmap.Transparent = true;
  bitmap.TransparentColor = kGlyphKey;
  return bitmap;
}

TMediaPlayer::TMediaPlayer(TComponent* owner) : TWinControl(owner) {
  for (int i = 0; i < kMediaButtonCount; ++i) {
    const auto button = static_cast<TMPBtnType>(i);
    glyphs_[i][gvEnabled] = LoadMediaGlyph("EN", button);
    glyphs_[i][gvDisabled] = LoadMediaGlyph("DI", button);
    glyphs_[i][gvColoured] = LoadMediaGlyph("CL", button);
  }
  wchar_t alias[40];
  std::swprintf(alias, 40, L"tonmill_player_%p", static_cast<void*>(this));
  alias_ = alias;
  SetBounds(0, 0, 253, 30);
}

TMediaPlayer::~TMediaPlayer() {
  // The window goes first, so no message reaches a half-gone player.
  DestroyHandle();
  Close();
}

void TMediaPlayer::CreateParams(TCreateParams& params) {
  params.style |= WS_TABSTOP;
}

void TMediaPlayer::SetVisibleButtons(TButtonSet buttons) {
  visible_ = buttons;
  KeepFocusUsable();
  Invalidate();
}

void TMediaPlayer::SetEnabledButtons(TButtonSet buttons) {
  enabled_buttons_ = buttons;
  KeepFocusUsable();
  Invalidate();
}

void TMediaPlayer::SetColoredButtons(TButtonSet buttons) {
  coloured_ = buttons;
  Invalidate();
}

TMediaButtonRow TMediaPlayer::Row() const {
  const RECT client = ClientRect();
  return TMediaButtonRow(visible_, client.right - client.left);
}

bool TMediaPlayer::Usable(int button) const {
  if (!Enabled() || button < 0 || button >= kMediaButtonCount) return false;
  const auto b = static_cast<TMPBtnType>(button);
  return visible_.Contains(b) && enabled_buttons_.Contains(b);
}

// --- the media control interface ---------------------------------------------

bool TMediaPlayer::Command(const std::wstring& verb, const std::wstring& rest) {
  if (!open_) return false;
  std::wstring command = verb + L" " + alias_;
  if (!rest.empty()) command += L" " + rest;
  error_ = mciSendStringW(command.c_str(), nullptr, 0, nullptr);
  return error_ == 0;
}

bool TMediaPlayer::Open() {
  Close();
  if (file_name_.empty()) {
    error_ = MCIERR_FILENAME_REQUIRED;
    return false;
  }
  const std::wstring command = L"open \"" + file_name_ + L"\" alias " + alias_;
  error_ = mciSendStringW(command.c_str(), nullptr, 0, nullptr);
  open_ = error_ == 0;
  return open_;
}

void TMediaPlayer::Close() {
  if (!open_) return;
  mciSendStringW((L"close " + alias_).c_str(), nullptr, 0, nullptr);
  open_ = false;
}

void TMediaPlayer::Play() {
  Command(L"play");
}
void TMediaPlayer::Pause() {
  Command(L"pause");
}
void TMediaPlayer::Stop() {
  Command(L"stop");
}
void TMediaPlayer::Next() {
  Command(L"seek", L"to end");
}
void TMediaPlayer::Previous() {
  Command(L"seek", L"to start");
}
void TMediaPlayer::Step() {
  Command(L"step", L"by 1");
}
void TMediaPlayer::Back() {
  Command(L"step", L"reverse by 1");
}
void TMediaPlayer::StartRecording() {
  Command(L"record");
}
void TMediaPlayer::Eject() {
  Command(L"set", L"door open");
}

void TMediaPlayer::Click(TMPBtnType button) {
  bool do_default = true;
  if (OnClick) OnClick(this, button, do_default);
  if (!do_default) return;
  switch (button) {
    case btPlay:
      Play();
      break;
    case btPause:
      Pause();
      break;
    case btStop:
      Stop();
      break;
    case btNext:
      Next();
      break;
    case btPrev:
      Previous();
      break;
    case btStep:
      Step();
      break;
    case btBack:
      Back();
      break;
    case btRecord:
      StartRecording();
      break;
    case btEject:
      Eject();
      break;
  }
}

// --- mouse and keyboard -----------------------------------------------------

void TMediaPlayer::Press(int x) {
  if (GetFocus() != Handle()) SetFocus(Handle());
  const int hit = Row().HitTest(x);
  if (!Usable(hit)) return;
  pressed_ = hit;
  pressed_inside_ = true;
  focused_button_ = hit;
  SetCapture(Handle());
  Invalidate();
}

void TMediaPlayer::Release(int x) {
  if (pressed_ == kNoMediaButton) return;
  const int button = pressed_;
  pressed_ = kNoMediaButton;
  pressed_inside_ = false;
  if (GetCapture() == Handle()) ReleaseCapture();
  Invalidate();
  if (Row().HitTest(x) == button && Usable(button)) Click(static_cast<TMPBtnType>(button));
}

void TMediaPlayer::KeepFocusUsable() {
  if (Usable(focused_button_)) return;
  for (int i = 0; i < kMediaButtonCount; ++i) {
    if (Usable(i)) {
      focused_button_ = i;
      return;
    }
  }
}

void TMediaPlayer::MoveFocus(int step) {
  for (int i = focused_button_ + step; i >= 0 && i < kMediaButtonCount; i += step) {
    if (Usable(i)) {
      focused_button_ = i;
      Invalidate();
      return;
    }
  }
}

void TMediaPlayer::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;
      return;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(Handle(), &ps);
      Paint(dc);
      if (!m.WParam) EndPaint(Handle(), &ps);
      m.Result = 0;
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      Press(static_cast<short>(LOWORD(m.LParam)));
      break;  // the framework's mouse-down handling follows
    case WM_MOUSEMOVE:
      if (pressed_ != kNoMediaButton) {
        const bool inside = Row().HitTest(static_cast<short>(LOWORD(m.LParam))) == pressed_;
        if (inside != pressed_inside_) {
          pressed_inside_ = inside;
          Invalidate();
        }
      }
      break;
    case WM_LBUTTONUP:
      Release(static_cast<short>(LOWORD(m.LParam)));
      m.Result = 0;
      return;
    case WM_CAPTURECHANGED:
      // The press still counts when its release comes (someone may have
      // taken the mouse to hand the release on); it only stops looking down.
      if (pressed_inside_) {
        pressed_inside_ = false;
        Invalidate();
      }
      break;
    case WM_KILLFOCUS:
      pressed_ = kNoMediaButton;
      pressed_inside_ = false;
      Invalidate();
      break;
    case WM_SETFOCUS:
      KeepFocusUsable();
      Invalidate();
      break;
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS;
      return;
    case WM_KEYDOWN:
      if (m.WParam == VK_LEFT) {
        MoveFocus(-1);
      } else if (m.WParam == VK_RIGHT) {
        MoveFocus(1);
      } else if (m.WParam == VK_SPACE && Usable(focused_button_)) {
        Click(static_cast<TMPBtnType>(focused_button_));
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

// --- drawing ----------------------------------------------------------------

void TMediaPlayer::Paint(HDC target) {
  const RECT client = ClientRect();
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return;
  TMemoryDC buffer(target, width, height);
  HDC dc = buffer.Get();
  if (!dc) return;
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  const TMediaButtonRow row(visible_, width);
  const bool focused = GetFocus() == Handle();
  for (int i = 0; i < kMediaButtonCount; ++i) {
    const int left = row.Left(i);
    if (left < 0) continue;
    RECT r{left, 0, left + row.ButtonWidth(), height};
    const bool usable = Usable(i);
    const bool down = pressed_ == i && pressed_inside_;
    DrawFrameControl(dc, &r, DFC_BUTTON,
                     DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0) | (usable ? 0 : DFCS_INACTIVE));
    const TBitmap& glyph = !usable                                          ? glyphs_[i][gvDisabled]
                           : coloured_.Contains(static_cast<TMPBtnType>(i)) ? glyphs_[i][gvColoured]
                                                                            : glyphs_[i][gvEnabled];
    if (!glyph.Empty()) {
      const int shift = down ? 1 : 0;
      DrawBitmap(dc, r.left + (row.ButtonWidth() - glyph.Width()) / 2 + shift,
                 (height - glyph.Height()) / 2 + shift, glyph);
    }
    if (focused && i == focused_button_) {
      RECT focus = r;
      InflateRect(&focus, -3, -3);
      DrawFocusRect(dc, &focus);
    }
  }
  BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
}

void TMediaPlayer::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Text(
      "VisibleButtons", [this] { return MediaButtonsText(visible_); },
      [this](const std::string& v) { SetVisibleButtons(MediaButtonsFromText(v)); });
  table.Text(
      "EnabledButtons", [this] { return MediaButtonsText(enabled_buttons_); },
      [this](const std::string& v) { SetEnabledButtons(MediaButtonsFromText(v)); });
  table.Text(
      "ColoredButtons", [this] { return MediaButtonsText(coloured_); },
      [this](const std::string& v) { SetColoredButtons(MediaButtonsFromText(v)); });
}
