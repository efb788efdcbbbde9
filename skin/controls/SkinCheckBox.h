#pragma once
// Check boxes and radio buttons drawn from the skin's check and radio
// strips (the "Buttons" object's CheckButton and RadioButton images).
//
// Strips of 4 cells: unchecked, checked, unchecked disabled, checked
// disabled (grey boxes show the last). Strips of 8 or 12 cells are rows of
// four (normal, hot, pressed, disabled): unchecked, checked and, in 12,
// mixed.
//
// Mode 1 (a framework control and a strip in the skin): the whole control,
// box and caption, is drawn off-screen and copied once. Mode 0 (bare
// windows, or a skin without the strip): the control draws itself and only
// the box is laid over it; without the strip nothing is laid over it at all.
#include "framework/Bitmap.h"
#include "skin/controls/ScaledCells.h"
#include "skin/controls/SkinControl.h"

// What both kinds share: attaching, the messages after which the system
// button would paint itself outside WM_PAINT, the mouse, and the drawing
// of box and caption.
class TSkinCheckLike : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;
  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void InitWindow(HWND window, TSkinData& data, TWinSkinForm& form) override;
  void SkinChanged() override;

  bool Transparent() const { return transparent_; }
  // The cell of the strip the control shows now (from 1); 0 without a strip.
  int FrameNow() const;
  // The size of the box at the control's DPI (the strip's cell scaled);
  // empty without a strip.
  SIZE BoxSize() const;

 protected:
  bool BeforeMessage(TMessage& m) override;
  void AfterMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;

  virtual const TBitmap& Strip() const = 0;
  virtual int StripFrames() const = 0;
  // The cell in the four-cell sense (1 unchecked, 2 checked, 3 and 4 the
  // same disabled, 4 also grey), before it is placed in a wider strip.
  virtual int BaseFrame() const = 0;
  // Whether the window shows the mixed state (check boxes only).
  virtual bool Indeterminate() const { return false; }
  // How far in from the right edge a box at the right sits.
  virtual int RightInset() const { return 0; }

  bool HasStrip() const;
  // Whether the window reads right to left.
  bool RightToLeft() const;
  // BM_GETSTATE of the window.
  LRESULT ButtonState() const;

  bool transparent_ = false;

 private:
  void SetUp();
  // The cell for a strip of `frames` cells.
  int Frame(int frames) const;
  void DrawCaption(HDC dc, const TRect& rect, TRect area, UINT flags);
  // Passes on a message after which the system button paints itself, with
  // its drawing kept off the screen; the skin paints afterwards.
  void PassOnUnseen(TMessage& m);
  // The strip's cells at the box's size and DPI, kept until the skin
  // changes.
  TScaledCells cells_;
  int unseen_depth_ = 0;
};

class TSkinCheckBox : public TSkinCheckLike {
 public:
  using TSkinCheckLike::TSkinCheckLike;
  // 0 before the control was told its state by BM_SETCHECK, else that
  // state + 1 (data-aware boxes show what they were last told).
  int CheckCache() const { return check_cache_; }

 protected:
  void AfterMessage(TMessage& m) override;
  const TBitmap& Strip() const override;
  int StripFrames() const override;
  int BaseFrame() const override;
  bool Indeterminate() const override;

 private:
  int check_cache_ = 0;
};

class TSkinRadioButton : public TSkinCheckLike {
 public:
  using TSkinCheckLike::TSkinCheckLike;

 protected:
  const TBitmap& Strip() const override;
  int StripFrames() const override;
  int BaseFrame() const override;
  int RightInset() const override { return 1; }
};
