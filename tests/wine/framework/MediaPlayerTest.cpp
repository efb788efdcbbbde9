// The media player on a real window with real input: clicks of its
// buttons, presses released elsewhere, disabled and hidden buttons, the
// keyboard, its properties by name, and actions without a file.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/Application.h"
#include "framework/Form.h"
#include "framework/MediaPlayer.h"
#include "tests/wine/framework/InputSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/SettledMouse.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;

class MediaPlayerTest : public ::testing::Test {
 protected:
  MediaPlayerTest() {
    app_.Initialize();
    TFormStyle style;
    style.caption = L"Media player test";
    style.client_width = 400;
    style.client_height = 160;
    form_ = &OwnedComponent<TForm>(app_, style);
    player_ = &OwnedComponent<TMediaPlayer>(*form_);
    player_->SetBounds(20, 20, 270, 30);  // nine buttons of 30 pixels
    player_->SetParent(form_);
    player_->OnClick = [this](TObject*, TMPBtnType button, bool& do_default) {
      clicks_.push_back(button);
      do_default = run_default_;
    };
  }
  void Show() {
    form_->Show();
    SetForegroundWindow(form_->Handle());
    Pump(200);
  }
  void Pump(int ms = 150) { input::PumpFor(app_, std::chrono::milliseconds(ms)); }
  bool PumpUntil(const std::function<bool()>& done) { return ::PumpUntil(app_, done, 3000ms); }
  // The screen point in the middle of the player's `slot`-th button place.
  POINT Slot(int slot, int width = 30) const {
    POINT p{slot * width + width / 2, 15};
    ClientToScreen(player_->Handle(), &p);
    return p;
  }
  void MoveTo(POINT p) { MoveAndSettle(app_, p); }
  void Click(POINT p) {
    MoveTo(p);
    input::Click(p.x, p.y);
    Pump();
  }
  // A press at `from`, the mouse moved to `to` with the button held, and
  // the release there.
  void Drag(POINT from, POINT to) {
    MoveTo(from);
    input::Press(from.x, from.y);
    Pump();
    MoveTo(to);
    input::Release(to.x, to.y);
    Pump();
  }

  TApplication app_{nullptr};
  TForm* form_ = nullptr;
  TMediaPlayer* player_ = nullptr;
  std::vector<TMPBtnType> clicks_;
  bool run_default_ = true;
};

TEST_F(MediaPlayerTest, ButtonsClickWhenReleasedOverThemselvesOnly) {
  Show();
  Click(Slot(0));
  Click(Slot(3));
  Click(Slot(8));
  ASSERT_TRUE(PumpUntil([&] { return clicks_.size() == 3; }));
  EXPECT_EQ(clicks_, (std::vector<TMPBtnType>{btPlay, btNext, btEject}));
  EXPECT_EQ(GetFocus(), player_->Handle());

  // Pressed on stop, released on pause: no click, and nothing stays pressed.
  clicks_.clear();
  Drag(Slot(2), Slot(1));
  Pump(200);
  EXPECT_TRUE(clicks_.empty());
  EXPECT_EQ(player_->PressedButton(), kNoMediaButton);
  // Pressed on stop, out and back again: a click.
  Drag(Slot(2), Slot(2));
  ASSERT_TRUE(PumpUntil([&] { return clicks_.size() == 1; }));
  EXPECT_EQ(clicks_[0], btStop);
}

TEST_F(MediaPlayerTest, DisabledAndHiddenButtonsTakeNoClicks) {
  player_->SetEnabledButtons(TButtonSet{btPlay, btStop, btEject});
  Show();
  Click(Slot(1));  // pause, disabled
  Click(Slot(2));  // stop
  ASSERT_TRUE(PumpUntil([&] { return clicks_.size() == 1; }));
  Pump(200);
  EXPECT_EQ(clicks_, std::vector<TMPBtnType>{btStop});

  // Three buttons visible share the row: the second place is stop now.
  clicks_.clear();
  player_->SetVisibleButtons(TButtonSet{btPlay, btStop, btEject});
  Pump();
  Click(Slot(1, 90));
  Click(Slot(2, 90));
  ASSERT_TRUE(PumpUntil([&] { return clicks_.size() == 2; }));
  EXPECT_EQ(clicks_, (std::vector<TMPBtnType>{btStop, btEject}));

  // A disabled player takes no clicks at all, not even sent ones.
  clicks_.clear();
  player_->SetEnabled(false);
  SendMessageW(player_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(45, 15));
  SendMessageW(player_->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(45, 15));
  Pump();
  EXPECT_TRUE(clicks_.empty());
}

TEST_F(MediaPlayerTest, KeyboardMovesAmongUsableButtonsAndClicks) {
  player_->SetEnabledButtons(TButtonSet{btPlay, btStop, btNext});
  Show();
  SetFocus(player_->Handle());
  Pump();
  EXPECT_EQ(player_->FocusedButton(), btPlay);
  input::Key(VK_RIGHT);  // over pause, which is disabled
  Pump();
  EXPECT_EQ(player_->FocusedButton(), btStop);
  input::Key(VK_RIGHT);
  input::Key(VK_SPACE);
  ASSERT_TRUE(PumpUntil([&] { return clicks_.size() == 1; }));
  EXPECT_EQ(clicks_[0], btNext);
  input::Key(VK_LEFT);
  input::Key(VK_LEFT);
  input::Key(VK_LEFT);  // nothing further left than play
  input::Key(VK_SPACE);
  ASSERT_TRUE(PumpUntil([&] { return clicks_.size() == 2; }));
  EXPECT_EQ(clicks_[1], btPlay);
}

TEST_F(MediaPlayerTest, PropertiesReadAndWriteByName) {
  Show();
  EXPECT_EQ(GetTextProp(*player_, "VisibleButtons"),
            "[btPlay,btPause,btStop,btNext,btPrev,btStep,btBack,btRecord,btEject]");
  ASSERT_TRUE(SetPropText(*player_, "EnabledButtons", "[btPlay,btEject]"));
  EXPECT_EQ(player_->EnabledButtons(), (TButtonSet{btPlay, btEject}));
  ASSERT_TRUE(SetPropText(*player_, "ColoredButtons", "[]"));
  EXPECT_EQ(GetTextProp(*player_, "ColoredButtons"), "[]");
  ASSERT_TRUE(SetPropText(*player_, "VisibleButtons", "[btStop]"));
  EXPECT_EQ(player_->VisibleButtons(), TButtonSet{btStop});
  EXPECT_EQ(player_->Row().ButtonWidth(), 270);
}

// How many windows of this thread are shown (a message box would be one
// more).
int ShownWindows() {
  int count = 0;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM data) {
        if (IsWindowVisible(window)) ++*reinterpret_cast<int*>(data);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST_F(MediaPlayerTest, ActionsWithoutAFileDoNothingAndSayNothing) {
  Show();
  const int shown = ShownWindows();
  for (int slot = 0; slot < 9; ++slot) Click(Slot(slot));
  ASSERT_TRUE(PumpUntil([&] { return clicks_.size() == 9; }));
  EXPECT_FALSE(player_->IsOpen());
  EXPECT_EQ(player_->Error(), 0u);  // nothing was tried
  EXPECT_FALSE(player_->Open());    // no file name
  EXPECT_NE(player_->Error(), 0u);
  player_->SetFileName(L"Z:\\no\\such\\folder\\missing.wav");
  EXPECT_FALSE(player_->Open());
  EXPECT_NE(player_->Error(), 0u);
  EXPECT_FALSE(player_->IsOpen());
  player_->Play();
  player_->Eject();
  Pump(300);
  EXPECT_EQ(ShownWindows(), shown);
}

}  // namespace
