#pragma once
// TSkinTab31: the old-style tab set (tabs hanging below a page), each tab
// drawn from the skin's "Tabs" strip turned upside down, on the skin's face
// colour. Only tabs that fit whole between the set's margins are drawn; the
// set's scroller is skinned as a pair of spin buttons side by side.
#include "framework/Bitmap.h"
#include "skin/controls/ScaledCells.h"
#include "skin/controls/SkinControl.h"

class TSkinUpDown;
class TTabSet;

class TSkinTab31 : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void SkinChanged() override;

  const TBitmap& TabImage() const { return tab_image_; }
  // The skinning object of the set's scroller, null when it has none.
  TSkinUpDown* Scroller() const;

 protected:
  bool BeforeMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  void PrepareImage();
  void SkinScroller();
  TTabSet* TabSet() const;

  TBitmap tab_image_;
  TScaledCells cells_;  // the tab cells at their sizes and the control's DPI
};
