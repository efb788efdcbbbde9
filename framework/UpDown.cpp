#include "framework/UpDown.h"

#include <commctrl.h>

#include <algorithm>

TUpDown::TUpDown(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 17, 25);
}

void TUpDown::CreateParams(TCreateParams& params) {
  params.class_name = UPDOWN_CLASSW;
  params.style |= UDS_ARROWKEYS | UDS_HOTTRACK | (horizontal_ ? UDS_HORZ : 0);
}

void TUpDown::CreateWnd() {
  // The control may size itself as it is made; it keeps the size asked for.
  SetBounds(Left(), Top(), Width(), Height());
  SendRange();
}

void TUpDown::SendRange() {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(min_), static_cast<LPARAM>(max_));
  UDACCEL accel{0, static_cast<UINT>(increment_)};
  SendMessageW(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
  SendMessageW(Handle(), UDM_SETPOS32, 0, static_cast<LPARAM>(position_));
}

void TUpDown::SetMin(int min) {
  min_ = min;
  SetPosition(position_);
}

void TUpDown::SetMax(int max) {
  max_ = max;
  SetPosition(position_);
}

void TUpDown::SetPosition(int position) {
  position_ = std::clamp(position, std::min(min_, max_), std::max(min_, max_));
  SendRange();
}

void TUpDown::SetHorizontal(bool horizontal) {
  horizontal_ = horizontal;
  if (!HandleAllocated()) return;
  auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  style = horizontal ? (style | UDS_HORZ) : (style & ~static_cast<DWORD>(UDS_HORZ));
  SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(style));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TUpDown::SetIncrement(int increment) {
  increment_ = std::max(increment, 1);
  SendRange();
}

void TUpDown::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    if (header->code == UDN_DELTAPOS) {
      const auto* change = reinterpret_cast<const NMUPDOWN*>(m.LParam);
      // A positive step is the up (or right) button.
      if (OnClick) OnClick(this, change->iDelta > 0 ? btNext : btPrev);
      m.Result = 0;  // the control may move
      return;
    }
  }
  if (m.Msg == CN_VSCROLL || m.Msg == CN_HSCROLL) {
    // (The error flag UDM_GETPOS32 can fill in speaks of a buddy window's
    // text, which a pair without a buddy does not have.)
    const auto now = static_cast<int>(SendMessageW(Handle(), UDM_GETPOS32, 0, 0));
    if (now != position_) {
      position_ = now;
      if (OnChange) OnChange(this);
    }
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}

void TUpDown::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Int(
      "Min", [this] { return min_; }, [this](std::int64_t v) { SetMin(static_cast<int>(v)); });
  table.Int(
      "Max", [this] { return max_; }, [this](std::int64_t v) { SetMax(static_cast<int>(v)); });
  table.Int(
      "Position", [this] { return position_; },
      [this](std::int64_t v) { SetPosition(static_cast<int>(v)); });
  table.Int(
      "Increment", [this] { return increment_; },
      [this](std::int64_t v) { SetIncrement(static_cast<int>(v)); });
}
