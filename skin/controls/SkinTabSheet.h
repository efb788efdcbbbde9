#pragma once
// TSkinTabSheet: a page of a page control, filled with the skin's face
// colour; its windowless controls paint themselves over it.
//
// TSkinAdvPage: a foreign page control that draws its own tabs from two
// pictures it publishes ("TabBackGround" for tabs at rest and
// "TabBackGroundActive" for the selected one): both are rendered from the
// skin's "Tabs" strip while skinned and emptied again afterwards. Its
// spin-button child is skinned once it has one.
#include "skin/controls/SkinControl.h"

class TSkinTabSheet : public TSkinControl {
 public:
  using TSkinControl::TSkinControl;

 protected:
  bool BeforeMessage(TMessage& m) override;
  void DrawTo(HDC dc, const TRect& rect) override;
};

// The pictures rendered for a foreign page control's tabs (96-DPI pixels;
// at other DPIs the pictures are scaled to match).
inline constexpr int kAdvTabWidth = 100;
inline constexpr int kAdvTabHeight = 21;

class TSkinAdvPage : public TSkinControl {
 public:
  // `kind` 4 renders the tab pictures (controls mapped as
  // "advpagecontrol").
  explicit TSkinAdvPage(int kind = 4) : kind_(kind) {}

  void InitControl(TWinControl& control, TWinSkinForm& form, TSkinData& data,
                   bool change_colour) override;
  void SkinChanged() override;
  void Restore() override;
  int Kind() const { return kind_; }

 protected:
  void DrawTo(HDC dc, const TRect& rect) override;

 private:
  void RenderTabImages();
  void SkinScroller();

  int kind_;
  bool scroller_found_ = false;
};
