#pragma once
// TSkinObjImage: foreign check boxes and radio buttons that draw their own
// glyphs from a bitmap property are handed glyph strips cut from the skin's
// check-box and radio-button images; their messages stay their own.
//   kind 1: check box with a 9-cell "CustomGlyphs" property
//   kind 2: radio button with a 6-cell "CustomGlyphs" property
//   kind 3: check box with a 6-cell "Glyph" in its "Properties" object
#include "skin/controls/SkinControl.h"

class TSkinObjImage : public TSkinControl {
 public:
  explicit TSkinObjImage(int kind, TComponent* owner = nullptr)
      : TSkinControl(owner), kind_(kind) {}

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void SkinChanged() override;
  void Restore() override;
  int Kind() const { return kind_; }

 protected:
  void AfterMessage(TMessage&) override {}

 private:
  void HandOver();
  int kind_;
};

// The glyph strip of `kind` made from a skin strip of `frames` cells; empty
// when the source is.
TBitmap MakeGlyphStrip(int kind, const TBitmap& source, int frames);
