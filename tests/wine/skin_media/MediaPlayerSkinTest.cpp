// The skinned media player under Wine: the panel laid over the player
// under every stored skin, read back from the screen (the skin's button
// cells, glyphs that read on them, the focus ring, a bare face without
// buttons), real presses handed on to the player, the panel following the
// player, and the panel given back and made again.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/MediaPlayer.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/form/ControlWalk.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/ScreenColours.h"

namespace {

using screen_colours::ContrastRatio;
using screen_colours::ReadText;

// A player that writes down the presses and releases it is handed.
class TSpyPlayer : public TMediaPlayer {
 public:
  using TMediaPlayer::TMediaPlayer;
  int downs = 0;
  int ups = 0;
  std::vector<TMPBtnType> clicks;

 protected:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_LBUTTONDOWN) ++downs;
    if (m.Msg == WM_LBUTTONUP) ++ups;
    TMediaPlayer::WndProc(m);
  }
};

constexpr int kButtonWidth = 30;

class SkinMediaTest : public SkinControlsTest {
 protected:
  // A skinned form with one player of `width` at (20, 20), 30 high.
  TForm& ShowPlayer(int skin, int width, const std::function<void(TSpyPlayer&)>& setup = {}) {
    return ShowSkinned(skin, [&](TForm& form) {
      player_ = &Add<TSpyPlayer>(form, form, 20, 20, width, 30);
      player_->OnClick = [this](TObject*, TMPBtnType button, bool&) {
        player_->clicks.push_back(button);
      };
      if (setup) setup(*player_);
    });
  }
  HWND Panel(TForm& form) {
    auto* object = dynamic_cast<TSkinMP*>(ObjectOf(form, *player_));
    return object && object->Panel() ? object->Panel()->Handle() : nullptr;
  }
  // The screen rectangle of the `slot`-th button place of the player.
  RECT Slot(int slot, int width = kButtonWidth) const {
    const POINT p = ScreenPoint(player_->Handle(), slot * width, 0);
    return RECT{p.x, p.y, p.x + width, p.y + 30};
  }
  // The 16-pixel glyph box in the middle of a button place.
  static RECT GlyphBox(const RECT& button) {
    const int x = button.left + (button.right - button.left - 16) / 2;
    const int y = button.top + (button.bottom - button.top - 16) / 2;
    return RECT{x, y, x + 16, y + 16};
  }
  static int PanelCount(HWND parent) {
    int count = 0;
    for (HWND w = FindWindowExW(parent, nullptr, L"TonmillMediaPanel", nullptr); w;
         w = FindWindowExW(parent, w, L"TonmillMediaPanel", nullptr)) {
      ++count;
    }
    return count;
  }

  TSpyPlayer* player_ = nullptr;
};

TEST_F(SkinMediaTest, NoVisibleButtonsGivesAPlainFacePanel) {
  for (int skin = 0; skin < 5; ++skin) {
    TForm& form = ShowPlayer(skin, 120, [](TSpyPlayer& p) { p.SetVisibleButtons(TButtonSet{}); });
    const HWND panel = Panel(form);
    ASSERT_NE(panel, nullptr) << kSkinFiles[skin];
    const TBitmap shot = Capture(WindowRect(panel));
    EXPECT_EQ(CountColour(shot, DataOf(form).Colours().ButtonFace, 0), shot.Width() * shot.Height())
        << kSkinFiles[skin];
    form.Close();
    Pump(50);
  }
}

TEST_F(SkinMediaTest, CellsGlyphsAndFocusReadUnderEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    const std::string name = kSkinFiles[skin];
    TForm& form = ShowPlayer(skin, 9 * kButtonWidth, [](TSpyPlayer& p) {
      p.SetEnabledButtons(TButtonSet{btPlay, btPause, btNext, btPrev, btStep, btBack, btEject});
      p.SetColoredButtons(TButtonSet{btPlay});
    });
    TSkinData& data = DataOf(form);
    ASSERT_NE(Panel(form), nullptr) << name;
    EXPECT_EQ(WindowRect(Panel(form)).left, WindowRect(player_->Handle()).left);
    SaveShot(WindowRect(Panel(form)), "media_" + name);

    // The skin's own cells: normal for usable buttons, disabled for stop
    // and record.
    EXPECT_EQ(ButtonCell(Slot(1), data), 1) << name;
    EXPECT_EQ(ButtonCell(Slot(6), data), 1) << name;
    EXPECT_EQ(ButtonCell(Slot(2), data), 3) << name;
    EXPECT_EQ(ButtonCell(Slot(7), data), 3) << name;

    // Glyphs read on the face; the contrast skin's at 7:1.
    const double target = skin == 3 ? 7.0 : 4.5;
    for (int slot : {0, 1, 3, 8}) {
      const auto look = ReadText(Capture(GlyphBox(Slot(slot))));
      EXPECT_GE(look.ratio, target) << name << " button " << slot;
    }
    // Disabled glyphs are seen, but plainly fainter.
    const auto enabled = ReadText(Capture(GlyphBox(Slot(1))));
    for (int slot : {2, 7}) {
      const auto disabled = ReadText(Capture(GlyphBox(Slot(slot))));
      EXPECT_GE(disabled.ratio, 1.5) << name << " button " << slot;
      EXPECT_LE(disabled.ratio * 1.5, enabled.ratio) << name << " button " << slot;
    }

    // The focused player rings its first button in an ink that reads.
    const TBitmap before = Capture(Slot(0));
    SetFocus(player_->Handle());
    ASSERT_TRUE(PumpUntil([&] {
      const TBitmap now = Capture(Slot(0));
      return now.Pixel(4, 15) != before.Pixel(4, 15);
    })) << name;
    const TBitmap focused = Capture(Slot(0));
    EXPECT_GE(ContrastRatio(focused.Pixel(4, 15), before.Pixel(4, 15)), 3.0) << name;
    EXPECT_EQ(focused.Pixel(4, 15), focused.Pixel(15, 4)) << name;  // one ring, all round
    SaveShot(WindowRect(Panel(form)), "media_focused_" + name);
    form.Close();
    Pump(50);
  }
}

TEST_F(SkinMediaTest, PressReleasedOverAnotherButtonHandsOnOnlyThePress) {
  TForm& form = ShowPlayer(2, 9 * kButtonWidth);
  const TSkinData& data = DataOf(form);
  const POINT play = Centre(Slot(0));
  const POINT stop = Centre(Slot(2));
  MoveTo(play);
  input::Press(play.x, play.y);
  ASSERT_TRUE(PumpUntil([&] { return player_->downs == 1; }));
  ASSERT_TRUE(PumpUntil([&] { return ButtonCell(Slot(0), data) == 2; }));
  SaveShot(WindowRect(Panel(form)), "media_pressed");
  MoveTo(stop);
  // Away from the pressed button it no longer shows pressed.
  EXPECT_TRUE(PumpUntil([&] { return ButtonCell(Slot(0), data) == 1; }));
  input::Release(stop.x, stop.y);
  Pump(300);
  EXPECT_EQ(player_->downs, 1);
  EXPECT_EQ(player_->ups, 0);
  EXPECT_TRUE(player_->clicks.empty());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(ButtonCell(Slot(2), data), 1);

  // Pressed and released on stop: both handed on, and the player clicks.
  Click(stop);
  ASSERT_TRUE(PumpUntil([&] { return player_->clicks.size() == 1; }));
  EXPECT_EQ(player_->clicks[0], btStop);
  EXPECT_EQ(player_->downs, 2);
  EXPECT_EQ(player_->ups, 1);
  EXPECT_EQ(GetFocus(), player_->Handle());
}

TEST_F(SkinMediaTest, PanelFollowsThePlayersVisibilityPlaceAndSize) {
  TForm& form = ShowPlayer(1, 9 * kButtonWidth);
  const HWND panel = Panel(form);
  ASSERT_NE(panel, nullptr);
  player_->SetVisible(false);
  Pump(150);
  EXPECT_FALSE(IsWindowVisible(panel));
  player_->SetVisible(true);
  Pump(150);
  EXPECT_TRUE(IsWindowVisible(panel));

  player_->SetVisibleButtons(TButtonSet{btPlay, btPause, btStop});
  player_->SetBounds(60, 80, 3 * 40, 30);
  Pump(150);
  const RECT moved = WindowRect(panel);
  const RECT player = WindowRect(player_->Handle());
  EXPECT_EQ(moved.left, player.left);
  EXPECT_EQ(moved.top, player.top);
  EXPECT_EQ(moved.right, player.right);
  EXPECT_EQ(moved.bottom, player.bottom);
  // The screen shows three buttons of 40 there, and a click on the third
  // is stop's.
  ASSERT_TRUE(PumpUntil([&] { return ButtonCell(Slot(2, 40), DataOf(form)) == 1; }));
  SaveShot(moved, "media_moved");
  Click(Centre(Slot(2, 40)));
  ASSERT_TRUE(PumpUntil([&] { return player_->clicks.size() == 1; }));
  EXPECT_EQ(player_->clicks[0], btStop);
}

TEST_F(SkinMediaTest, SwitchedOffThePanelGoesAndComesBackOnce) {
  TForm& form = ShowPlayer(4, 9 * kButtonWidth);
  TSkinData& data = DataOf(form);
  ASSERT_EQ(PanelCount(form.Handle()), 1);
  SwitchSkin(form, data, false);
  EXPECT_EQ(PanelCount(form.Handle()), 0);
  EXPECT_NE(player_->Perform(SKM_ISSKINNED, 0, 0), 1);
  // The player answers the mouse itself again.
  Click(Centre(Slot(3)));
  ASSERT_TRUE(PumpUntil([&] { return player_->clicks.size() == 1; }));
  EXPECT_EQ(player_->clicks[0], btNext);

  SwitchSkin(form, data, true);
  EXPECT_EQ(PanelCount(form.Handle()), 1);
  EXPECT_TRUE(IsWindowVisible(Panel(form)));
  ASSERT_TRUE(PumpUntil([&] { return ButtonCell(Slot(3), data) == 1; }));
  Click(Centre(Slot(4)));
  ASSERT_TRUE(PumpUntil([&] { return player_->clicks.size() == 2; }));
  EXPECT_EQ(player_->clicks[1], btPrev);
}

TEST_F(SkinMediaTest, PlayerEndingOrSkinSwitchDuringAPressIsSafe) {
  TForm& form = ShowPlayer(0, 9 * kButtonWidth);
  TSkinData& data = DataOf(form);
  const HWND panel = Panel(form);
  const POINT play = Centre(Slot(0));
  MoveTo(play);
  input::Press(play.x, play.y);
  ASSERT_TRUE(PumpUntil([&] { return GetCapture() == panel; }));
  // The player goes while the mouse is held on the panel.
  form.RemoveComponent(player_).reset();
  player_ = nullptr;
  Pump(150);
  EXPECT_FALSE(IsWindowVisible(panel));
  EXPECT_NE(GetCapture(), panel);
  input::Release(play.x, play.y);
  Pump(200);

  // A new player, pressed, and the skin switched off under the press.
  player_ = &Add<TSpyPlayer>(form, form, 20, 80, 9 * kButtonWidth, 30);
  SkinControl(*EngineOf(form.Handle()), *player_, form);
  const POINT stop = Centre(Slot(2));
  MoveTo(stop);
  input::Press(stop.x, stop.y);
  ASSERT_TRUE(PumpUntil([&] { return player_->downs == 1; }));
  SwitchSkin(form, data, false);
  EXPECT_EQ(PanelCount(form.Handle()), 0);
  input::Release(stop.x, stop.y);
  Pump(200);
  EXPECT_EQ(GetCapture(), nullptr);
  // The player is whole and works as before.
  player_->OnClick = [this](TObject*, TMPBtnType button, bool&) {
    player_->clicks.push_back(button);
  };
  player_->clicks.clear();
  Click(Centre(Slot(1)));
  ASSERT_TRUE(PumpUntil([&] { return !player_->clicks.empty(); }));
  EXPECT_EQ(player_->clicks.back(), btPause);
}

}  // namespace
