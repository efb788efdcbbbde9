// Where glyph buttons put their glyph and caption, and class names as code
// matching classes by name sees them.
#include <gtest/gtest.h>

#include "framework/ButtonLayout.h"
#include "framework/ClassName.h"
#include "framework/Component.h"

namespace {

TGlyphLayoutInput Button(TPoint client, TPoint glyph, TPoint text, TButtonLayout layout,
                         int margin = -1, int spacing = -1) {
  TGlyphLayoutInput in;
  in.client = client;
  in.glyph = glyph;
  in.text = text;
  in.layout = layout;
  in.margin = margin;
  in.spacing = spacing;
  return in;
}

TEST(ButtonLayout, FreeMarginAndSpacingShareTheRoomInThirds) {
  // 75 wide, a 16-pixel glyph and a 29-pixel caption: 30 pixels left over.
  const TGlyphLayout out = LayoutGlyphButton(Button({75, 25}, {16, 16}, {29, 13}, blGlyphLeft));
  EXPECT_EQ(out.margin, 10);
  EXPECT_EQ(out.spacing, 10);
  EXPECT_EQ(out.glyph, (TPoint{10, 5}));
  EXPECT_EQ(out.text, (TPoint{36, 6}));
  EXPECT_EQ(out.align, gtLeft);
}

TEST(ButtonLayout, GivenSpacingCentresTheBlockAndSpeedButtonsSitOnePixelFurtherIn) {
  TGlyphLayoutInput in = Button({100, 30}, {16, 16}, {30, 13}, blGlyphLeft, -1, 4);
  EXPECT_EQ(LayoutGlyphButton(in).margin, 25);
  in.speed_button = true;
  EXPECT_EQ(LayoutGlyphButton(in).margin, 26);
  // A centred control ignores its margin.
  in.speed_button = false;
  in.margin = 3;
  in.centred = true;
  EXPECT_EQ(LayoutGlyphButton(in).margin, 25);
}

TEST(ButtonLayout, GivenMarginLeavesTheRestToTheSpacing) {
  const TGlyphLayout out = LayoutGlyphButton(Button({100, 30}, {16, 16}, {30, 13}, blGlyphLeft, 4));
  EXPECT_EQ(out.margin, 4);
  EXPECT_EQ(out.spacing, 25);
  EXPECT_EQ(out.text.x, 4 + 16 + 25);
}

TEST(ButtonLayout, RightTopAndBottomLayouts) {
  const TGlyphLayout right =
      LayoutGlyphButton(Button({100, 30}, {16, 16}, {30, 13}, blGlyphRight, 4, 4));
  EXPECT_EQ(right.glyph.x, 100 - 4 - 16);
  EXPECT_EQ(right.text.x, 80 - 4 - 30);
  EXPECT_EQ(right.align, gtRight);
  const TGlyphLayout top =
      LayoutGlyphButton(Button({80, 60}, {16, 16}, {30, 13}, blGlyphTop, 5, 2));
  EXPECT_EQ(top.glyph, (TPoint{32, 5}));
  EXPECT_EQ(top.text, (TPoint{25, 23}));
  EXPECT_EQ(top.align, gtCentre);
  const TGlyphLayout bottom =
      LayoutGlyphButton(Button({80, 60}, {16, 16}, {30, 13}, blGlyphBottom, 5, 2));
  EXPECT_EQ(bottom.glyph.y, 60 - 5 - 16);
  EXPECT_EQ(bottom.text.y, 39 - 2 - 13);
}

TEST(ButtonLayout, NoCaptionOrNoGlyphMeansNoSpacing) {
  const TGlyphLayout no_text =
      LayoutGlyphButton(Button({60, 24}, {16, 16}, {0, 0}, blGlyphLeft, -1, 6));
  EXPECT_EQ(no_text.spacing, 0);
  EXPECT_EQ(no_text.glyph.x, 22);
  const TGlyphLayout no_glyph =
      LayoutGlyphButton(Button({60, 24}, {0, 0}, {20, 13}, blGlyphLeft, -1, 6));
  EXPECT_EQ(no_glyph.spacing, 0);
  EXPECT_EQ(no_glyph.text.x, 20);
}

namespace inner {
class TRzCheckBox : public TComponent {
 public:
  using TComponent::TComponent;
};
}  // namespace inner

TEST(ClassName, IsTheMostDerivedClassWithoutItsNamespaces) {
  auto box = MakeComponent<inner::TRzCheckBox>();
  const TComponent& as_base = *box;
  EXPECT_EQ(ClassNameOf(as_base), "TRzCheckBox");
  TComponent plain(nullptr);
  EXPECT_EQ(ClassNameOf(plain), "TComponent");
}

}  // namespace

namespace {

TEST(ButtonCaption, OnlyTheFirstBarsBreakTheLine) {
  EXPECT_EQ(BreakCaptionLine(L"One line"), L"One line");
  EXPECT_EQ(BreakCaptionLine(L""), L"");
  EXPECT_EQ(BreakCaptionLine(L"Two||lines"), L"Two\r\nlines");
  EXPECT_EQ(BreakCaptionLine(L"A||b||c"), L"A\r\nb||c");
  EXPECT_EQ(BreakCaptionLine(L"|||"), L"\r\n|");
  EXPECT_EQ(BreakCaptionLine(L"a|b"), L"a|b");
}

}  // namespace
