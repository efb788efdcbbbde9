#include "framework/TrackBar.h"

#include <commctrl.h>

#include <algorithm>

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 45);
}

void TTrackBar::CreateParams(TCreateParams& params) {
  params.class_name = TRACKBAR_CLASSW;
  params.style |= WS_TABSTOP;
  if (orientation_ == trVertical) params.style |= TBS_VERT;
  if (tick_style_ == tsNone) {
    params.style |= TBS_NOTICKS;
  } else {
    params.style |= TBS_AUTOTICKS;
  }
  // The tick side also gives the thumb its shape: pointing to the ticks, or
  // square with ticks on both sides.
  if (tick_marks_ == tmTopLeft) params.style |= TBS_TOP;
  if (tick_marks_ == tmBoth) params.style |= TBS_BOTH;
}

void TTrackBar::CreateWnd() {
  Apply();
}

void TTrackBar::Apply() {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, min_);
  SendMessageW(Handle(), TBM_SETRANGEMAX, FALSE, max_);
  SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
  SendMessageW(Handle(), TBM_SETPOS, TRUE, position_);
}

void TTrackBar::Restyle() {
  if (!HandleAllocated()) return;
  TCreateParams params;
  CreateParams(params);
  constexpr DWORD kShape = TBS_VERT | TBS_NOTICKS | TBS_AUTOTICKS | TBS_TOP | TBS_BOTH;
  auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  style = (style & ~kShape) | (params.style & kShape);
  SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(style));
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  // Ticks are laid out again for the new shape.
  SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
  Invalidate();
}

int TTrackBar::Position() const {
  if (!HandleAllocated()) return position_;
  return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
}

void TTrackBar::SetMin(int min) {
  min_ = min;
  max_ = std::max(max_, min_);
  SetPosition(position_);
}

void TTrackBar::SetMax(int max) {
  max_ = max;
  min_ = std::min(min_, max_);
  SetPosition(position_);
}

void TTrackBar::SetPosition(int position) {
  const int old = position_;
  position_ = std::clamp(position, min_, max_);
  Apply();
  if (position_ != old && OnChange) OnChange(this);
}

void TTrackBar::SetFrequency(int frequency) {
  frequency_ = std::max(frequency, 1);
  if (HandleAllocated()) {
    SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 0);
    Invalidate();
  }
}

void TTrackBar::SetOrientation(TTrackBarOrientation orientation) {
  orientation_ = orientation;
  Restyle();
}

void TTrackBar::SetTickMarks(TTickMark marks) {
  tick_marks_ = marks;
  Restyle();
}

void TTrackBar::SetTickStyle(TTickStyle style) {
  tick_style_ = style;
  Restyle();
}

void TTrackBar::Follow() {
  const int now = static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
  if (now == position_) return;
  position_ = now;
  if (OnChange) OnChange(this);
}

void TTrackBar::WndProc(TMessage& m) {
  // The control tells its parent of every move of the thumb (mouse, keys,
  // wheel); the parent hands it back here.
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    Follow();
    m.Result = 0;
    return;
  }
  TWinControl::WndProc(m);
}

void TTrackBar::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Enum(
      "Orientation", {"trHorizontal", "trVertical"},
      [this] { return static_cast<std::int64_t>(orientation_); },
      [this](std::int64_t v) { SetOrientation(static_cast<TTrackBarOrientation>(v)); });
  table.Enum(
      "TickMarks", {"tmBottomRight", "tmTopLeft", "tmBoth"},
      [this] { return static_cast<std::int64_t>(tick_marks_); },
      [this](std::int64_t v) { SetTickMarks(static_cast<TTickMark>(v)); });
  table.Enum(
      "TickStyle", {"tsNone", "tsAuto"}, [this] { return static_cast<std::int64_t>(tick_style_); },
      [this](std::int64_t v) { SetTickStyle(static_cast<TTickStyle>(v)); });
  table.Int(
      "Min", [this] { return min_; }, [this](std::int64_t v) { SetMin(static_cast<int>(v)); });
  table.Int(
      "Max", [this] { return max_; }, [this](std::int64_t v) { SetMax(static_cast<int>(v)); });
  table.Int(
      "Position", [this] { return Position(); },
      [this](std::int64_t v) { SetPosition(static_cast<int>(v)); });
  table.Int(
      "Frequency", [this] { return frequency_; },
      [this](std::int64_t v) { SetFrequency(static_cast<int>(v)); });
}
