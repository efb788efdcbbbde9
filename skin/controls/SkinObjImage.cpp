#include "skin/controls/SkinObjImage.h"

#include <vector>

#include "framework/Graphic.h"
#include "skin/controls/SkinProps.h"
#include "skin/data/WinSkinData.h"

namespace {

// Cell copies "new cell <- skin cell", counted from 0.
struct TCellCopy {
  int to;
  int from;
};

}  // namespace

TBitmap MakeGlyphStrip(int kind, const TBitmap& source, int frames) {
  if (source.Empty() || frames < 1) return {};
  const int w = source.Width() / frames;
  const int h = source.Height();
  if (w <= 0) return {};
  std::vector<TCellCopy> copies;
  int cells = 0;
  switch (kind) {
    case 1:
      cells = 9;
      copies = {{0, 0}, {3, 0}, {1, 1}, {4, 1}, {6, 2}, {7, 3}};
      if (frames == 5) copies.insert(copies.end(), {{2, 4}, {5, 4}, {8, 4}});
      break;
    case 2:
      cells = 6;
      copies = {{0, 0}, {2, 0}, {1, 1}, {3, 1}, {4, 2}, {5, 3}};
      break;
    case 3:
      cells = 6;
      copies = {{0, 0}, {3, 0}, {1, 1}, {4, 1}};
      if (frames == 5) copies.insert(copies.end(), {{2, 4}, {5, 4}});
      break;
    default:
      return {};
  }
  TBitmap strip(w * cells, h, clFuchsia);
  for (const TCellCopy& c : copies) {
    if (c.from >= frames) continue;
    strip.CopyRect(Bounds(c.to * w, 0, w, h), source, Bounds(c.from * w, 0, w, h));
  }
  return strip;
}

void TSkinObjImage::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data, bool) {
  if (initialized_) return;
  Adopt(control, form, data);
  HandOver();
  initialized_ = true;
  life_ = slAttached;
}

void TSkinObjImage::SkinChanged() {
  HandOver();
}

void TSkinObjImage::HandOver() {
  if (!control_) return;
  const TDataSkinButton& buttons = data_->Buttons();
  const bool radio = kind_ == 2;
  const TBitmap& source = radio ? buttons.RadioBitmap : buttons.CheckBitmap;
  const int frames = radio ? buttons.RadioButtonFrame : buttons.CheckButtonFrame;
  TBitmap strip = MakeGlyphStrip(kind_, source, frames);
  if (strip.Empty()) return;
  if (kind_ == 3) {
    auto* properties = PropObject<TPersistent>(control_, "Properties");
    if (auto* glyph = PropObject<TGraphic>(properties, "Glyph")) {
      glyph->Bitmap = std::move(strip);
      glyph->Bitmap.TransparentColor = clFuchsia;
      glyph->Bitmap.Transparent = false;
    }
    control_->Invalidate();
    return;
  }
  if (auto* glyphs = PropObject<TGraphic>(control_, "CustomGlyphs"))
    glyphs->Bitmap = std::move(strip);
  WriteProp(control_, "transparentcolor", std::to_string(0xFF00FF));
  // Off and on again, so the control takes the new glyphs.
  WriteProp(control_, "UseCustomGlyphs", "false");
  WriteProp(control_, "UseCustomGlyphs", "true");
}

void TSkinObjImage::Restore() {
  if (!control_) return;
  if (kind_ == 3) {
    auto* properties = PropObject<TPersistent>(control_, "Properties");
    if (auto* glyph = PropObject<TGraphic>(properties, "Glyph")) glyph->Bitmap.Clear();
  } else {
    WriteProp(control_, "UseCustomGlyphs", "false");
  }
  control_->Invalidate();
}
