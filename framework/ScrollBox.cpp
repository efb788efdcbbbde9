#include "framework/ScrollBox.h"

#include <algorithm>

#include "framework/Dpi.h"
#include "framework/GraphicControl.h"

namespace {
constexpr int kLine = 16;  // units per arrow click or wheel line
}

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 185, 41);
}

void TScrollBox::CreateParams(TCreateParams& params) {
  params.style |= WS_CLIPCHILDREN | WS_TABSTOP;
  params.ex_style |= WS_EX_CONTROLPARENT;
  if (border_ == cbSingle) params.ex_style |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWnd() {
  UpdateScrollBars();
}

void TScrollBox::SetRange(int width, int height) {
  range_x_ = std::max(width, 0);
  range_y_ = std::max(height, 0);
  UpdateScrollBars();
}

void TScrollBox::SetBorderStyle(TControlBorder border) {
  border_ = border;
  ApplyControlBorder(Handle(), border);
}

SIZE TScrollBox::ClientUnits() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return SIZE{UnscaleForDpi(client.right, Dpi()), UnscaleForDpi(client.bottom, Dpi())};
}

void TScrollBox::DpiChanged(int, int) {
  UpdateScrollBars();
}

void TScrollBox::UpdateScrollBars() {
  if (!HandleAllocated()) return;
  const SIZE client = ClientUnits();
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMax = std::max(range_x_ - 1, 0);
  info.nPage = static_cast<UINT>(client.cx);
  info.nPos = x_;
  SetScrollInfo(Handle(), SB_HORZ, &info, TRUE);
  info.nMax = std::max(range_y_ - 1, 0);
  info.nPage = static_cast<UINT>(client.cy);
  info.nPos = y_;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  // A bigger box may show more of the content than the position allows
  // (and the scroll bars just shown or hidden change the client area).
  ScrollTo(x_, y_);
}

void TScrollBox::ScrollTo(int x, int y) {
  if (!HandleAllocated()) return;
  const SIZE client = ClientUnits();
  x = std::clamp(x, 0, std::max(range_x_ - static_cast<int>(client.cx), 0));
  y = std::clamp(y, 0, std::max(range_y_ - static_cast<int>(client.cy), 0));
  const int dx = x_ - x, dy = y_ - y;
  if (dx == 0 && dy == 0) return;
  x_ = x;
  y_ = y;
  for (int i = 0; i < ControlCount(); ++i) {
    TWinControl* c = Controls(i);
    c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  for (int i = 0; i < GraphicControlCount(); ++i) {
    TGraphicControl* c = GraphicControls(i);
    c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  SetScrollPos(Handle(), SB_HORZ, x_, TRUE);
  SetScrollPos(Handle(), SB_VERT, y_, TRUE);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TScrollBox::Scroll(int bar, int code) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(Handle(), bar, &info);
  int pos = bar == SB_HORZ ? x_ : y_;
  const int page = static_cast<int>(info.nPage);
  switch (code) {
    case SB_LINEUP:
      pos -= kLine;
      break;
    case SB_LINEDOWN:
      pos += kLine;
      break;
    case SB_PAGEUP:
      pos -= page;
      break;
    case SB_PAGEDOWN:
      pos += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      pos = info.nTrackPos;
      break;
    case SB_TOP:
      pos = 0;
      break;
    case SB_BOTTOM:
      pos = info.nMax;
      break;
    default:
      return;
  }
  if (bar == SB_HORZ) {
    ScrollTo(pos, y_);
  } else {
    ScrollTo(x_, pos);
  }
}

void TScrollBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SIZE:
      TWinControl::WndProc(m);
      UpdateScrollBars();
      return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (m.LParam == 0) {
        Scroll(m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(m.WParam));
        m.Result = 0;
        return;
      }
      break;
    case WM_MOUSEWHEEL:
      ScrollTo(x_, y_ - GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA * 3 * kLine);
      m.Result = 0;
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

void TScrollBox::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Enum(
      "BorderStyle", ControlBorderNames(), [this] { return static_cast<std::int64_t>(border_); },
      [this](std::int64_t v) { SetBorderStyle(static_cast<TControlBorder>(v)); });
}
