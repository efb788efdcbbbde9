#include "skin/controls/SkinProgress.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/ImgUtil.h"

int ProgressFill(int length, int position, int maximum) {
  if (length <= 0 || position <= 0 || maximum <= 0) return 0;
  if (position >= maximum) return length;
  return static_cast<int>(static_cast<long long>(length) * position / maximum);
}

bool TSkinProgress::BeforeMessage(TMessage& m) {
  // Without an image the control paints and erases itself as the system
  // would; only a skinned bar keeps the background from being painted first.
  if (const auto answer = PaintWholeOrPassOn(m, ProgressObject() != nullptr)) return *answer;
  return TSkinControl::BeforeMessage(m);
}

const TDataSkinObject* TSkinProgress::ProgressObject() const {
  const TDataSkinObject* progress = data_ ? data_->Object(ssProgress) : nullptr;
  return progress && !progress->Bitmap.Empty() ? progress : nullptr;
}

void TSkinProgress::SkinChanged() {
  trough_ = {};
  TSkinControl::SkinChanged();
}

const TBitmap& TSkinProgress::Trough(const TDataSkinObject& progress, int width, int height,
                                     int frames) {
  const int dpi = Dpi();
  if (trough_.object != &progress || trough_.width != width || trough_.height != height ||
      trough_.frames != frames || trough_.dpi != dpi) {
    trough_ = {&progress, width, height,
               frames,    dpi,   RenderSkinCell(progress, width, height, frames, 1, dpi)};
  }
  return trough_.image;
}

TBitmap TSkinProgress::DrawBar(const TDataSkinObject& progress, int width, int height, int fill) {
  TBitmap bar(width, height, FaceColour());
  bar.SetBitCount(24);
  const bool trans = progress.Trans == 1;
  const int dpi = Dpi();
  bar.Draw(0, 0, Trough(progress, width, height, 2), trans, clFuchsia);
  if (fill > 0) {
    bar.Draw(0, 0, RenderSkinCell(progress, fill, height, 2, 2, dpi), trans, clFuchsia);
  }
  return bar;
}

TBitmap TSkinProgress::DrawChunks(const TDataSkinObject& progress, int width, int height,
                                  int fill) {
  TBitmap bar(width, height, FaceColour());
  bar.SetBitCount(24);
  const int dpi = Dpi();
  bar.Draw(0, 0, Trough(progress, width, height, 1), true, clFuchsia);
  const TDataSkinObject* chunk = data_->Object(ssProgressChunk);
  if (!chunk || chunk->Bitmap.Empty() || fill <= 0) return bar;
  // The trough's inner gap, the blocks and their caps are 96-DPI pixels of
  // the skin: all of them grow with the window's DPI.
  const int gap = SkinScale(2, dpi);
  if (chunk->Tile == 1) {
    // Blocks side by side from just inside the trough's left end up to the
    // filled length, centred across the bar.
    const TBitmap block = RenderSkinPart(SkinScale(chunk->Bitmap.Width(), dpi),
                                         SkinScale(chunk->Bitmap.Height(), dpi), chunk->Bitmap, {},
                                         false, false, 1, 1, dpi);
    const int x = SkinScale(std::max(0, chunk->LeftWidth), dpi) + gap;
    const int strip_width = std::min(fill, width - gap) - x;
    if (strip_width <= 0 || block.Width() <= 0) return bar;
    TBitmap strip(strip_width, block.Height(), FaceColour());
    for (int at = 0; at < strip_width; at += block.Width()) strip.Draw(at, 0, block);
    bar.Draw(x, (height - block.Height()) / 2, strip, chunk->Trans == 1, clFuchsia);
    return bar;
  }
  // One block stretched over the filled length, its end caps kept, a gap
  // in from the trough's edges.
  const int strip_width = std::min(fill, width - gap) - gap;
  const int strip_height = height - 2 * gap;
  if (strip_width <= 0 || strip_height <= 0) return bar;
  const TSkinMargins caps{chunk->LeftWidth, 0, chunk->RightWidth, 0};
  const TBitmap strip =
      RenderSkinPart(strip_width, strip_height, chunk->Bitmap, caps, false, false, 1, 1, dpi);
  bar.Draw(gap, gap, strip, chunk->Trans == 1, clFuchsia);
  return bar;
}

void TSkinProgress::DrawTo(HDC dc, const TRect& rect) {
  const TDataSkinObject* progress = ProgressObject();
  if (!progress || rect.Width() <= 0 || rect.Height() <= 0) return;
  const bool vertical = (Style() & PBS_VERTICAL) != 0;
  // A vertical bar is drawn lying down, its length along x.
  const int length = vertical ? rect.Height() : rect.Width();
  const int across = vertical ? rect.Width() : rect.Height();
  const int position = static_cast<int>(SendMessageW(handle_, PBM_GETPOS, 0, 0));
  const int maximum = static_cast<int>(SendMessageW(handle_, PBM_GETRANGE, FALSE, 0));
  const int fill = ProgressFill(length, position, maximum);
  TBitmap bar = progress->Style == 1 ? DrawChunks(*progress, length, across, fill)
                                     : DrawBar(*progress, length, across, fill);
  // A quarter turn to the left puts the start of the bar at the bottom.
  if (vertical) RotateBitmapLeft(bar);
  if (!buffer_.SetSize(rect.Width(), rect.Height())) return;
  buffer_.Draw(0, 0, bar);
  buffer_.CopyTo(dc, rect.left, rect.top);
}
