#pragma once
// TSkinToolBar: a tool bar in the skin's colours. It makes the bar flat and
// gives the bar's custom drawing to the skin while the owner draws nothing
// itself: the skin's tool-bar image behind the buttons (unless the skin
// options keep the bar's own background) and the skin's button images under
// pressed, hot and default buttons. Everything it set is given back.
#include "skin/controls/SkinPanels.h"

class TToolBar;

class TSkinToolBar : public TSkinBox {
 public:
  using TSkinBox::TSkinBox;
  ~TSkinToolBar() override;

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void Restore() override;

 private:
  void TakeBack();
  TToolBar* bar_ = nullptr;
  bool background_set_ = false;
  bool buttons_set_ = false;
  bool was_flat_ = true;
};

// The skin's tool-bar painters, for any tool bar: the background image
// stretched over `rect`, and a button's face for its custom-draw state
// (answers whether it drew; `text` takes the state's text colour).
void PaintToolbarBackground(const TSkinData& data, HDC dc, const RECT& rect);
bool PaintToolbarButton(const TSkinData& data, HDC dc, const RECT& rect, UINT state,
                        COLORREF& text);
