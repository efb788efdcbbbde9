#include "skin/form/FrameGeometry.h"

#include <algorithm>

#include "skin/data/WinSkinData.h"

namespace {

// The window states a visibility code asks for. `strict` is the first code
// of a button (Visibility), which for codes 6 and 8 also needs the system
// menu and asks the window for 1000 to 2000; the second (Visibility1) does
// not.
bool VisibilityHolds(int code, const TCaptionWindowState& s, int action, bool strict) {
  const bool max_box = (s.border_icons & kIconMaximize) != 0;
  const bool min_box = (s.border_icons & kIconMinimize) != 0;
  const bool sys_menu = (s.border_icons & kIconSystemMenu) != 0;
  if (code < 0) return false;
  switch (code) {
    case 0:
      return true;
    case 1:
      return s.maximized;
    case 2:
      return !s.maximized;
    case 3:
      return s.active;
    case 4:
      return !s.active;
    case 5:
      return false;
    case 6:
      return max_box && (!strict || sys_menu);
    case 7:
      return !max_box;
    case 8:
      return min_box && (!strict || sys_menu);
    case 9:
      return !min_box;
    case 100:
      return s.mdi_child_maximized_in_menu_bar;
    case 200:
      return !s.system_dialog && s.frame_kind == fkDialog;
    default:
      break;
  }
  if (code < 100) return false;
  if (code < 200) return false;
  if (code < 1000) return true;
  if (code <= 2000) {
    if (!strict) return true;
    return s.ask_window && s.ask_window(code, action) > 0;
  }
  return false;
}

bool ActionAllows(int action, const TCaptionWindowState& s) {
  switch (action) {
    case 0:
      return (s.border_icons & kIconSystemMenu) != 0;
    case 1:
      return (s.border_icons & kIconMaximize) != 0;
    case 2:
      return (s.border_icons & kIconMinimize) != 0;
    case 3:
    case 11:
    case 12:
      return s.frame_kind != fkDialog;
    default:
      return true;
  }
}

}  // namespace

TFrameMetrics FrameMetricsOf(const TSkinData& data, TFrameKind kind, int dpi) {
  if (kind == fkNone) return {};
  const TDataSkinBorder& left = data.FrameBorder(fbLeft);
  const TDataSkinBorder& right = data.FrameBorder(fbRight);
  const TDataSkinBorder& top = data.FrameBorder(fbTop);
  const TDataSkinBorder& bottom = data.FrameBorder(fbBottom);
  TFrameMetrics m;
  m.caption = SkinScale(top.Bitmap.Height() / FrameCount(top.Frame), dpi);
  m.left = SkinScale(left.Bitmap.Width() / FrameCount(left.Frame), dpi);
  m.right = SkinScale(right.Bitmap.Width() / FrameCount(right.Frame), dpi);
  m.bottom = SkinScale(bottom.Bitmap.Height() / FrameCount(bottom.Frame), dpi);
  return m;
}

bool FrameUsable(const TFrameMetrics& frame, int area_width, int area_height) {
  if (frame.caption < kMinSkinnedCaption || frame.left < 1 || frame.right < 1 || frame.bottom < 1) {
    return false;
  }
  // Summed wide: the sizes come from the skin's images and may be anything.
  const long long across = static_cast<long long>(frame.left) + frame.right;
  const long long down = static_cast<long long>(frame.caption) + frame.bottom;
  return across <= area_width / 2 && down <= area_height / 2;
}

TRect SkinnedClientRect(const TRect& window, const TFrameMetrics& frame, int menu_bar) {
  return {window.left + frame.left, window.top + frame.caption + menu_bar,
          window.right - frame.right, window.bottom - frame.bottom};
}

bool CaptionButtonVisible(const TDataSkinSysButton& button, const TCaptionWindowState& state) {
  return VisibilityHolds(button.Visibility, state, button.Action, true) &&
         VisibilityHolds(button.Visibility1, state, button.Action, false) &&
         ActionAllows(button.Action, state);
}

TRect CaptionButtonBounds(const TDataSkinSysButton& button, int width, int height,
                          const TCaptionLayoutFrame& frame) {
  const TRect base{0, 0, width, height};
  const int x_coord = SkinScale(button.Xcoord, frame.dpi);
  const int y_coord = SkinScale(button.Ycoord, frame.dpi);
  switch (button.Align) {
    case 0:
    case 3:
    case 9:
      return base.Offset(x_coord, y_coord);
    case 1:
      return base.Offset(frame.frame_width - x_coord, y_coord);
    case 2:
    case 8:
      return base.Offset(-width - x_coord, y_coord);
    case 100: {
      const int y = frame.metrics.caption + (frame.menu_bar - height) / 2;
      const int x = frame.right_to_left
                        ? frame.metrics.left + x_coord + frame.menu_bar_margin
                        : frame.frame_width - frame.metrics.right - x_coord - frame.menu_bar_margin;
      return base.Offset(x, y);
    }
    default:
      return base;
  }
}

std::vector<TRect> OpaqueRuns(const TBitmap& bitmap, int dx, int dy, TColor key, int tolerance) {
  std::vector<TRect> runs;
  const int t = std::max(tolerance, 0);
  const int r0 = RedOf(key), g0 = GreenOf(key), b0 = BlueOf(key);
  const int r1 = std::min(255, r0 + t), g1 = std::min(255, g0 + t), b1 = std::min(255, b0 + t);
  auto transparent = [&](std::uint32_t pixel) {
    const int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    return r >= r0 && r <= r1 && g >= g0 && g <= g1 && b >= b0 && b <= b1;
  };
  // A row whose runs are those of the row above extends that row's
  // rectangles downwards instead of adding its own: the stretched parts of a
  // frame repeat one row many times.
  size_t previous_first = 0;  // the rectangles of the row above
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::uint32_t* row = bitmap.ScanLine(y);
    const size_t first = runs.size();
    int x = 0;
    const int w = bitmap.Width();
    while (x < w) {
      while (x < w && transparent(row[x])) ++x;
      const int start = x;
      while (x < w && !transparent(row[x])) ++x;
      if (x > start) runs.push_back({start + dx, y + dy, x + dx, y + dy + 1});
    }
    const size_t count = runs.size() - first;
    const bool same =
        y > 0 && count == first - previous_first &&
        std::equal(runs.begin() + static_cast<std::ptrdiff_t>(first), runs.end(),
                   runs.begin() + static_cast<std::ptrdiff_t>(previous_first),
                   [](const TRect& a, const TRect& b) {
                     return a.left == b.left && a.right == b.right && a.top == b.bottom;
                   });
    if (same) {
      for (size_t i = previous_first; i < first; ++i) ++runs[i].bottom;
      runs.resize(first);
    } else {
      previous_first = first;
    }
  }
  return runs;
}
