// Images the skin data builds from other skin objects: the drop-down box
// strips of the combo box, the combo arrow and the tool-bar background.
#include <algorithm>

#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"

namespace {

constexpr int kComboWidth = 50;
constexpr int kComboHeight = 21;
constexpr int kArrowSize = 17;

}  // namespace

void TSkinData::BuildComboButtonStrip() {
  TDataSkinBorder* button = BorderObject(ssComboButton);
  TDataSkinObject* edge = Object(ssSunkEdge);
  if (!button || !edge) return;
  const int n = edge->Frame;
  const int w = environment_.Platform().ScrollArrowWidth() + 2;
  const TDataSkinObject* extra = Object(ssExtraImages);
  // One complete drop-down box per cell of the sunken edge, side by side;
  // magenta wherever nothing is drawn.
  TBitmap strip(kComboWidth * std::max(n, 0), kComboHeight, clFuchsia);
  for (int k = 1; k <= n; ++k) {
    const int x = kComboWidth * (k - 1);
    DrawSkinCell(strip, Bounds(x, 0, kComboWidth, kComboHeight), *edge, edge->Frame, k);
    const TRect arrow{x + kComboWidth - w, 0, x + kComboWidth, kComboHeight};
    DrawSkinCell(strip, arrow, *button, button->Frame, k);
    if (extra && !extra->Bitmap.Empty() && extra->Frame > 0) {
      const int cw = extra->Bitmap.Width() / extra->Frame;
      const int ch = extra->Bitmap.Height();
      const TRect cell = Bounds(arrow.left + (arrow.Width() - cw) / 2,
                                arrow.top + (arrow.Height() - ch) / 2, cw, ch);
      strip.CopyRect(cell, extra->Bitmap, Bounds(cw * (k - 1), 0, cw, ch), true, clFuchsia);
    }
    // The edit area stays transparent.
    strip.FillRect({x + 2, 2, x + kComboWidth - 1 - w, 18}, clFuchsia);
  }
  strip.SetBitCount(24);
  // The box's left end keeps the edge's own margin: its rounded corners
  // are drawn whole at any width, where a narrower margin would spread the
  // rest of each corner along the top and bottom edges.
  const int corner = std::clamp(edge->LeftWidth, 2, kComboWidth - w - 3);
  button->Style = 2;
  button->LeftWidth = corner;
  button->TopHeight = edge->TopHeight;
  button->RightWidth = w + 2;
  button->BottomHeight = edge->BottomHeight;
  button->Bitmap = strip;
  MirrorBitmap(strip);
  edge->Bitmap = std::move(strip);
  edge->LeftWidth = w + 2;
  edge->RightWidth = corner;
}

void TSkinData::BuildComboArrow() {
  // Made afresh for every skin, so a skin without a combo button leaves no
  // arrow of the skin before it behind.
  slots_[ssComboxArrow] = std::make_unique<TDataSkinObject>("ComboxArrow");
  TDataSkinObject& arrow = *slots_[ssComboxArrow];
  const TDataSkinObject* button = Object(ssComboButton);
  if (!button) return;
  const TDataSkinObject* edge = Object(ssSunkEdge);
  if (!edge) {
    arrow.Bitmap = button->Bitmap;
    // The face colour goes into the pixels, so a system colour is resolved
    // here rather than written as its index.
    ReplaceKeyColor(arrow.Bitmap, ColorToRGB(colours_.ButtonFace));
    arrow.Frame = button->Frame;
    return;
  }
  if (button->Style != 2) return;
  const int n = edge->Frame;
  if (n <= 0) return;
  // Each cell is the arrow part of one drop-down box of the strip.
  const int c = button->Bitmap.Width() / n;
  TBitmap image(kArrowSize * n, kArrowSize, clFuchsia);
  for (int i = 0; i < n; ++i) {
    image.CopyRect(Bounds(kArrowSize * i, 0, kArrowSize, kArrowSize), button->Bitmap,
                   Bounds(c * (i + 1) - 19, 2, kArrowSize, kArrowSize));
  }
  arrow.Bitmap = std::move(image);
  arrow.Frame = n;
}

void TSkinData::BuildToolbarBackground() {
  const TColor t = TitleBarColour();
  TColor bottom = Blend(clGray, t, 150);
  const TColor top = Blend(colours_.ButtonFace, clWhite, 150);
  const int s = ColorSaturation(t);
  if (s > 110) bottom = Blend(t, clWhite, (5625 - 25 * s) / 140 + 50);
  TBitmap image(10, 40);
  FillGradient(gradients_, image, image.BoundsRect(), top, true, bottom);
  if (!slots_[ssToolbar]) slots_[ssToolbar] = std::make_unique<TDataSkinObject>("Toolbar");
  slots_[ssToolbar]->Bitmap = std::move(image);
  slots_[ssToolbar]->Frame = 1;
}
