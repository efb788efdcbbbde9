// The main window as a person sees it at the screen's DPI (the suite runs at
// 96, 120, 144 and 192 DPI): the start panel's text keeps its margins and
// fits its area, and the group boxes' captions sit as far in from their
// frames as at 96 DPI, read back from the screen under every stored skin.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Dpi.h"
#include "framework/GdiObjects.h"
#include "framework/Unicode.h"
#include "tests/wine/app/MainWindowHarness.h"

namespace {

using namespace std::chrono_literals;

const char* const kSkinNames[] = {"meadow", "nightfall", "daylight", "contrast", "ember"};

class MainWindowLookAtDpi : public ::testing::Test, public TMainWindowHarness {
 protected:
  void SetUp() override {
    dpi = WindowDpi(form->Handle());
    SetForegroundWindow(form->Handle());
  }

  void ShowSkin(int skin) {
    form->SkinData1->LoadFromSkinStore(form->SkinStore1, skin);
    form->SkinData1->SetActive(true);
    PumpUntil(
        app, [] { return false; }, 700ms);
  }

  int Scaled(int value) const { return ScaleForDpi(value, dpi); }

  int dpi = kDefaultDpi;
};

// The box round every pixel of `shot` that differs from its top-left
// corner (the panel's background); empty when there is none.
RECT InkBounds(const TBitmap& shot) {
  const uint32_t back = shot.Pixel(0, 0) & 0xFFFFFF;
  RECT ink{shot.Width(), shot.Height(), -1, -1};
  for (int y = 0; y < shot.Height(); ++y) {
    for (int x = 0; x < shot.Width(); ++x) {
      if ((shot.Pixel(x, y) & 0xFFFFFF) == back) continue;
      ink.left = std::min<LONG>(ink.left, x);
      ink.top = std::min<LONG>(ink.top, y);
      ink.right = std::max<LONG>(ink.right, x + 1);
      ink.bottom = std::max<LONG>(ink.bottom, y + 1);
    }
  }
  return ink;
}

TEST_F(MainWindowLookAtDpi, StartPanelKeepsItsMarginsAndFitsItsArea) {
  ASSERT_NE(form->StartPanel1, nullptr);
  ASSERT_TRUE(IsWindowVisible(form->StartPanel1->Handle()));
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinNames[skin]);
    ShowSkin(skin);
    RECT panel{};
    GetWindowRect(form->StartPanel1->Handle(), &panel);
    RedrawWindow(form->StartPanel1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const TBitmap shot = Capture(panel);
    SaveShot(form->Handle(),
             "main-look-" + std::to_string(dpi) + "dpi-" + kSkinNames[skin] + "-start");
    const RECT ink = InkBounds(shot);
    ASSERT_GT(ink.right, ink.left) << "the panel shows text";
    // The heading starts a margin of 24 units in and 18 down, at every DPI;
    // its glyphs lie a little inside the text's cell.
    EXPECT_GE(ink.left, Scaled(24)) << "left margin";
    EXPECT_LE(ink.left, Scaled(24) + Scaled(6)) << "left margin";
    EXPECT_GE(ink.top, Scaled(18)) << "top margin";
    EXPECT_LE(ink.top, Scaled(18) + Scaled(10)) << "top margin";
    // The last line ends inside the panel with room to spare below.
    EXPECT_LE(ink.bottom, shot.Height() - Scaled(8)) << "the lines fit the panel";
    // The text takes the same share of the panel's height at every DPI:
    // at 96 DPI its ink reaches about 100 of the panel's 161 units.
    EXPECT_GE(ink.bottom, Scaled(90)) << "the lines keep their spacing";
  }
}

// The columns of `shot`'s row band [top, bottom) that hold a pixel of
// `ink`, as a sorted list of x.
std::vector<int> InkColumns(const TBitmap& shot, int top, int bottom, COLORREF ink) {
  std::vector<int> columns;
  for (int x = 0; x < shot.Width(); ++x) {
    for (int y = std::max(top, 0); y < std::min(bottom, shot.Height()); ++y) {
      if ((static_cast<COLORREF>(shot.Pixel(x, y)) & 0xFFFFFF) == ink) {
        columns.push_back(x);
        break;
      }
    }
  }
  return columns;
}

TEST_F(MainWindowLookAtDpi, GroupCaptionsSitInFromTheirFramesAtTheirScale) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinNames[skin]);
    ShowSkin(skin);
    for (TGroupBox* group : {form->GroupBox3, form->GroupBox6, form->GroupBox2}) {
      SCOPED_TRACE(WideToUtf8(group->Caption()));
      RECT box{};
      GetWindowRect(group->Handle(), &box);
      RedrawWindow(group->Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      const TBitmap shot = Capture(box);
      // The caption's line: the frame's top runs through its middle. Only
      // the caption's glyphs and the frame are drawn there.
      HDC dc = GetDC(group->Handle());
      TSelectObject font(dc, group->Font());
      TEXTMETRICW metrics{};
      GetTextMetricsW(dc, &metrics);
      ReleaseDC(group->Handle(), dc);
      const COLORREF text =
          static_cast<COLORREF>(ColorToRGB(form->SkinData1->Colours().ButtonText) & 0xFFFFFF);
      const COLORREF frame =
          static_cast<COLORREF>(ColorToRGB(form->SkinData1->Colours().ButtonShadow) & 0xFFFFFF);
      const std::vector<int> glyphs = InkColumns(shot, 0, metrics.tmHeight, text);
      ASSERT_FALSE(glyphs.empty()) << "the caption shows";
      // Set in by the indent and the gap that breaks the frame's line.
      EXPECT_GE(glyphs.front(), Scaled(8) + Scaled(2)) << "caption indent";
      EXPECT_LE(glyphs.front(), Scaled(8) + Scaled(2) + Scaled(4)) << "caption indent";
      // The frame's left side is as thick as the skin's one-pixel lines
      // drawn at this DPI (the buttons' borders beside it).
      const int middle = shot.Height() / 2;
      int thickness = 0;
      for (int x = 0; x < Scaled(6); ++x) {
        thickness += (static_cast<COLORREF>(shot.Pixel(x, middle)) & 0xFFFFFF) == frame;
      }
      EXPECT_EQ(thickness, std::max(1, dpi / kDefaultDpi)) << "frame line";
    }
    SaveShot(form->Handle(), "main-look-" + std::to_string(dpi) + "dpi-" + kSkinNames[skin]);
  }
}

}  // namespace
