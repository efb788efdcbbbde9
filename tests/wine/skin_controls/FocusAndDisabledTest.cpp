// Skinned buttons as a new user meets them: the focus image on the one
// button that has the focus, also after a message box; buttons inside a
// greyed container greyed as well; group-box captions set in from the
// corner. Pictures under the dark skins as much as the light one.
#include <windows.h>

#include <string>
#include <vector>

#include "app/Main.h"
#include "framework/Buttons.h"
#include "framework/GdiObjects.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinButtons.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

class FocusAndDisabledTest : public SkinControlsTest {
 protected:
  // A message box over `owner`, closed by Enter from a script thread.
  void MessageBoxClosedByEnter(HWND owner) {
    input::TScriptThread script([] {
      input::Pause(600);
      input::Key(VK_RETURN);
    });
    MessageBoxW(owner, L"Message", L"Focus test", MB_OK);
    Pump(300);
  }
  // How many of `buttons` show the skin's focused image.
  int FocusedImages(const std::vector<TButton*>& buttons, const TSkinData& data) {
    int n = 0;
    for (TButton* b : buttons) n += ButtonCell(b->Handle(), data) == sbFocused ? 1 : 0;
    return n;
  }
};

// Light, dark and high-contrast skins.
constexpr int kLookedAtSkins[] = {2, 1, 3};

TEST_F(FocusAndDisabledTest, OneFocusImageFollowsTheFocusThroughAMessageBox) {
  for (int skin : kLookedAtSkins) {
    SCOPED_TRACE(kSkinFiles[skin]);
    std::vector<TButton*> buttons;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      TGroupBox& group = Add<TGroupBox>(f, f, 20, 20, 330, 80, L"Files");
      for (int i = 0; i < 3; ++i) {
        buttons.push_back(&Add<TButton>(f, group, 15 + i * 105, 30, 90, 30,
                                        std::wstring(L"Button ") + wchar_t(L'A' + i)));
      }
    });
    TSkinData& data = DataOf(form);
    int clicks[3] = {};
    for (int i = 0; i < 3; ++i) buttons[i]->OnClick = [&clicks, i](TObject*) { ++clicks[i]; };
    // Tab onto the first button, as a person at the keyboard would.
    SetFocus(form.Handle());
    input::Key(VK_TAB);
    Pump(200);
    ASSERT_EQ(GetFocus(), buttons[0]->Handle());

    MessageBoxClosedByEnter(form.Handle());
    EXPECT_EQ(GetFocus(), buttons[0]->Handle()) << "the focus is back on the button";
    EXPECT_EQ(ButtonCell(buttons[0]->Handle(), data), sbFocused);
    EXPECT_EQ(FocusedImages(buttons, data), 1);
    // Tab moves the one focus image on; Space clicks where it is.
    input::Key(VK_TAB);
    Pump(200);
    EXPECT_EQ(GetFocus(), buttons[1]->Handle());
    EXPECT_EQ(ButtonCell(buttons[1]->Handle(), data), sbFocused);
    EXPECT_EQ(FocusedImages(buttons, data), 1) << "no stale focus image left behind";
    input::Key(VK_TAB);
    Pump(200);
    EXPECT_EQ(ButtonCell(buttons[2]->Handle(), data), sbFocused);
    EXPECT_EQ(FocusedImages(buttons, data), 1);
    input::Chord(VK_SHIFT, VK_TAB);
    Pump(200);
    EXPECT_EQ(FocusedImages(buttons, data), 1);
    input::Key(VK_SPACE);
    Pump(250);
    EXPECT_EQ(clicks[0], 0);
    EXPECT_EQ(clicks[1], 1);
    // The mouse takes the focus elsewhere: the button the keys reached last
    // shows its focus image no more.
    Click(Centre(WindowRect(buttons[0]->Handle())));
    Park();
    Pump(200);
    EXPECT_EQ(ButtonCell(buttons[0]->Handle(), data), sbFocused);
    EXPECT_EQ(FocusedImages(buttons, data), 1) << "one button looks focused, not two";
    SaveShot(form.Handle(), std::string("focus-") + kSkinFiles[skin]);
    form.SetVisible(false);
  }
}

TEST_F(FocusAndDisabledTest, ButtonsInAGreyedContainerLookGreyedUntilItIsEnabledAgain) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TGroupBox* group = nullptr;
    TButton* direct = nullptr;
    TButton* in_panel = nullptr;
    TButton* outside = nullptr;
    TSpeedButton* speed = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      group = &Add<TGroupBox>(f, f, 20, 20, 420, 120, L"Group");
      direct = &Add<TButton>(f, *group, 15, 30, 90, 30, L"Direct");
      TPanel& panel = Add<TPanel>(f, *group, 120, 25, 280, 80);
      in_panel = &Add<TButton>(f, panel, 10, 5, 90, 30, L"In panel");
      speed = &OwnedComponent<TSpeedButton>(f);
      speed->SetBounds(110, 5, 90, 30);
      speed->SetCaption(L"Speed");
      speed->SetParent(&panel);
      outside = &Add<TButton>(f, f, 20, 160, 90, 30, L"Outside");
    });
    TSkinData& data = DataOf(form);
    SetFocus(form.Handle());
    Pump(150);
    ASSERT_EQ(ButtonCell(direct->Handle(), data), sbNormal);

    const RECT g = WindowRect(group->Handle());
    const RECT caption{g.left, g.top, g.left + 60, g.top + 14};
    const TColor ink = data.Colours().ButtonText;
    EXPECT_GT(CountColour(Capture(caption), ink, 40), 10);
    group->SetEnabled(false);
    Pump(200);
    EXPECT_EQ(CountColour(Capture(caption), ink, 40), 0) << "the group's caption greyed too";
    EXPECT_EQ(ButtonCell(direct->Handle(), data), sbDisabled);
    EXPECT_EQ(ButtonCell(in_panel->Handle(), data), sbDisabled) << "greyed through two levels";
    EXPECT_EQ(ButtonCell(ScreenRect(*speed), data), sbDisabled) << "windowless as well";
    EXPECT_EQ(ButtonCell(outside->Handle(), data), sbNormal);
    // A repaint of its own keeps the greyed look.
    RedrawWindow(direct->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(ButtonCell(direct->Handle(), data), sbDisabled);
    SaveShot(form.Handle(), std::string("greyed-group-") + kSkinFiles[skin]);

    group->SetEnabled(true);
    Pump(200);
    EXPECT_EQ(ButtonCell(direct->Handle(), data), sbNormal);
    EXPECT_EQ(ButtonCell(in_panel->Handle(), data), sbNormal);
    EXPECT_EQ(ButtonCell(ScreenRect(*speed), data), sbNormal);
    form.SetVisible(false);
  }
}

// The part `r` of `shot`.
TBitmap Crop(const TBitmap& shot, const TRect& r) {
  TBitmap part(r.Width(), r.Height());
  part.CopyRect(part.BoundsRect(), shot, r);
  return part;
}

// The leftmost column of `shot` holding a pixel near `colour`, or -1.
int FirstColumnWith(const TBitmap& shot, TColor colour) {
  for (int x = 0; x < shot.Width(); ++x) {
    if (CountColour(Crop(shot, {x, 0, x + 1, shot.Height()}), colour, 40) > 0) return x;
  }
  return -1;
}

TEST_F(FocusAndDisabledTest, GroupBoxCaptionsAreSetInFromTheFrameCorner) {
  for (int skin : kLookedAtSkins) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TGroupBox* group = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      group = &Add<TGroupBox>(f, f, 20, 20, 300, 100, L"\u8BBE\u7F6E");  // 设置
    });
    TSkinData& data = DataOf(form);
    const RECT r = WindowRect(group->Handle());
    const TBitmap top = Capture({r.left, r.top, r.right, r.top + 16});
    const int text = FirstColumnWith(top, data.Colours().ButtonText);
    // The frame line runs from the rounded corner up to a gap before the
    // caption, as the system draws it.
    EXPECT_GE(text, 10) << "the caption starts some way in from the frame";
    EXPECT_LE(text, 16);
    HDC dc = GetDC(group->Handle());
    TSelectObject font(dc, group->Font());
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    ReleaseDC(group->Handle(), dc);
    const int line = zero.cy / 2 - 1;
    const TColor shadow = data.Colours().ButtonShadow;
    EXPECT_GT(CountColour(Crop(top, {3, line, 6, line + 1}), shadow), 2) << "the line before";
    EXPECT_EQ(CountColour(Crop(top, {text - 1, line, text, line + 1}), shadow), 0)
        << "a gap before the caption";
    SaveShot(group->Handle(), std::string("group-caption-") + kSkinFiles[skin]);
    form.SetVisible(false);
  }
}

// The program's own main window: after a message box the focus is back on
// "新增", the only button showing the focus image.
TEST_F(FocusAndDisabledTest, MainWindowGivesTheFocusBackAfterAMessageBox) {
  TFrmMain& main = OwnedComponent<TFrmMain>(App(), Environment());
  main.Show();
  SetForegroundWindow(main.Handle());
  ASSERT_TRUE(WaitSkinned(main.Handle()));
  Pump(300);
  TSkinData& data = *main.SkinData1;
  const std::vector<TButton*> buttons{main.btnAdd,       main.btnDelete, main.btnClear,
                                      main.btnAddFolder, main.Button8,   main.btnConvert};
  // Tab onto "新增".
  SetFocus(main.lvwFiles->Handle());
  for (int i = 0; i < 12 && GetFocus() != main.btnAdd->Handle(); ++i) {
    input::Key(VK_TAB);
    Pump(150);
  }
  ASSERT_EQ(GetFocus(), main.btnAdd->Handle());
  MessageBoxClosedByEnter(main.Handle());
  EXPECT_EQ(GetFocus(), main.btnAdd->Handle());
  EXPECT_EQ(FocusedImages(buttons, data), 1);
  input::Key(VK_TAB);
  Pump(200);
  EXPECT_EQ(FocusedImages(buttons, data), 1) << "no stale focus image on the first button";
  input::Key(VK_TAB);
  Pump(200);
  EXPECT_EQ(FocusedImages(buttons, data), 1);
  SaveShot(main.Handle(), "main-focus-after-message");
}

// The main window greys its settings during a batch: the buttons inside
// its group boxes look greyed with them, the focused one outside does not.
TEST_F(FocusAndDisabledTest, MainWindowButtonsInItsGreyedGroupsLookGreyed) {
  TFrmMain& main = OwnedComponent<TFrmMain>(App(), Environment());
  main.Show();
  SetForegroundWindow(main.Handle());
  ASSERT_TRUE(WaitSkinned(main.Handle()));
  TSkinData& data = *main.SkinData1;
  for (int skin : kLookedAtSkins) {
    SCOPED_TRACE(kSkinFiles[skin]);
    data.LoadFromSkinStore(main.SkinStore1, skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(main.Handle()));
    Pump(300);
    SetFocus(main.btnConvert->Handle());
    main.GroupBox3->SetEnabled(false);
    main.GroupBox6->SetEnabled(false);
    Pump(300);
    for (TButton* b :
         {main.btnAdd, main.btnDelete, main.btnClear, main.btnAddFolder, main.Button8}) {
      EXPECT_EQ(ButtonCell(b->Handle(), data), sbDisabled);
    }
    EXPECT_EQ(ButtonCell(main.btnConvert->Handle(), data), sbFocused);
    SaveShot(main.Handle(), std::string("main-greyed-") + kSkinFiles[skin]);
    main.GroupBox3->SetEnabled(true);
    main.GroupBox6->SetEnabled(true);
    Pump(300);
    EXPECT_EQ(ButtonCell(main.btnAdd->Handle(), data), sbNormal);
    EXPECT_EQ(ButtonCell(main.btnConvert->Handle(), data), sbFocused);
  }
}

}  // namespace
