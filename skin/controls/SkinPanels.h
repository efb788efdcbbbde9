#pragma once
// Containers in the skin's colours:
//
//   TSkinGroupBox  group boxes: the skin's face, a rounded one-pixel frame in
//                  ButtonShadow and the caption on an opaque face
//   TSkinBox       panels, tool bars, embedded forms: only recoloured
//   TSkinBoxH      bare container windows: face background for the window
//                  and its static children
//   TSkinSizer     size grips: filled with the face colour
#include "skin/controls/SkinControl.h"

class TSkinGroupBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  // Mode 1 for a framework group box (it is painted whole, its windowless
  // children too); mode 0 for a bare window, whose own picture is painted
  // over where the skin differs.
  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void Restore() override;
  void SkinChanged() override;

 protected:
  bool BeforeMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  void Draw(HDC dc, const TRect& rect);
  // Where the caption goes in `rect` (empty without one).
  RECT CaptionRect(HDC dc, const TRect& rect, UINT flags) const;
  bool font_colour_taken_ = false;
  TColor old_text_colour_ = clDefault;
};

class TSkinBox : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  // Takes the colours only; the control's messages stay its own.
  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void Restore() override;

 protected:
  void AfterMessage(TMessage&) override {}
};

class TSkinBoxH : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(TMessage& m) override;
};

class TSkinSizer : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

 protected:
  void DrawTo(HDC dc, const TRect& rect) override;
};
