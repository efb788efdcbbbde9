// The readers of the skin definition and the images the skin data builds,
// each on a small definition made for the case.
#include <gtest/gtest.h>

#include <string>

#include "skin/data/WinSkinData.h"
#include "tests/native/skin_data/TestSkin.h"

namespace {

class SkinDefinitionTest : public ::testing::Test {
 protected:
  // Loads `skin` and expects it to be read completely.
  TSkinData& Load(const TTestSkin& skin) {
    LoadPackage(data, skin.Package());
    EXPECT_FALSE(data.NotReady());
    return data;
  }
  const TDataSkinSysButton& Button(size_t i) { return *data.CaptionButtons().at(i); }

  TTestEnvironment env;
  std::unique_ptr<TSkinData> data_owner = MakeComponent<TSkinData>(env.Get());
  TSkinData& data = *data_owner;
};

TEST_F(SkinDefinitionTest, WithoutCaptionButtonSectionsOnlyTheMdiButtonsExist) {
  Load(TTestSkin().Ini("[Button]\nAction=0\n[BUTTONS]\n[button.radio]\n[Button.CheckBox]\n"));
  ASSERT_EQ(data.CaptionButtons().size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Button(i).Action, static_cast<int>(7 + i));
    EXPECT_EQ(Button(i).Align, 100);
    EXPECT_EQ(Button(i).Visibility, 100);
    EXPECT_EQ(Button(i).Visibility1, 100);
    EXPECT_EQ(Button(i).Frame, 4);
    EXPECT_TRUE(Button(i).Bitmap.Empty());
  }
}

TEST_F(SkinDefinitionTest, CaptionButtonsFollowTheirFrameRules) {
  TTestSkin skin;
  skin.Ini(
      "[ButtonClose]\nButtonImage=close.bmp\nAction=0\nAlign=1\nXcoord=30\nYcoord=4\n"
      "CombineOp=2\nVisibility1=3\n"
      "[ButtonMax]\nButtonImage=max.bmp\nAction=1\n"
      "[ButtonMin]\nButtonImage=max.bmp\nAction=2\nframe=5\n"
      "[ButtonIcon]\nAction=3\n"
      "[ButtonMenu]\nButtonImage=max.bmp\nAction=11\n"
      "[ButtonDeco]\nButtonImage=max.bmp\nAction=-1\nVisibility=0\n"
      "[ButtonHidden]\nButtonImage=max.bmp\nAction=-1\n"
      "[ButtonHidden2]\nAction=-1\nVisibility=2\n"
      "[Buttons]\nAction=0\n");
  skin.Bitmap("close.bmp", Strip(1, 6, 28, 16)).Bitmap("max.bmp", Strip(2, 3, 16, 16));
  Load(skin);
  ASSERT_EQ(data.CaptionButtons().size(), 9u);  // six kept + three MDI buttons
  // Kept in section order, named in capitals.
  EXPECT_EQ(Button(0).Name, "BUTTONCLOSE");
  EXPECT_EQ(Button(1).Name, "BUTTONMAX");
  EXPECT_EQ(Button(5).Name, "BUTTONDECO");
  // 168 x 16 has a ratio of 10.5: six cells; 48 x 16 has exactly 3.0: three.
  EXPECT_EQ(Button(0).Frame, 6);
  EXPECT_EQ(Button(1).Frame, 3);
  EXPECT_EQ(Button(2).Frame, 5);  // given
  EXPECT_EQ(Button(0).Align, 1);
  EXPECT_EQ(Button(0).Xcoord, 30);
  EXPECT_EQ(Button(0).Ycoord, 4);
  EXPECT_EQ(Button(0).CombineOp, 2);
  EXPECT_EQ(Button(1).CombineOp, -1);
  EXPECT_EQ(Button(0).Visibility1, 3);
  EXPECT_EQ(Button(1).Visibility1, 0);
  EXPECT_EQ(Button(0).Bitmap.Pixel(28, 5), CellColour(1, 2));
  // The system-menu buttons draw the application icon: no image.
  EXPECT_EQ(Button(3).Action, 3);
  EXPECT_TRUE(Button(3).Bitmap.Empty());
  EXPECT_EQ(Button(3).Frame, 6);
  EXPECT_EQ(Button(4).Action, 11);
  EXPECT_TRUE(Button(4).Bitmap.Empty());
  EXPECT_EQ(Button(4).Frame, 3);  // counted from the image before it was dropped
  // A decorative button kept by its visibility 0: six cells whatever the
  // image, and hidden in every window state by its default Visibility1.
  EXPECT_EQ(Button(5).Action, -1);
  EXPECT_EQ(Button(5).Frame, 6);
  EXPECT_EQ(Button(5).Visibility1, -1);
  EXPECT_EQ(Button(6).Action, 7);
}

TEST_F(SkinDefinitionTest, ASystemMenuButtonWithoutAnImageHasSixCells) {
  Load(TTestSkin().Ini("[ButtonIcon]\nAction=3\nXcoord=5\n"));
  ASSERT_EQ(data.CaptionButtons().size(), 4u);
  EXPECT_EQ(Button(0).Action, 3);
  EXPECT_TRUE(Button(0).Bitmap.Empty());
  EXPECT_EQ(Button(0).Frame, 6);
}

TEST_F(SkinDefinitionTest, MdiButtonsAreCutFromTheirStrip) {
  TTestSkin skin;
  skin.Ini("[MDICONTROLS]\nImage=mdi.bmp\n[ButtonClose]\nAction=0\n");
  skin.Bitmap("mdi.bmp", Strip(3, 12, 14, 14));  // c = 168 / 12 = 14
  Load(skin);
  ASSERT_EQ(data.CaptionButtons().size(), 4u);
  for (int i = 0; i < 3; ++i) {
    const TDataSkinSysButton& b = Button(1 + static_cast<size_t>(i));
    ASSERT_EQ(b.Bitmap.Width(), 56) << i;
    ASSERT_EQ(b.Bitmap.Height(), 14) << i;
    EXPECT_EQ(b.Xcoord, 18 * (3 - i));
    // Cells 4i+1 .. 4i+4 of the strip, in order.
    for (int k = 0; k < 4; ++k)
      EXPECT_EQ(b.Bitmap.Pixel(14 * k + 5, 5), CellColour(3, 4 * i + k + 1));
    EXPECT_EQ(b.Bitmap.Pixel(0, 0), clFuchsia);
  }
}

TEST_F(SkinDefinitionTest, CheckAndRadioStripsWithoutACountAreMeasured) {
  TTestSkin skin;
  skin.Ini("[Buttons]\nBitmap=b.bmp\nCheckButton=check.bmp\nRadioButton=radio.bmp\n");
  skin.Bitmap("b.bmp", Strip(1, 5, 10, 10))
      .Bitmap("check.bmp", Strip(2, 12, 13, 13))
      .Bitmap("radio.bmp", Strip(3, 2, 20, 20));
  Load(skin);
  EXPECT_EQ(data.Buttons().CheckButtonFrame, 12);  // 156 / 13
  EXPECT_EQ(data.Buttons().RadioButtonFrame, 4);   // 40 / 16 = 2, at least 4
  EXPECT_EQ(data.Buttons().Frame, 5);

  Load(TTestSkin().Ini("[Buttons]\nCheckButtonFrame=7\n"));
  EXPECT_EQ(data.Buttons().CheckButtonFrame, 7);
  EXPECT_EQ(data.Buttons().RadioButtonFrame, 4);  // no strip at all
}

TEST_F(SkinDefinitionTest, MarginsAndFillModesAreCappedWhereTheyMustBe) {
  TTestSkin skin;
  skin.Ini(
      "[Tab.Pane]\nImage=a.bmp\nLeftWidth=9\nTopHeight=3\nRightWidth=4\nBottomHeight=5\n"
      "[MenuItem]\nImage=a.bmp\nTile=5\n"
      "[SunkEdge]\nImage=a.bmp\nTile=1\n"
      "[Progress]\nBitmap=a.bmp\nTile=5\n"
      "[Personality]\nTop=a.bmp\nTopStretch=5\nLeft=a.bmp\nLeftStretch=-3\n"
      "menuBar=a.bmp\nTileMenu=5\n");
  skin.Bitmap("a.bmp", Strip(1, 2, 10, 10));
  Load(skin);
  const TDataSkinObject* pane = data.Object(ssTabPane);
  ASSERT_NE(pane, nullptr);
  EXPECT_EQ(pane->LeftWidth, 4);
  EXPECT_EQ(pane->TopHeight, 3);
  EXPECT_EQ(pane->RightWidth, 4);
  EXPECT_EQ(pane->BottomHeight, 4);
  EXPECT_EQ(data.Object(ssMenuItem)->Tile, 0);  // generic section: above 1 is 0
  EXPECT_EQ(data.Object(ssSunkEdge)->Tile, 1);
  EXPECT_EQ(data.Object(ssProgress)->Tile, 1);  // the progress bitmap: above 1 is 1
  EXPECT_EQ(data.FrameBorder(fbTop).Tile, 1);   // a border's Stretch key: above 1 is 1
  EXPECT_EQ(data.FrameBorder(fbLeft).Tile, -3);
  EXPECT_EQ(data.FrameBorder(fbRight).Tile, 1);  // default
  EXPECT_EQ(data.Object(ssMenuBar)->Tile, 1);
}

TEST_F(SkinDefinitionTest, BitmapNamesNeedALowerCaseBmpExtension) {
  TTestSkin skin;
  skin.Ini(
      "[Tabs]\nImage=upper.BMP\n"
      "[SunkEdge]\nImage=C:\\skins\\Deep\\Edge.bmp\n"
      "[ToolBars]\nImage=missing.bmp\n"
      "[MenuItem]\nImage=noext\n");
  skin.Bitmap("upper.BMP", Strip(1, 5, 4, 4)).Bitmap("edge.bmp", Strip(2, 4, 4, 4));
  Load(skin);
  ASSERT_NE(data.Object(ssTabs), nullptr);
  EXPECT_TRUE(data.Object(ssTabs)->Bitmap.Empty());
  // The folder part is dropped and the entry is found in any letter case.
  EXPECT_EQ(data.Object(ssSunkEdge)->Name, "SunkEdge");
  EXPECT_EQ(data.Object(ssSunkEdge)->Bitmap.Width(), 16);
  EXPECT_EQ(data.Object(ssSunkEdge)->Bitmap.Pixel(5, 2), CellColour(2, 2));
  EXPECT_TRUE(data.Object(ssToolBars)->Bitmap.Empty());
  EXPECT_TRUE(data.Object(ssMenuItem)->Bitmap.Empty());
  EXPECT_EQ(data.Object(ssHeaderbar), nullptr);  // no section: no object
}

TEST_F(SkinDefinitionTest, WithoutTrackSectionsTheBuiltInImagesAreUsed) {
  Load(TTestSkin().Ini("[Colours]\n"));
  const TDataSkinObject* track = data.Object(ssTrack);
  ASSERT_NE(track, nullptr);
  EXPECT_EQ(track->Name, "TRACK");
  EXPECT_EQ(track->Bitmap.Width(), 16);
  EXPECT_EQ(track->Bitmap.Height(), 4);
  EXPECT_EQ(track->Bitmap.Pixel(2, 0), clGray);
  EXPECT_EQ(track->LeftWidth, 3);
  EXPECT_EQ(track->TopHeight, 3);
  EXPECT_EQ(track->RightWidth, 3);
  EXPECT_EQ(track->BottomHeight, 3);
  EXPECT_EQ(track->Frame, 1);
  EXPECT_EQ(track->Tile, 0);
  const TDataSkinObject* vert = data.Object(ssTrackVert);
  ASSERT_NE(vert, nullptr);
  EXPECT_EQ(vert->Bitmap.Width(), 4);
  EXPECT_EQ(vert->Bitmap.Height(), 16);
  // Slots whose sections are missing stay empty.
  EXPECT_EQ(data.Object(ssTabs), nullptr);
  EXPECT_EQ(data.Object(ssComboButton), nullptr);
  EXPECT_EQ(data.Object(ssMenuBar), nullptr);
  // The arrow and the tool-bar background always exist.
  ASSERT_NE(data.Object(ssComboxArrow), nullptr);
  EXPECT_TRUE(data.Object(ssComboxArrow)->Bitmap.Empty());
  ASSERT_NE(data.Object(ssToolbar), nullptr);
  EXPECT_EQ(data.Object(ssToolbar)->Frame, 1);
}

TEST_F(SkinDefinitionTest, TitleAndFrameBordersReadTheirKeys) {
  TTestSkin skin;
  skin.Ini(
      "[Personality]\nTextBack=t.bmp\nTextShift=30\nTextShiftVert=6\nTextRightClip=80\n"
      "TextAlignment=2\nActiveTextR=1\nActiveTextG=2\nActiveTextB=300\n"
      "InActiveTextR=5\nInActiveTextB=5\n"
      "Left=l.bmp\nLeftTopHeight=28\nLeftBotHeight=5\nLeftFrame=2\nLeftTrans=0\n"
      "Top=t.bmp\nTopTopHeight=12\nTopBotHeight=14\n"
      "[Fonts]\nFontHeight=17\n");
  skin.Bitmap("t.bmp", Strip(1, 1, 30, 30)).Bitmap("l.bmp", Strip(2, 2, 6, 40));
  Load(skin);
  const TDataSkinTitle& title = data.Title();
  EXPECT_EQ(title.LeftWidth, 30);
  EXPECT_EQ(title.TopHeight, 6);
  EXPECT_EQ(title.RightWidth, 80);
  EXPECT_EQ(title.BottomHeight, 0);
  EXPECT_EQ(title.TextAlignment, 2);
  EXPECT_EQ(title.FontHeight, 17);
  EXPECT_EQ(title.Frame, 2);
  EXPECT_EQ(title.ActiveTextColour, RGBColour(1, 2, 44));
  EXPECT_EQ(title.InactiveTextColour, kNoSkinColour);  // green missing
  EXPECT_EQ(title.Bitmap.Width(), 30);

  // Left: unscaled ends at the top and bottom.
  const TDataSkinBorder& left = data.FrameBorder(fbLeft);
  EXPECT_EQ(left.TopHeight, 28);
  EXPECT_EQ(left.BottomHeight, 5);
  EXPECT_EQ(left.LeftWidth, 0);
  EXPECT_EQ(left.Frame, 2);
  EXPECT_EQ(left.Trans, 0);
  // Top: the same keys give unscaled ends at the left and right.
  const TDataSkinBorder& top = data.FrameBorder(fbTop);
  EXPECT_EQ(top.LeftWidth, 12);
  EXPECT_EQ(top.RightWidth, 14);
  EXPECT_EQ(top.TopHeight, 0);
  EXPECT_EQ(top.Frame, 1);
  EXPECT_EQ(top.Trans, 1);
  EXPECT_TRUE(data.FrameBorder(fbBottom).Bitmap.Empty());
  // The title bar colour is a pixel a third into the top border.
  EXPECT_EQ(data.TitleBarColour(), CellColour(1, 1));
}

TEST_F(SkinDefinitionTest, GenericObjectsTakeTheirColoursAndDefaults) {
  TTestSkin skin;
  skin.Ini(
      "[Colours]\nButtonText=9 9 9\n"
      "[Tabs]\nImage=a.bmp\nBorder=b.bmp\nStyle=1\nFrame=9\nNormalColour=255\n"
      "MouseOverColour2=1 2 3\nTrans=1\n"
      "[GroupBox]\nImage=a.bmp\nBackgroundAlignment=2\nBackgroundLeftShift=7\n"
      "[Progress.Chunk]\nImage=a.bmp\nFrame=3\n"
      "[Progress]\nBitmap=a.bmp\n"
      "[Headerbar]\nImage=a.bmp\n"
      "[HorzScrollThumb]\nImage=a.bmp\nFrameCount=4\n"
      "[VertScrollThumb]\nImage=a.bmp\n");
  skin.Bitmap("a.bmp", Strip(1, 2, 10, 10)).Bitmap("b.bmp", Strip(2, 1, 3, 3));
  Load(skin);
  const TDataSkinBorder* tabs = data.BorderObject(ssTabs);
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->Style, 1);
  EXPECT_EQ(tabs->Frame, 5);
  EXPECT_EQ(tabs->Trans, 1);
  EXPECT_EQ(tabs->NormalColour, 255);
  EXPECT_EQ(tabs->MouseOverColour, -1);
  EXPECT_EQ(tabs->NormalColour2, RGBColour(9, 9, 9));  // the skin's ButtonText
  EXPECT_EQ(tabs->MouseOverColour2, RGBColour(1, 2, 3));
  EXPECT_EQ(tabs->Bitmap2.Width(), 3);
  const TDataSkinBoxLabel* box = data.GroupBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->BackgroundAlignment, 2);
  EXPECT_EQ(box->BackgroundLeftShift, 7);
  EXPECT_EQ(box->Frame, 1);
  EXPECT_EQ(data.Object(ssProgressChunk)->Frame, 3);
  EXPECT_EQ(data.Object(ssProgress)->Frame, 2);   // Style 0
  EXPECT_EQ(data.Object(ssHeaderbar)->Frame, 5);  // 0 means five
  EXPECT_EQ(data.Object(ssHorzScrollThumb)->Frame, 4);
  EXPECT_EQ(data.Object(ssVertScrollThumb)->Frame, 3);
}

TEST_F(SkinDefinitionTest, ComboButtonAloneGivesAnArrowOnTheFaceColour) {
  TTestSkin skin;
  skin.Ini("[ComboButton]\nImage=c.bmp\nLeftWidth=2\n[Colours]\nButtonFace=10 20 30\n");
  skin.Bitmap("c.bmp", Strip(1, 4, 17, 21));
  Load(skin);
  const TDataSkinBorder* button = data.BorderObject(ssComboButton);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->Style, 0);
  // Bitmap2 is the image mirrored.
  ASSERT_EQ(button->Bitmap2.Width(), 68);
  EXPECT_EQ(button->Bitmap2.Pixel(67, 0), clFuchsia);
  EXPECT_EQ(button->Bitmap2.Pixel(0, 5), CellColour(1, 4));
  const TDataSkinObject* arrow = data.Object(ssComboxArrow);
  EXPECT_EQ(arrow->Name, "ComboxArrow");
  EXPECT_EQ(arrow->Frame, 4);
  EXPECT_EQ(arrow->Bitmap.Pixel(0, 0), RGBColour(10, 20, 30));
  EXPECT_EQ(arrow->Bitmap.Pixel(17, 5), CellColour(1, 2));

  // Without a skin face colour the system colour is resolved, not written
  // as its index.
  Load(TTestSkin(skin).Ini("[ComboButton]\nImage=c.bmp\n"));
  EXPECT_EQ(data.Object(ssComboxArrow)->Bitmap.Pixel(0, 0), ColorToRGB(clBtnFace));
}

TEST_F(SkinDefinitionTest, SunkEdgeAndComboButtonMakeTheDropDownStrips) {
  TTestSkin skin;
  skin.Ini(
      "[SunkEdge]\nImage=edge.bmp\nLeftWidth=3\nTopHeight=4\nRightWidth=3\nBottomHeight=5\n"
      "[ComboButton]\nImage=button.bmp\nTrans=1\n"
      "[ExtraImages]\nImage=glyph.bmp\n");
  TBitmap edge = Strip(1, 4, 20, 21);
  skin.Bitmap("edge.bmp", edge)
      .Bitmap("button.bmp", Strip(2, 4, 19, 21))
      .Bitmap("glyph.bmp", Strip(3, 5, 7, 4));
  env.Platform().scroll_arrow_width = 17;  // w = 19
  Load(skin);
  const TDataSkinBorder* button = data.BorderObject(ssComboButton);
  const TDataSkinObject* sunk = data.Object(ssSunkEdge);
  ASSERT_EQ(button->Bitmap.Width(), 200);
  ASSERT_EQ(button->Bitmap.Height(), 21);
  EXPECT_EQ(button->Style, 2);
  // The box's left end keeps the edge's own margin (its corners whole).
  EXPECT_EQ(button->LeftWidth, 3);
  EXPECT_EQ(button->TopHeight, 4);
  EXPECT_EQ(button->RightWidth, 21);
  EXPECT_EQ(button->BottomHeight, 5);
  EXPECT_EQ(button->Frame, 4);
  for (int k = 0; k < 4; ++k) {
    const int x = 50 * k;
    // The edit area is magenta, the border is the edge's cell, the button
    // sits in the right 19 pixels, the glyph in its middle.
    EXPECT_EQ(button->Bitmap.Pixel(x + 10, 10), clFuchsia) << k;
    EXPECT_EQ(button->Bitmap.Pixel(x + 10, 0), CellColour(1, k + 1)) << k;
    EXPECT_EQ(button->Bitmap.Pixel(x + 33, 1), CellColour(2, k + 1)) << k;
    EXPECT_EQ(button->Bitmap.Pixel(x + 40, 10), CellColour(3, k + 1)) << k;
  }
  // The top-left magenta pixel of each edge cell stays transparent...
  EXPECT_EQ(button->Bitmap.Pixel(0, 0), clFuchsia);
  // ...and the edge strip is the same image mirrored.
  ASSERT_EQ(sunk->Bitmap.Width(), 200);
  EXPECT_EQ(sunk->Bitmap.Pixel(199 - 33, 1), CellColour(2, 1));
  EXPECT_EQ(sunk->LeftWidth, 21);
  EXPECT_EQ(sunk->RightWidth, 3);
  EXPECT_EQ(sunk->TopHeight, 4);
  // The arrow: 17 x 17 cells cut from x 50(i+1) - 19, y 2 of the strip.
  const TDataSkinObject* arrow = data.Object(ssComboxArrow);
  ASSERT_EQ(arrow->Bitmap.Width(), 68);
  ASSERT_EQ(arrow->Bitmap.Height(), 17);
  EXPECT_EQ(arrow->Frame, 4);
  for (int i = 0; i < 4; ++i) {
    for (int y : {0, 8, 16}) {
      EXPECT_EQ(arrow->Bitmap.Pixel(17 * i + 4, y), button->Bitmap.Pixel(50 * (i + 1) - 15, y + 2))
          << i;
    }
  }
}

TEST_F(SkinDefinitionTest, ToolbarBackgroundFollowsTheTitleColour) {
  // A light grey title: the bottom is 15 % grey into the title colour.
  TTestSkin grey;
  grey.Ini("[Personality]\nTop=t.bmp\n[Colours]\nButtonFace=200 200 200\n");
  grey.Bitmap("t.bmp", TBitmap(30, 30, RGBColour(180, 180, 180)));
  Load(grey);
  const TDataSkinObject* bar = data.Object(ssToolbar);
  ASSERT_EQ(bar->Bitmap.Width(), 10);
  ASSERT_EQ(bar->Bitmap.Height(), 40);
  const TColor top = Blend(RGBColour(200, 200, 200), clWhite, 150);
  const TColor bottom = Blend(clGray, RGBColour(180, 180, 180), 150);
  EXPECT_EQ(top, RGBColour(247, 247, 247));
  EXPECT_EQ(bottom, RGBColour(172, 172, 172));
  const std::vector<TColor> ramp = ColorRamp(40, top, bottom);
  for (int y = 0; y < 40; ++y) {
    EXPECT_EQ(bar->Bitmap.Pixel(0, y), ramp[static_cast<size_t>(y)]) << y;
    EXPECT_EQ(bar->Bitmap.Pixel(9, y), ramp[static_cast<size_t>(y)]) << y;
  }
  // A saturated title (255): the bottom is 45 % of it into white. A dark
  // grey counts as saturated too (no channel reaches 160: 200), 54 %.
  TTestSkin red;
  red.Ini("[Personality]\nTop=t.bmp\n[Colours]\nButtonFace=200 200 200\n");
  red.Bitmap("t.bmp", TBitmap(30, 30, clRed));
  Load(red);
  const std::vector<TColor> red_ramp = ColorRamp(40, top, Blend(clRed, clWhite, 45));
  EXPECT_EQ(data.Object(ssToolbar)->Bitmap.Pixel(3, 39), red_ramp[39]);
  EXPECT_EQ(Blend(clRed, clWhite, 45), RGBColour(255, 140, 140));
  TTestSkin dark;
  dark.Ini("[Personality]\nTop=t.bmp\n");
  dark.Bitmap("t.bmp", TBitmap(30, 30, RGBColour(100, 100, 100)));
  Load(dark);
  const std::vector<TColor> dark_ramp =
      ColorRamp(40, Blend(clBtnFace, clWhite, 150), RGBColour(171, 171, 171));
  EXPECT_EQ(data.Object(ssToolbar)->Bitmap.Pixel(0, 39), dark_ramp[39]);
  EXPECT_EQ(data.Object(ssToolbar)->Bitmap.Pixel(0, 0), dark_ramp[0]);
}

TEST_F(SkinDefinitionTest, ALaterSkinReplacesTheObjectsOfTheEarlierOne) {
  TTestSkin first;
  first.Ini("[Tabs]\nImage=a.bmp\n[ButtonX]\nAction=0\n[Personality]\nTop=a.bmp\n");
  first.Bitmap("a.bmp", Strip(1, 5, 4, 4));
  Load(first);
  const TDataSkinTitle* title = &data.Title();
  ASSERT_NE(data.Object(ssTabs), nullptr);
  ASSERT_EQ(data.CaptionButtons().size(), 4u);
  Load(TTestSkin().Ini("[MenuItem]\nImage=none.bmp\n"));
  EXPECT_EQ(data.Object(ssTabs), nullptr);
  EXPECT_NE(data.Object(ssMenuItem), nullptr);
  EXPECT_EQ(data.CaptionButtons().size(), 3u);
  EXPECT_TRUE(data.FrameBorder(fbTop).Bitmap.Empty());
  EXPECT_EQ(&data.Title(), title);  // the permanent objects stay the same objects
  EXPECT_EQ(data.FaceBrush()->Colour(), clBtnFace);
}

}  // namespace
