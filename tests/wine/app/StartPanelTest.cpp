// The start page's area where no browser control can be made (as in this
// Wine prefix, which has no HTML engine): the program's own start panel,
// read back from the screen under every stored skin, in the skin's content
// colours and with its lines readable.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <map>
#include <string>

#include "framework/WebBrowser.h"
#include "skin/data/SkinManage.h"
#include "tests/wine/app/StandInFixture.h"
#include "tests/wine/support/ScreenCapture.h"
#include "tests/wine/support/ScreenColours.h"

namespace {

using namespace std::chrono_literals;

using screen_colours::ContrastRatio;

using StartPanelTest = StandInTest;

TEST_F(StartPanelTest, WithoutABrowserTheProgramsOwnStartPanelReadsUnderEverySkin) {
  ASSERT_FALSE(form->WebBrowser1->Hosted()) << "this check needs a system without a browser";
  ASSERT_NE(form->StartPanel1, nullptr);
  EXPECT_TRUE(IsWindowVisible(form->StartPanel1->Handle()));
  RECT area{}, panel{};
  GetWindowRect(form->WebBrowser1->Handle(), &area);
  GetWindowRect(form->StartPanel1->Handle(), &panel);
  EXPECT_TRUE(EqualRect(&area, &panel)) << "the panel fills the start page's area";

  SetForegroundWindow(form->Handle());
  const char* const names[] = {"meadow", "nightfall", "daylight", "contrast", "ember"};
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(names[skin]);
    form->SkinData1->LoadFromSkinStore(form->SkinStore1, skin);
    PumpUntil(
        app, [] { return false; }, 700ms);
    RedrawWindow(form->StartPanel1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const TBitmap shot = Capture(panel);
    SaveShot(form->Handle(), std::string("start-panel-") + names[skin]);
    // The background is the skin's Window colour; the text, its WindowText.
    std::map<COLORREF, int> counts;
    for (int y = 0; y < shot.Height(); ++y)
      for (int x = 0; x < shot.Width(); ++x)
        ++counts[static_cast<COLORREF>(shot.Pixel(x, y)) & 0xFFFFFF];
    const COLORREF back =
        std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
          return a.second < b.second;
        })->first;
    const COLORREF window = static_cast<COLORREF>(ColorToRGB(form->SkinData1->Colours().Window));
    const COLORREF ink = static_cast<COLORREF>(ColorToRGB(form->SkinData1->Colours().WindowText));
    EXPECT_EQ(back, window) << "background " << std::hex << back;
    // The text pixels: the colour that stands out most from the background,
    // found on five lines' worth of rows.
    COLORREF text = back;
    for (const auto& [colour, n] : counts)
      if (n > 20 && ContrastRatio(colour, back) > ContrastRatio(text, back)) text = colour;
    EXPECT_EQ(text, ink) << "text " << std::hex << text;
    const double needed = skin == 3 ? 7.0 : 4.5;
    EXPECT_GE(ContrastRatio(text, back), needed);
    int rows_with_text = 0;
    for (int y = 0; y < shot.Height(); ++y) {
      int n = 0;
      for (int x = 0; x < shot.Width(); ++x)
        n += (static_cast<COLORREF>(shot.Pixel(x, y)) & 0xFFFFFF) == text;
      rows_with_text += n > 0;
    }
    EXPECT_GE(rows_with_text, 5 * 8) << "the heading and four lines";
  }
}

// The colour most of `shot` has.
COLORREF Background(const TBitmap& shot) {
  std::map<COLORREF, int> counts;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x)
      ++counts[static_cast<COLORREF>(shot.Pixel(x, y)) & 0xFFFFFF];
  return std::max_element(counts.begin(), counts.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

TEST_F(StartPanelTest, UnderTheSystemsHighContrastModeThePanelTakesTheSystemsColours) {
  auto* manager = dynamic_cast<TSkinManage*>(skins->Manager());
  ASSERT_NE(manager, nullptr);
  bool contrast = false;
  manager->SetHighContrastQuery([&contrast] { return contrast; });
  form->SkinData1->LoadFromSkinStore(form->SkinStore1, 1);  // a dark skin
  PumpUntil(
      app, [] { return false; }, 700ms);
  RECT panel{};
  GetWindowRect(form->StartPanel1->Handle(), &panel);
  const COLORREF skin_window = static_cast<COLORREF>(ColorToRGB(form->SkinData1->Colours().Window));
  ASSERT_NE(skin_window, GetSysColor(COLOR_WINDOW) & 0xFFFFFF);
  EXPECT_EQ(Background(Capture(panel)), skin_window);

  // The switch repaints the panel by itself.
  for (const bool on : {true, false}) {
    contrast = on;
    manager->CheckHighContrast();
    PumpUntil(
        app, [&] { return manager->HighContrast() == on && !manager->ContrastSwitchPending(); },
        5s);
    PumpUntil(
        app, [] { return false; }, 500ms);
    ASSERT_EQ(manager->HighContrast(), on);
    EXPECT_EQ(Background(Capture(panel)), on ? GetSysColor(COLOR_WINDOW) & 0xFFFFFF : skin_window)
        << (on ? "high contrast on" : "high contrast off again");
  }
}

TEST_F(StartPanelTest, AFailedNavigationShowsTheStartPanelInsteadOfAnErrorPage) {
  // As when a browser showed the page: the panel is away until the browser
  // reports that the page could not be opened.
  form->StartPanel1->SetVisible(false);
  EXPECT_FALSE(form->WebBrowser1->NavigateFailed());
  for (const int skin : {1, 2}) {  // Nightfall, Daylight
    SCOPED_TRACE(skin);
    form->StartPanel1->SetVisible(false);
    form->SkinData1->LoadFromSkinStore(form->SkinStore1, skin);
    PostMessageW(form->WebBrowser1->Handle(), WM_WEBBROWSER_NAVIGATEERROR, 0, 0);
    ASSERT_TRUE(PumpUntil(
        app, [&] { return IsWindowVisible(form->StartPanel1->Handle()) != FALSE; }, 5s));
    EXPECT_TRUE(form->WebBrowser1->NavigateFailed());
    EXPECT_FALSE(form->WebBrowser1->Hosted());
    PumpUntil(
        app, [] { return false; }, 500ms);
    RECT panel{};
    GetWindowRect(form->StartPanel1->Handle(), &panel);
    RedrawWindow(form->StartPanel1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const TBitmap shot = Capture(panel);
    const COLORREF window = static_cast<COLORREF>(ColorToRGB(form->SkinData1->Colours().Window));
    const COLORREF ink = static_cast<COLORREF>(ColorToRGB(form->SkinData1->Colours().WindowText));
    int back = 0, text = 0;
    for (int y = 0; y < shot.Height(); ++y) {
      for (int x = 0; x < shot.Width(); ++x) {
        const COLORREF c = static_cast<COLORREF>(shot.Pixel(x, y)) & 0xFFFFFF;
        back += c == window;
        text += c == ink;
      }
    }
    EXPECT_GT(back, shot.Width() * shot.Height() / 2) << "the panel in the content colour";
    EXPECT_GT(text, 200) << "its lines in the content text colour";
    SaveShot(form->Handle(), "start-panel-after-failure-" + std::to_string(skin));
  }
}

}  // namespace
