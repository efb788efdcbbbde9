#include "skin/controls/SkinUpDown.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "framework/StringList.h"
#include "skin/controls/ContentColours.h"
#include "skin/data/SkinManage.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"

namespace {

// Inside an edit the buttons keep this far from the edit's outer edges, in
// 96-DPI pixels: the edit's border grows with the DPI, and so does the gap.
constexpr int kEmbeddedGap = 3;

struct TSegment {
  int x1, y1, x2, y2;
};

// The small arrows of buttons without the skin's strip, as lines from an
// anchor point (the part's centre, two pixels higher for up and down).
constexpr std::array<TSegment, 7> kUpArrow{{{0, 0, 0, -1},
                                            {1, 1, 4, 4},
                                            {0, 1, 3, 4},
                                            {0, 2, 2, 4},
                                            {-1, 1, -4, 4},
                                            {0, 2, -3, 4},
                                            {0, 1, -2, 4}}};
constexpr std::array<TSegment, 7> kDownArrow{{{0, 3, 0, 4},
                                              {1, 2, 4, -1},
                                              {0, 2, 3, -1},
                                              {0, 1, 2, 0},
                                              {-1, 2, -4, -1},
                                              {0, 2, -3, -1},
                                              {0, 1, -2, 0}}};
constexpr std::array<POINT, 5> kLeftArrow{{{0, 0}, {1, 2}, {1, -2}, {-1, 0}, {1, 2}}};
constexpr std::array<POINT, 5> kRightArrow{{{0, 0}, {-1, 2}, {-1, -2}, {1, 0}, {-1, 2}}};

}  // namespace

bool TSkinUpDown::Horizontal() const {
  return horizontal_ || (Style() & UDS_HORZ) != 0;
}

TRect TSkinUpDown::ButtonsRect() const {
  RECT w{};
  if (!handle_ || !GetWindowRect(handle_, &w)) return {};
  TRect r{0, 0, w.right - w.left, w.bottom - w.top};
  HWND parent = embedded_ ? GetParent(handle_) : nullptr;
  RECT p{};
  if (parent && GetWindowRect(parent, &p)) {
    // Where the spin button comes closer than the gap to the edit's outer
    // edge, its buttons are drawn further in.
    const int gap = SkinScale(kEmbeddedGap, Dpi());
    if (w.top - p.top < gap) r.top += gap - (w.top - p.top);
    if (p.right - w.right < gap) r.right -= gap - (p.right - w.right);
    if (p.bottom - w.bottom < gap) r.bottom -= gap - (p.bottom - w.bottom);
    if (w.left - p.left < gap) r.left += gap - (w.left - p.left);
  }
  return r;
}

int TSkinUpDown::PartAt(POINT client) const {
  const TRect r = ButtonsRect();
  if (r.Empty() || client.x < r.left || client.x >= r.right || client.y < r.top ||
      client.y >= r.bottom) {
    return -1;
  }
  if (Horizontal()) return client.x < r.left + r.Width() / 2 ? 0 : 1;
  return client.y < r.top + r.Height() / 2 ? 0 : 1;
}

int TSkinUpDown::StateOf(int part, int cursor_part) const {
  if (!enabled_) return 3;
  // Pressed and hot show on the button under the mouse only.
  if (cursor_part != part) return 1;
  if (mouse_state_ & kMousePressed) return 2;
  if (mouse_state_ & kMouseHot) return 4;
  return 1;
}

void TSkinUpDown::SetHotPart(int part) {
  if (part == hot_part_) return;
  hot_part_ = part;
  PaintWindow(nullptr);
}

bool TSkinUpDown::BeforeMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      PaintMessage(m);
      return false;
    case WM_ERASEBKGND:
      // The paint covers the whole window.
      m.Result = 1;
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      // The control's own press runs first: it changes the value and
      // starts repeating.
      const auto alive = AliveToken();
      CallPrevious(m);
      if (!*alive) return false;
      mouse_state_ |= kMousePressed | kMouseHot;
      hot_part_ =
          PartAt({static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))});
      PaintWindow(nullptr);
      return false;
    }
    case WM_LBUTTONUP: {
      mouse_state_ &= ~kMousePressed;
      const auto alive = AliveToken();
      CallPrevious(m);
      if (!*alive) return false;
      PaintWindow(nullptr);
      return false;
    }
    case WM_MOUSEMOVE:
      if (!(mouse_state_ & kMouseHot)) {
        mouse_state_ |= kMouseHot;
        TrackMouseLeave();
      }
      SetHotPart(
          PartAt({static_cast<short>(LOWORD(m.LParam)), static_cast<short>(HIWORD(m.LParam))}));
      return true;
    case WM_MOUSELEAVE:
      mouse_state_ &= ~kMouseHot;
      hot_part_ = -1;
      PaintWindow(nullptr);
      break;
    default:
      break;
  }
  return TSkinControl::BeforeMessage(m);
}

void TSkinUpDown::DrawTo(HDC dc, const TRect& rect) {
  if (rect.Empty() || !buffer_.SetSize(rect.Width(), rect.Height())) return;
  HWND parent = GetParent(handle_);
  enabled_ = IsWindowEnabled(handle_) && (!embedded_ || !parent || IsWindowEnabled(parent));
  // Inside an edit the space around the buttons is the edit's text area.
  const TColor back = embedded_
                          ? ContentLook(data_->Colours(), enabled_ ? csNormal : csDisabled).back
                          : FaceColour();
  buffer_.Fill(buffer_.BoundsRect(), back);
  const TRect r = ButtonsRect();
  if (!r.Empty()) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const int cursor_part = WindowFromPoint(cursor) == handle_ && ScreenToClient(handle_, &cursor)
                                ? PartAt(cursor)
                                : -1;
    const bool horizontal = Horizontal();
    const TDataSkinObject* object = data_->Object(horizontal ? ssUpDownHorz : ssUpDownVert);
    if (object && object->Bitmap.Empty()) object = nullptr;
    TRect first = r, second = r;
    if (horizontal) {
      first.right = second.left = r.left + r.Width() / 2;
    } else {
      first.bottom = second.top = r.top + r.Height() / 2;
    }
    DrawPart(first, 0, StateOf(0, cursor_part), object);
    DrawPart(second, 1, StateOf(1, cursor_part), object);
  }
  buffer_.CopyTo(dc, rect.left, rect.top);
}

void TSkinUpDown::DrawPart(const TRect& r, int button, int state, const TDataSkinObject* object) {
  if (r.Empty()) return;
  if (!object) {
    DrawPlainPart(r, button, state);
    return;
  }
  const int frames = object->Frame > 0 ? object->Frame : 8;
  const int frame = std::min(state + 4 * button, frames);
  DrawSkinState(buffer_, r, frames, frame, *object, Dpi());
  const auto* with_glyph = dynamic_cast<const TDataSkinBorder*>(object);
  if (!with_glyph || with_glyph->Bitmap2.Empty()) return;
  // The arrow: the same cell of the glyph image at its size for the DPI
  // (smaller when the button is), centred; magenta stays a hole.
  const int dpi = Dpi();
  const TBitmap& arrows = with_glyph->Bitmap2;
  const int width = std::min(SkinScale(arrows.Width() / frames, dpi), r.Width());
  const int height = std::min(SkinScale(arrows.Height(), dpi), r.Height());
  if (width <= 0 || height <= 0) return;
  buffer_.Draw(r.left + (r.Width() - width) / 2, r.top + (r.Height() - height) / 2,
               ScaleSkinCell(arrows, frames, frame, width, height), true);
}

void TSkinUpDown::DrawPlainPart(const TRect& r, int button, int state) {
  HDC dc = buffer_.DC();
  const TSkinColours& colours = data_->Colours();
  const bool down = state == 2 || state == 4;
  TOwnedPen edge(
      CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(colours.ButtonDkShadow) & 0xFFFFFF)));
  TOwnedBrush fill(CreateSolidBrush(static_cast<COLORREF>(
      ColorToRGB(down ? colours.ButtonShadow : colours.ButtonFace) & 0xFFFFFF)));
  const HGDIOBJ old_pen = SelectObject(dc, edge.Get());
  const HGDIOBJ old_brush = SelectObject(dc, fill.Get());
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  const TColor ink = state == 3 ? colours.ButtonShadow : colours.ButtonText;
  const int x = r.left + r.Width() / 2, y = r.top + r.Height() / 2;
  // The arrow's lines are 96-DPI pixels from its anchor: at another DPI the
  // offsets and the pen grow alike.
  const int dpi = Dpi();
  const auto at = [dpi](int offset) { return SkinScale(offset, dpi); };
  TOwnedPen arrow(
      CreatePen(PS_SOLID, std::max(1, at(1)), static_cast<COLORREF>(ColorToRGB(ink) & 0xFFFFFF)));
  SelectObject(dc, arrow.Get());
  if (Horizontal()) {
    const auto& shape = button == 0 ? kLeftArrow : kRightArrow;
    std::array<POINT, 5> points{};
    for (size_t i = 0; i < shape.size(); ++i) points[i] = {x + at(shape[i].x), y + at(shape[i].y)};
    Polyline(dc, points.data(), static_cast<int>(points.size()));
  } else {
    for (const TSegment& s : button == 0 ? kUpArrow : kDownArrow) {
      MoveToEx(dc, x + at(s.x1), y + at(s.y1 - 2), nullptr);
      LineTo(dc, x + at(s.x2), y + at(s.y2 - 2));
    }
  }
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
}

HWND UpDownChildOf(HWND parent) {
  for (HWND child = GetTopWindow(parent); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (AsciiLower(WindowClassName(child)) == "msctls_updown32") return child;
  }
  return nullptr;
}
