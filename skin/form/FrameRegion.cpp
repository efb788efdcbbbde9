#include "skin/form/FrameRegion.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/form/FrameGeometry.h"

namespace {

// One call to the system for up to kRegionBatch rectangles.
HRGN RegionOf(const TRect* rects, size_t count) {
  std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + count * sizeof(RECT));
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  RECT bound{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
  auto* out = reinterpret_cast<RECT*>(data->Buffer);
  for (size_t i = 0; i < count; ++i) {
    const TRect& r = rects[i];
    out[i] = RECT{r.left, r.top, r.right, r.bottom};
    bound.left = std::min<LONG>(bound.left, r.left);
    bound.top = std::min<LONG>(bound.top, r.top);
    bound.right = std::max<LONG>(bound.right, r.right);
    bound.bottom = std::max<LONG>(bound.bottom, r.bottom);
  }
  data->rdh.dwSize = sizeof(RGNDATAHEADER);
  data->rdh.iType = RDH_RECTANGLES;
  data->rdh.nCount = static_cast<DWORD>(count);
  data->rdh.nRgnSize = 0;
  data->rdh.rcBound = bound;
  return ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
}

}  // namespace

HRGN BitmapToRegion(const TBitmap& bitmap, int dx, int dy, int tolerance, TColor key) {
  const std::vector<TRect> runs = OpaqueRuns(bitmap, dx, dy, key, tolerance);
  HRGN result = nullptr;
  for (size_t first = 0; first < runs.size(); first += kRegionBatch) {
    const size_t count = std::min(kRegionBatch, runs.size() - first);
    HRGN batch = RegionOf(&runs[first], count);
    if (!batch) continue;
    if (!result) {
      result = batch;
    } else {
      CombineRgn(result, result, batch, RGN_OR);
      DeleteObject(batch);
    }
  }
  return result ? result : CreateRectRgn(0, 0, 0, 0);
}
