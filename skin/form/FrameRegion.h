#pragma once
// Window regions made from skin images: the opaque pixels of a bitmap
// become a region, built in batches because a region made of very many
// rectangles in one call is slow to create.
#include <windows.h>

#include "framework/Bitmap.h"

// Rectangles handed to the system per region-building call.
inline constexpr size_t kRegionBatch = 2000;

// A new region (owned by the caller) holding the pixels of `bitmap` that are
// not `key` within `tolerance` on each channel, offset by (dx, dy). An empty
// region when every pixel is transparent.
HRGN BitmapToRegion(const TBitmap& bitmap, int dx, int dy, int tolerance, TColor key);
