#include "skin/data/SkinColours.h"

#include <gtest/gtest.h>

#include "skin/packages/QuickIni.h"

namespace {

TEST(ParseColour, TakesUpToThreeNumbersWithAnySeparators) {
  EXPECT_EQ(ParseColour("0,128,255", clRed), RGBColour(0, 128, 255));
  EXPECT_EQ(ParseColour("244 244 244", clRed), RGBColour(244, 244, 244));
  EXPECT_EQ(ParseColour("203, 216, 239", clRed), RGBColour(203, 216, 239));
  EXPECT_EQ(ParseColour("1,2,3", clRed), RGBColour(1, 2, 3));
  EXPECT_EQ(ParseColour("  7;8;9  ", clRed), RGBColour(7, 8, 9));
  // Only the low 8 bits of each part; long numbers do not overflow.
  EXPECT_EQ(ParseColour("300 0 0", clRed), RGBColour(44, 0, 0));
  EXPECT_EQ(ParseColour("99999999999999999999 1 2", clRed), RGBColour(255, 1, 2));
  // A number at the very end counts only as the third one.
  EXPECT_EQ(ParseColour("10 20", clRed), RGBColour(10, 0, 0));
  EXPECT_EQ(ParseColour("77", clRed), clBlack);
  EXPECT_EQ(ParseColour("1 2 3 4", clRed), RGBColour(1, 2, 3));
  EXPECT_EQ(ParseColour("red", clRed), clBlack);
  EXPECT_EQ(ParseColour("", clBtnFace), clBtnFace);
}

TEST(SkinColours, ReadsTheColoursSectionWithSymbolicDefaults) {
  TQuickIni ini;
  ini.LoadFromText(
      "[Colours]\n"
      "ButtonFace=1 2 3\n"
      "ButtonText=10,20,30\n"
      "TitleTextActive=77\n"
      "Window=40 41 42\n");
  TSkinColours colours;
  colours.Read(ini);
  EXPECT_EQ(colours.ButtonFace, RGBColour(1, 2, 3));
  EXPECT_EQ(colours.ButtonText, RGBColour(10, 20, 30));
  EXPECT_EQ(colours.TitleTextActive, clBlack);
  EXPECT_EQ(colours.Window, RGBColour(40, 41, 42));
  // Missing keys keep the system colour as such, not its current value.
  EXPECT_EQ(colours.WindowText, clWindowText);
  EXPECT_EQ(colours.Buttonlight, clBtnHighlight);
  EXPECT_EQ(colours.ButtonDkShadow, cl3DDkShadow);
  EXPECT_EQ(colours.TitleTextNoActive, clInactiveCaptionText);
  // The menu bar follows the button face read just before.
  EXPECT_EQ(colours.Menubar, RGBColour(1, 2, 3));
  // System colours are 0xFF000000 plus their index.
  EXPECT_EQ(colours.WindowText, static_cast<TColor>(0xFF000008));

  TQuickIni empty;
  TSkinColours defaults;
  defaults.Read(empty);
  EXPECT_EQ(defaults.ButtonFace, clBtnFace);
  EXPECT_EQ(defaults.Menubar, clBtnFace);
  // Skins without a content colour keep the system window and its text.
  EXPECT_EQ(defaults.Window, clWindow);
  EXPECT_EQ(defaults.WindowText, clWindowText);
}

}  // namespace
