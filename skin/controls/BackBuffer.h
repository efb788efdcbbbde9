#pragma once
// TBackBuffer: the off-screen picture a skinned control is drawn in before
// one copy to the screen, so nothing flickers. It is a 32-bit DIB section in
// a memory DC: GDI draws text and lines into it, and skin images are put
// into its pixels directly.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>

#include "framework/Bitmap.h"
#include "framework/BitmapWin32.h"
#include "framework/Graphics.h"

class TDataSkinObject;

class TBackBuffer {
 public:
  TBackBuffer() = default;
  ~TBackBuffer();
  TBackBuffer(const TBackBuffer&) = delete;
  TBackBuffer& operator=(const TBackBuffer&) = delete;

  // Makes the buffer width x height (kept when it already is); false when
  // the system refuses the bitmap, and nothing should be drawn then.
  bool SetSize(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  TRect BoundsRect() const { return {0, 0, width_, height_}; }
  HDC DC() const { return dc_ ? dc_->Get() : nullptr; }

  void Fill(const TRect& rect, TColor colour);
  // `bitmap` at (x, y), clipped to the buffer; pixels of `key` left out
  // when `transparent`.
  void Draw(int x, int y, const TBitmap& bitmap, bool transparent = false, TColor key = clFuchsia);
  // `src` of `image` stretched (nearest pixel) over `dest`.
  void DrawStretched(const TRect& dest, const TBitmap& image, const TRect& src, bool transparent,
                     TColor key = clFuchsia);
  // The whole buffer to (x, y) of `target`.
  void CopyTo(HDC target, int x, int y) const;
  // The pixels as GDI left them (rows from the top, 0x00RRGGBB words), for
  // recolouring what a control drew into the buffer.
  std::span<std::uint32_t> Pixels();

 private:
  std::uint32_t* Row(int y) { return bits_ + static_cast<size_t>(y) * width_; }
  void Release();

  THBitmap dib_;
  std::optional<TBitmapDC> dc_;  // goes before the bitmap selected into it
  std::uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

// Cell `cell` (from 1) of the object's `frames` cells drawn nine-part into
// `rect` with its margins and Tile, magenta left out when its Trans is 1;
// at a `dpi` other than 96 its margins and pieces are scaled to it.
// A rectangle of negative width or height draws nothing.
void DrawSkinState(TBackBuffer& buffer, const TRect& rect, int frames, int cell,
                   const TDataSkinObject& object, int dpi = 96);
// Cell `cell` (from 1) of `frames` equal cells of `image` stretched over
// `rect`, magenta left out. At a `dpi` other than 96 the cell is scaled
// with the skin renderer's filter instead of the nearest pixel.
void DrawStripFrame(TBackBuffer& buffer, const TRect& rect, int frames, int cell,
                    const TBitmap& image, int dpi = 96);
