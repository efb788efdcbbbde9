#pragma once
// TSkinStatusBar: a status bar with the skin's panel edges ("StatusBarEdges":
// lowered, raised, flat), its texts and the skin's size grip.
#include "skin/controls/SkinControl.h"

class TSkinStatusBar : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  // Frame `bevel` (1 lowered, 2 raised, 3 flat) of the panel edges in `r`,
  // or plain 3D edges without the skin's image.
  void PanelBackground(const TRect& r, int bevel);
  void PanelText(std::wstring text, RECT r, UINT alignment);
};
