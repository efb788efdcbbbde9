#pragma once
// The Windows side of TBitmap and TImageList: DIB sections made from the
// pixels in memory, pixels read back from GDI bitmaps and device contexts,
// drawing into a device context, and common-controls image lists.
#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "framework/Bitmap.h"
#include "framework/GdiObjects.h"
#include "framework/ImageList.h"

// An owned GDI bitmap; deleted when it goes.
using THBitmap = TOwnedBitmap;

// An owned common-controls image list.
class THImageList {
 public:
  THImageList() = default;
  explicit THImageList(HIMAGELIST h) : h_(h) {}
  ~THImageList() {
    if (h_) ImageList_Destroy(h_);
  }
  THImageList(const THImageList&) = delete;
  THImageList& operator=(const THImageList&) = delete;
  THImageList(THImageList&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  THImageList& operator=(THImageList&& o) noexcept {
    std::swap(h_, o.h_);
    return *this;
  }
  HIMAGELIST Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

 private:
  HIMAGELIST h_ = nullptr;
};

// A 32-bit DIB section with a copy of the pixels; no handle for an empty
// bitmap or when the system refuses.
THBitmap MakeDibSection(const TBitmap& bitmap);
// A 32-bit top-down DIB section of width x height whose pixel words (the
// layout of TBitmap's) are at `*bits`; no handle when the system refuses.
THBitmap MakeBlankDibSection(int width, int height, std::uint32_t** bits);
// The pixels of any GDI bitmap (not selected into a DC); false and an empty
// bitmap when they cannot be read.
bool ReadGdiBitmap(HBITMAP handle, TBitmap& bitmap);
// What `dc` holds in `rect` (a memory DC with a bitmap, or a window DC).
TBitmap ReadDCPixels(HDC dc, const TRect& rect);

// Draws the bitmap with its top-left corner at (x, y). A bitmap with
// Transparent set leaves the DC's pixels where it has TransparentColor.
void DrawBitmap(HDC dc, int x, int y, const TBitmap& bitmap);

// A masked image list with the same cells, drawn at `dpi` (the list's
// sizes are 96-DPI units).
THImageList MakeImageListHandle(const TImageList& list, int dpi = 96);
