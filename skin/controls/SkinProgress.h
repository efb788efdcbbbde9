#pragma once
// TSkinProgress: a progress bar drawn from the skin's "Progress" object: the
// trough (its first cell) and the bar (its second cell), or, with Style 1,
// the trough alone and a bar of "Progress.Chunk" blocks. A vertical bar is
// drawn lying down and turned, so it grows upward. Without a Progress image
// the control keeps the system look.
#include "framework/Bitmap.h"
#include "skin/controls/SkinControl.h"

class TDataSkinObject;

// How far a bar of `length` pixels is filled at `position` of a range that
// ends at `maximum`. The range's lower limit is not used: a range that
// starts above 0 fills as if it started at 0. Nothing is filled unless both
// are above 0, and a position beyond the maximum fills the whole length.
int ProgressFill(int length, int position, int maximum);

class TSkinProgress : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

  void SkinChanged() override;

 protected:
  bool BeforeMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  // The skin's Progress object when it has an image, else null.
  const TDataSkinObject* ProgressObject() const;
  // The bar lying down, `width` x `height`, filled `fill` pixels.
  TBitmap DrawBar(const TDataSkinObject& progress, int width, int height, int fill);
  // Style 1: the trough with a row of chunk blocks.
  TBitmap DrawChunks(const TDataSkinObject& progress, int width, int height, int fill);
  // The trough cell at width x height and the control's DPI: kept while
  // they stay, since a running bar repaints at every step.
  const TBitmap& Trough(const TDataSkinObject& progress, int width, int height, int frames);

  struct TTrough {
    const TDataSkinObject* object = nullptr;
    int width = 0, height = 0, frames = 0, dpi = 0;
    TBitmap image;
  };
  TTrough trough_;
};
