#include "framework/StdCtrls.h"

#include "framework/ButtonLayout.h"
#include "framework/Dpi.h"
#include "framework/GdiObjects.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {}

void TButton::CreateParams(TCreateParams& params) {
  params.class_name = L"BUTTON";
  // Multi-line, so that a caption's "||" shows as a line break.
  params.style |= WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE;
}

void TButton::CreateWnd() {
  // The window was made with the caption as given; once more through
  // WM_SETTEXT, which breaks its line.
  const std::wstring caption = Caption();
  if (caption.find(L"||") != std::wstring::npos) SetWindowTextW(Handle(), caption.c_str());
}

void TButton::Click() {
  if (OnClick) OnClick(this);
}

void TButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == BN_CLICKED) {
    Click();
    m.Result = 0;
    return;
  }
  if (m.Msg == WM_SETTEXT && m.LParam) {
    // The window keeps (and shows) the caption with its line broken.
    const std::wstring shown = BreakCaptionLine(reinterpret_cast<const wchar_t*>(m.LParam));
    TMessage broken{m.Msg, m.WParam, reinterpret_cast<LPARAM>(shown.c_str()), 0};
    TWinControl::WndProc(broken);
    m.Result = broken.Result;
    return;
  }
  TWinControl::WndProc(m);
}

TEdit::TEdit(TComponent* owner) : TWinControl(owner) {}

void TEdit::CreateParams(TCreateParams& params) {
  params.class_name = L"EDIT";
  params.style |= WS_TABSTOP | ES_AUTOHSCROLL | (read_only_ ? ES_READONLY : 0);
  params.ex_style |= WS_EX_CLIENTEDGE;
}

void TEdit::SetReadOnly(bool read_only) {
  read_only_ = read_only;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, read_only ? TRUE : FALSE, 0);
}

TLabel::TLabel(TComponent* owner) : TWinControl(owner) {}

void TLabel::CreateParams(TCreateParams& params) {
  params.class_name = L"STATIC";
  params.style |= SS_LEFT | SS_NOPREFIX;
}

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {}

void TGroupBox::CreateParams(TCreateParams& params) {
  params.style |= WS_CLIPCHILDREN;
  params.ex_style |= WS_EX_CONTROLPARENT;
}

void TGroupBox::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    // A DC in wParam asks for a paint into it.
    PAINTSTRUCT ps;
    HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(Handle(), &ps);
    Paint(dc);
    if (!m.WParam) EndPaint(Handle(), &ps);
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}

namespace {
void PublishParentBackground(TWinControl& control, TPropertyTable& table) {
  table.Enum(
      "ParentBackground", {"False", "True"},
      [&control] { return control.ParentBackground() ? 1 : 0; },
      [&control](std::int64_t v) { control.SetParentBackground(v != 0); });
}
}  // namespace

void TGroupBox::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  PublishParentBackground(*this, table);
}

void TPanel::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  PublishParentBackground(*this, table);
}

void TGroupBox::AdjustClientRect(RECT& rect) {
  // The frame's inset is 96-DPI units, like the children's bounds: at any
  // DPI a child that fills the box leaves the frame's line visible.
  const int inset = ScaleForDpi(2, Dpi());
  int caption_height = ScaleForDpi(12, Dpi());
  if (HandleAllocated()) {
    // Measured in a memory DC: a window's DC would be one more the system
    // keeps for the window, and lets go again at a cost when it moves.
    TOwnedMemoryDC dc;
    TSelectObject font(dc.Get(), Font());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.Get(), &tm);
    caption_height = tm.tmHeight;
  }
  InflateRect(&rect, -inset, -inset);
  rect.top += caption_height - inset;
}

void TGroupBox::Paint(HDC dc) {
  RECT r = ClientRect();
  TSelectObject font(dc, Font());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  RECT frame = r;
  frame.top += tm.tmHeight / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  const std::wstring text = Caption();
  if (!text.empty()) {
    SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(EffectiveColor())));
    SetBkMode(dc, OPAQUE);
    SetTextColor(dc, IsWindowEnabled(Handle())
                         ? static_cast<COLORREF>(ColorToRGB(EffectiveFontColor()))
                         : GetSysColor(COLOR_GRAYTEXT));
    RECT t{8, 0, r.right - 8, tm.tmHeight};
    DrawTextW(dc, (L" " + text + L" ").c_str(), -1, &t, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  }
  PaintControls(dc);
}

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {}

void TPanel::CreateParams(TCreateParams& params) {
  params.style |= WS_CLIPCHILDREN;
  params.ex_style |= WS_EX_CONTROLPARENT;
}
