// The arithmetic of a skinned frame: border sizes from the frame images,
// the client area inside them, which caption buttons show, where they
// stand, and the opaque runs that make up a window's outline.
#include "skin/form/FrameGeometry.h"

#include <gtest/gtest.h>

#include "skin/data/WinSkinData.h"
#include "tests/native/skin_data/TestSkin.h"

namespace {

TDataSkinSysButton Button(int action, int visibility, int visibility1) {
  TDataSkinSysButton b;
  b.Action = action;
  b.Visibility = visibility;
  b.Visibility1 = visibility1;
  return b;
}

TCaptionWindowState MainWindow() {
  TCaptionWindowState s;
  s.border_icons = kIconSystemMenu | kIconMinimize;
  s.frame_kind = fkSingle;
  return s;
}

TEST(FrameMetrics, ComeFromOneCellOfEachFrameImage) {
  TTestEnvironment env;
  auto owner = MakeComponent<TComponent>();
  auto& data = OwnedComponent<TSkinData>(*owner, env.Get());
  TTestSkin skin;
  skin.Ini(
      "[Personality]\nLeft=l.bmp\nLeftFrame=2\nRight=r.bmp\nRightFrame=2\nTop=t.bmp\n"
      "TopFrame=2\nBottom=b.bmp\nBottomFrame=2\n");
  skin.Bitmap("l.bmp", Strip(1, 2, 5, 40));
  skin.Bitmap("r.bmp", Strip(2, 2, 7, 40));
  skin.Bitmap("t.bmp", TBitmap(40, 2 * 29));
  skin.Bitmap("b.bmp", TBitmap(40, 2 * 4));
  LoadPackage(data, skin.Package());
  EXPECT_EQ(FrameMetricsOf(data, fkSingle), (TFrameMetrics{5, 29, 7, 4}));
  EXPECT_EQ(FrameMetricsOf(data, fkSizable), (TFrameMetrics{5, 29, 7, 4}));
  // A window without caption has no skinned borders at all.
  EXPECT_EQ(FrameMetricsOf(data, fkNone), TFrameMetrics{});
}

TEST(FrameMetrics, FrameCountsBelowOneCountAsOne) {
  TTestEnvironment env;
  auto owner = MakeComponent<TComponent>();
  auto& data = OwnedComponent<TSkinData>(*owner, env.Get());
  TTestSkin skin;
  skin.Ini("[Personality]\nTop=t.bmp\nTopFrame=0\nLeft=l.bmp\nLeftFrame=-3\n");
  skin.Bitmap("t.bmp", TBitmap(40, 30));
  skin.Bitmap("l.bmp", TBitmap(6, 30));
  LoadPackage(data, skin.Package());
  const TFrameMetrics m = FrameMetricsOf(data, fkSingle);
  EXPECT_EQ(m.caption, 30);
  EXPECT_EQ(m.left, 6);
}

TEST(FrameMetrics, ClientAreaLiesInsideTheBordersAndMenuLine) {
  const TRect client = SkinnedClientRect({100, 50, 700, 550}, {4, 30, 6, 5}, 19);
  EXPECT_EQ(client, (TRect{104, 99, 694, 545}));
}

TEST(CaptionButtonVisibility, FollowsTheWindowStatesOfBothCodes) {
  TCaptionWindowState s = MainWindow();
  EXPECT_TRUE(CaptionButtonVisible(Button(0, 0, 0), s));     // close
  EXPECT_FALSE(CaptionButtonVisible(Button(30, -1, 0), s));  // never shown
  // Maximise/restore pair (codes 2 and 1) on a window with a maximise box.
  s.border_icons |= kIconMaximize;
  EXPECT_TRUE(CaptionButtonVisible(Button(1, 2, 6), s));
  EXPECT_FALSE(CaptionButtonVisible(Button(1, 1, 6), s));
  s.maximized = true;
  EXPECT_FALSE(CaptionButtonVisible(Button(1, 2, 6), s));
  EXPECT_TRUE(CaptionButtonVisible(Button(1, 1, 6), s));
  // Active and inactive looks.
  s.active = false;
  EXPECT_FALSE(CaptionButtonVisible(Button(40, 3, 0), s));
  EXPECT_TRUE(CaptionButtonVisible(Button(40, 4, 0), s));
  // Unknown ranges.
  EXPECT_FALSE(CaptionButtonVisible(Button(40, 5, 0), s));
  EXPECT_FALSE(CaptionButtonVisible(Button(40, 50, 0), s));
  EXPECT_FALSE(CaptionButtonVisible(Button(40, 150, 0), s));
  EXPECT_TRUE(CaptionButtonVisible(Button(40, 500, 0), s));
  EXPECT_FALSE(CaptionButtonVisible(Button(40, 2500, 0), s));
  EXPECT_FALSE(CaptionButtonVisible(Button(40, 0, 50), s));
}

TEST(CaptionButtonVisibility, MinimiseStandsAloneWithoutMaximiseBox) {
  // The skins' minimise button that takes the maximise button's place
  // shows only on windows without a maximise box, and needs a minimise box.
  TCaptionWindowState s = MainWindow();
  const TDataSkinSysButton alone = Button(2, 7, 8);
  const TDataSkinSysButton beside = Button(2, 6, 8);
  EXPECT_TRUE(CaptionButtonVisible(alone, s));
  EXPECT_FALSE(CaptionButtonVisible(beside, s));
  s.border_icons |= kIconMaximize;
  EXPECT_FALSE(CaptionButtonVisible(alone, s));
  EXPECT_TRUE(CaptionButtonVisible(beside, s));
  // Code 6 in the first place also needs the system menu, in the second not.
  s.border_icons = kIconMaximize | kIconMinimize;
  EXPECT_FALSE(CaptionButtonVisible(Button(40, 6, 0), s));
  EXPECT_TRUE(CaptionButtonVisible(Button(40, 0, 6), s));
  EXPECT_FALSE(CaptionButtonVisible(Button(40, 8, 0), s));
  EXPECT_TRUE(CaptionButtonVisible(Button(40, 0, 8), s));
  s.border_icons = 0;
  EXPECT_TRUE(CaptionButtonVisible(Button(40, 0, 9), s));
  EXPECT_TRUE(CaptionButtonVisible(Button(40, 9, 7), s));
}

TEST(CaptionButtonVisibility, ActionsNeedTheirBoxesAndDialogsHideTheIcon) {
  TCaptionWindowState s = MainWindow();
  s.border_icons = kIconMinimize | kIconMaximize;  // no system menu
  EXPECT_FALSE(CaptionButtonVisible(Button(0, 0, 0), s));
  s.border_icons = kIconSystemMenu;
  EXPECT_FALSE(CaptionButtonVisible(Button(1, 0, 0), s));
  EXPECT_FALSE(CaptionButtonVisible(Button(2, 0, 0), s));
  EXPECT_TRUE(CaptionButtonVisible(Button(3, 0, 0), s));
  s.frame_kind = fkDialog;
  for (int action : {3, 11, 12}) EXPECT_FALSE(CaptionButtonVisible(Button(action, 0, 0), s));
  EXPECT_TRUE(CaptionButtonVisible(Button(0, 0, 0), s));
  // Code 200: a dialog frame of the program's own, not a system dialog.
  EXPECT_TRUE(CaptionButtonVisible(Button(40, 200, 200), s));
  s.system_dialog = true;
  EXPECT_FALSE(CaptionButtonVisible(Button(40, 200, 200), s));
}

TEST(CaptionButtonVisibility, AsksTheWindowForCodesFrom1000To2000) {
  TCaptionWindowState s = MainWindow();
  std::vector<std::pair<int, int>> asked;
  int answer = 0;
  s.ask_window = [&](int code, int action) {
    asked.emplace_back(code, action);
    return answer;
  };
  EXPECT_FALSE(CaptionButtonVisible(Button(44, 1500, 0), s));
  answer = 1;
  EXPECT_TRUE(CaptionButtonVisible(Button(44, 1500, 0), s));
  // The second code in that range holds without asking.
  EXPECT_TRUE(CaptionButtonVisible(Button(44, 0, 1500), s));
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], std::make_pair(1500, 44));
  // Code 100: the maximised MDI child's buttons in the frame's menu line.
  EXPECT_FALSE(CaptionButtonVisible(Button(7, 100, 100), s));
  s.mdi_child_maximized_in_menu_bar = true;
  EXPECT_TRUE(CaptionButtonVisible(Button(7, 100, 100), s));
}

TEST(CaptionButtonLayout, PlacesButtonsByAlignment) {
  TCaptionLayoutFrame frame;
  frame.frame_width = 541;
  frame.metrics = {4, 30, 4, 4};
  frame.menu_bar = 20;
  TDataSkinSysButton b;
  b.Xcoord = 40;
  b.Ycoord = 6;
  b.Align = 0;
  EXPECT_EQ(CaptionButtonBounds(b, 24, 18, frame), (TRect{40, 6, 64, 24}));
  b.Align = 1;  // counted from the right edge to the button's left edge
  EXPECT_EQ(CaptionButtonBounds(b, 24, 18, frame), (TRect{501, 6, 525, 24}));
  b.Align = 2;
  EXPECT_EQ(CaptionButtonBounds(b, 24, 18, frame), (TRect{-64, 6, -40, 24}));
  b.Align = 9;
  EXPECT_EQ(CaptionButtonBounds(b, 24, 18, frame), (TRect{40, 6, 64, 24}));
  b.Align = 100;  // centred in the menu line, from the right
  EXPECT_EQ(CaptionButtonBounds(b, 16, 14, frame), (TRect{497, 33, 513, 47}));
  frame.right_to_left = true;
  EXPECT_EQ(CaptionButtonBounds(b, 16, 14, frame), (TRect{44, 33, 60, 47}));
  b.Align = 57;
  EXPECT_EQ(CaptionButtonBounds(b, 16, 14, frame), (TRect{0, 0, 16, 14}));
}

TEST(OpaqueRuns, KeyAndToleranceMakeHolesRowByRow) {
  TBitmap b(6, 2, clWhite);
  b.SetPixel(0, 0, RGBColour(255, 0, 255));  // the key
  b.SetPixel(3, 0, RGBColour(255, 1, 255));  // within the tolerance
  b.SetPixel(1, 1, RGBColour(254, 0, 255));  // one step off: opaque
  b.SetPixel(5, 1, RGBColour(255, 2, 255));  // beyond the tolerance
  const std::vector<TRect> runs = OpaqueRuns(b, 10, 20, clFuchsia, 1);
  const std::vector<TRect> expected = {{11, 20, 13, 21}, {14, 20, 16, 21}, {10, 21, 16, 22}};
  EXPECT_EQ(runs, expected);
  EXPECT_TRUE(OpaqueRuns(TBitmap(4, 4, clFuchsia), 0, 0, clFuchsia, 1).empty());
}

TEST(OpaqueRuns, RepeatedRowsShareTallRectangles) {
  // A rounded corner on top, then rows that repeat, then a different row.
  TBitmap b(5, 6, clWhite);
  b.SetPixel(0, 0, clFuchsia);
  for (int y = 1; y < 5; ++y) b.SetPixel(2, y, clFuchsia);
  b.SetPixel(4, 5, clFuchsia);
  const std::vector<TRect> runs = OpaqueRuns(b, 0, 0, clFuchsia, 1);
  const std::vector<TRect> expected = {{1, 0, 5, 1}, {0, 1, 2, 5}, {3, 1, 5, 5}, {0, 5, 4, 6}};
  EXPECT_EQ(runs, expected);
  // Every opaque pixel is covered exactly once.
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) {
      int covering = 0;
      for (const TRect& r : runs) covering += r.Contains(x, y);
      EXPECT_EQ(covering, b.Pixel(x, y) == clFuchsia ? 0 : 1) << x << "," << y;
    }
  }
  EXPECT_TRUE(OpaqueRuns(TBitmap(), 0, 0, clFuchsia, 1).empty());
}

}  // namespace
