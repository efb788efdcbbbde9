#include "skin/controls/SkinToolBar.h"

#include <commctrl.h>

#include "framework/BitmapWin32.h"
#include "framework/ToolBar.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/WinSkinForm.h"

void PaintToolbarBackground(const TSkinData& data, HDC dc, const RECT& rect) {
  const TDataSkinObject* image = data.Object(ssToolbar);
  if (!image || image->Bitmap.Empty() || data.Options().Contains(xoToolbarBK)) return;
  THBitmap dib = MakeDibSection(image->Bitmap);
  if (!dib) return;
  TBitmapDC source(dib.Get());
  if (!source.Get()) return;
  const int mode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source.Get(),
             0, 0, image->Bitmap.Width(), image->Bitmap.Height(), SRCCOPY);
  SetStretchBltMode(dc, mode);
}

bool PaintToolbarButton(const TSkinData& data, HDC dc, const RECT& rect, UINT state,
                        COLORREF& text) {
  const TDataSkinButton& skin = data.Buttons();
  if (skin.Bitmap.Empty()) return false;
  auto colour = [](TColor c) { return static_cast<COLORREF>(ColorToRGB(c) & 0xFFFFFF); };
  // Captions are written in the skin's text colour on its face.
  if (!(state & (CDIS_GRAYED | CDIS_DISABLED))) text = colour(data.Colours().ButtonText);
  int frame = 0;
  if (state & (CDIS_SELECTED | CDIS_CHECKED)) {
    // A button that stays down looks pressed.
    frame = 2;
  } else if (state & (CDIS_FOCUS | CDIS_HOT)) {
    frame = 4;
  } else if (!(state & (CDIS_GRAYED | CDIS_DISABLED)) && (state & CDIS_DEFAULT)) {
    frame = 1;
  }
  if (frame == 0) return false;
  if (frame == 1 && skin.HasNormalColour2) text = colour(skin.NormalColour2);
  if (frame == 4 && skin.HasMouseOverColour2) text = colour(skin.MouseOverColour2);
  if (frame == 2 && skin.HasPressedColour2) text = colour(skin.PressedColour2);
  RECT inner = rect;
  InflateRect(&inner, -1, -1);
  const int w = inner.right - inner.left, h = inner.bottom - inner.top;
  if (w <= 0 || h <= 0) return false;
  TBitmap face = RenderSkinCell(skin, w, h, 5, frame);
  face.Transparent = skin.Trans == 1;
  face.TransparentColor = clFuchsia;
  DrawBitmap(dc, inner.left, inner.top, face);
  return true;
}

TSkinToolBar::~TSkinToolBar() {
  TakeBack();
}

void TSkinToolBar::InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                               bool change_colour) {
  if (initialized_) return;
  TSkinBox::InitControl(control, form, data, change_colour);
  bar_ = dynamic_cast<TToolBar*>(&control);
  if (!bar_) return;
  was_flat_ = bar_->Flat();
  bar_->SetFlat(true);
  // The painters go only where the owner draws nothing itself.
  TWinSkinForm* engine = &form;
  TSkinData* skin = &data;
  if (!bar_->OnCustomDraw) {
    bar_->OnCustomDraw = [skin](TToolBar*, HDC dc, const RECT& rect, bool&) {
      PaintToolbarBackground(*skin, dc, rect);
    };
    background_set_ = true;
  }
  if (!bar_->OnCustomDrawButton) {
    bar_->OnCustomDrawButton = [skin, engine](TToolBar*, TToolButton&, HDC dc, const RECT& rect,
                                              UINT state, COLORREF& text, bool& frame_drawn) {
      // Not while the window is being skinned or unskinned; a new skin being
      // applied is drawn with already.
      if (engine->SkinState() != ksActive && engine->SkinState() != ksReapplying) return;
      frame_drawn = PaintToolbarButton(*skin, dc, rect, state, text);
    };
    buttons_set_ = true;
  }
  bar_->Invalidate();
}

void TSkinToolBar::TakeBack() {
  if (!bar_ || !control_) return;
  if (background_set_) bar_->OnCustomDraw = nullptr;
  if (buttons_set_) bar_->OnCustomDrawButton = nullptr;
  background_set_ = buttons_set_ = false;
  bar_->SetFlat(was_flat_);
  bar_ = nullptr;
}

void TSkinToolBar::Restore() {
  TakeBack();
  TSkinBox::Restore();
  if (control_) control_->Invalidate();
}
