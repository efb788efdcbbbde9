#include "framework/ScrollBar.h"

#include <algorithm>

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 121, 17);
}

void TScrollBar::CreateParams(TCreateParams& params) {
  params.class_name = L"SCROLLBAR";
  params.style |= WS_TABSTOP | (kind_ == sbVertical ? SBS_VERT : SBS_HORZ);
}

void TScrollBar::CreateWnd() {
  Apply();
}

void TScrollBar::SetKind(TScrollBarKind kind) {
  kind_ = kind;
  if (!HandleAllocated()) return;
  auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  style = (style & ~(SBS_VERT | SBS_HORZ)) | (kind == sbVertical ? SBS_VERT : SBS_HORZ);
  SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(style));
  Invalidate();
}

int TScrollBar::Highest() const {
  return std::max(min_, max_ - std::max(page_size_ - 1, 0));
}

void TScrollBar::SetParams(int position, int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  const int old = position_;
  position_ = std::clamp(position, min_, Highest());
  Apply();
  if (position_ != old && OnChange) OnChange(this);
}

void TScrollBar::SetPosition(int position) {
  SetParams(position, min_, max_);
}

void TScrollBar::SetPageSize(int page_size) {
  page_size_ = std::max(page_size, 0);
  SetParams(position_, min_, max_);
}

void TScrollBar::Apply() {
  if (!HandleAllocated()) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
  info.nMin = min_;
  info.nMax = max_;
  info.nPage = static_cast<UINT>(page_size_);
  info.nPos = position_;
  SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

void TScrollBar::Scroll(int code) {
  int position = position_;
  switch (code) {
    case SB_LINEUP:
      position -= SmallChange;
      break;
    case SB_LINEDOWN:
      position += SmallChange;
      break;
    case SB_PAGEUP:
      position -= LargeChange;
      break;
    case SB_PAGEDOWN:
      position += LargeChange;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_TRACKPOS;
      GetScrollInfo(Handle(), SB_CTL, &info);
      position = info.nTrackPos;
      break;
    }
    case SB_TOP:
      position = min_;
      break;
    case SB_BOTTOM:
      position = max_;
      break;
    default:
      return;
  }
  SetPosition(position);
}

void TScrollBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    Scroll(LOWORD(m.WParam));
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}

void TScrollBar::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Enum(
      "Kind", {"sbHorizontal", "sbVertical"}, [this] { return static_cast<std::int64_t>(kind_); },
      [this](std::int64_t v) { SetKind(static_cast<TScrollBarKind>(v)); });
  table.Int(
      "Min", [this] { return min_; },
      [this](std::int64_t v) { SetParams(position_, static_cast<int>(v), max_); });
  table.Int(
      "Max", [this] { return max_; },
      [this](std::int64_t v) { SetParams(position_, min_, static_cast<int>(v)); });
  table.Int(
      "Position", [this] { return position_; },
      [this](std::int64_t v) { SetPosition(static_cast<int>(v)); });
  table.Int(
      "PageSize", [this] { return page_size_; },
      [this](std::int64_t v) { SetPageSize(static_cast<int>(v)); });
  table.Int(
      "SmallChange", [this] { return SmallChange; },
      [this](std::int64_t v) { SmallChange = static_cast<int>(v); });
  table.Int(
      "LargeChange", [this] { return LargeChange; },
      [this](std::int64_t v) { LargeChange = static_cast<int>(v); });
}
