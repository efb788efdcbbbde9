// The skinned maximise button is the system's own maximise button as far as
// hit testing goes (where newer systems offer their window layouts), while
// the engine keeps drawing it and acting on it: what the hit test answers
// over the caption buttons and the frame, the hot and pressed cells read
// back under the real mouse under every stored skin, and presses that end
// elsewhere.
#include <windows.h>

#include "framework/Form.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

LRESULT HitTest(HWND window, POINT screen) {
  return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y));
}

// The visible button of `action` other than `other` (the restore button,
// which shares the maximise button's action), or -1.
int OtherVisibleButton(TWinSkinForm& engine, int action, int other) {
  for (int i = 0; i < engine.CaptionButtonCount(); ++i) {
    const TWinSysButton& button = engine.CaptionButton(i);
    const TDataSkinSysButton* d = button.Definition();
    if (i != other && d && d->Action == action && button.Visible && !button.Bounds.Empty()) {
      return i;
    }
  }
  return -1;
}

class SnapFixture : public SkinEngineTest {
 protected:
  // Rests the mouse on caption button `index` until the screen shows its
  // hot cell. A frame repainted after a change of size clears the hot
  // button until the mouse moves again, so the mouse is nudged meanwhile.
  bool HoverUntilHot(TWinSkinForm& engine, int index) {
    const RECT r = ButtonScreenRect(engine, index);
    const POINT c = Centre(r);
    const TDataSkinSysButton& def = *engine.CaptionButton(index).Definition();
    int nudge = 0;
    return PumpUntil(
        [&] {
          if (engine.HotObject() != &engine.CaptionButton(index)) {
            input::MoveTo(c.x + (nudge++ % 2), c.y);
            return false;
          }
          return CellShare(Capture(r), def, 3) > 0.95;
        },
        3000);
  }
};

class SnapButtonTest : public SnapFixture, public ::testing::WithParamInterface<int> {};

TEST_P(SnapButtonTest, MaximiseAndRestoreAnswerAsTheSystemsButtonAndShowTheirCells) {
  const int skin = GetParam();
  const std::string name = kSkinFiles[skin];
  TForm& form = ShowSkinnedForm(skin, SizableStyle());
  const HWND window = form.Handle();
  TWinSkinForm& engine = *EngineOf(window);
  const int maximise = VisibleButton(engine, 1);
  ASSERT_GE(maximise, 0);
  const TDataSkinSysButton& def = *engine.CaptionButton(maximise).Definition();
  const RECT r = ButtonScreenRect(engine, maximise);
  const POINT c = Centre(r);

  EXPECT_EQ(HitTest(window, c), HTMAXBUTTON);
  EXPECT_EQ(HitTest(window, POINT{r.left + 1, r.top + 1}), HTMAXBUTTON);
  EXPECT_EQ(HitTest(window, POINT{r.right - 2, r.bottom - 2}), HTMAXBUTTON);
  // The other caption buttons stay part of the caption.
  for (int action : {0, 2}) {
    const int other = VisibleButton(engine, action);
    ASSERT_GE(other, 0) << action;
    EXPECT_EQ(HitTest(window, Centre(ButtonScreenRect(engine, other))), HTCAPTION) << action;
  }

  ASSERT_TRUE(HoverUntilHot(engine, maximise));
  // Resting on it past the hover time: whatever the system does then, no
  // button of its own shows over the skin's.
  Pump(700);
  EXPECT_GT(CellShare(Capture(r), def, 3), 0.95) << "hot";
  SaveShot(window, "snap-" + name + "-hover");
  input::Press(c.x, c.y);
  EXPECT_TRUE(PumpUntil([&] { return CellShare(Capture(r), def, 2) > 0.95; }, 2000)) << "pressed";
  EXPECT_FALSE(IsZoomed(window)) << "nothing happens before the release";
  SaveShot(window, "snap-" + name + "-press");
  input::Release(c.x, c.y);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(window) != 0; }, 3000));
  Pump(150);

  // Maximised: the restore button stands there and answers the same.
  const int restore = OtherVisibleButton(engine, 1, maximise);
  ASSERT_GE(restore, 0);
  EXPECT_FALSE(engine.CaptionButton(maximise).Visible);
  const RECT rr = ButtonScreenRect(engine, restore);
  const POINT rc = Centre(rr);
  EXPECT_EQ(HitTest(window, rc), HTMAXBUTTON);
  const TDataSkinSysButton& restore_def = *engine.CaptionButton(restore).Definition();
  EXPECT_TRUE(HoverUntilHot(engine, restore)) << "restore hot";
  input::Press(rc.x, rc.y);
  EXPECT_TRUE(PumpUntil([&] { return CellShare(Capture(rr), restore_def, 2) > 0.95; }, 2000))
      << "restore pressed";
  SaveShot(window, "snap-" + name + "-restore-press");
  input::Release(rc.x, rc.y);
  EXPECT_TRUE(PumpUntil([&] { return !IsZoomed(window); }, 3000));
}

INSTANTIATE_TEST_SUITE_P(Skins, SnapButtonTest, ::testing::Values(0, 1, 2, 3, 4),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(kSkinFiles[info.param]);
                         });

class SnapFrameTest : public SnapFixture {};

TEST_F(SnapFrameTest, FrameAndCaptionAnswerAsBefore) {
  TForm& form = ShowSkinnedForm(2, SizableStyle());
  const HWND window = form.Handle();
  TWinSkinForm& engine = *EngineOf(window);
  const RECT w = WindowRect(window);
  const int mid_x = (w.left + w.right) / 2, mid_y = (w.top + w.bottom) / 2;
  EXPECT_EQ(HitTest(window, POINT{w.left, mid_y}), HTLEFT);
  EXPECT_EQ(HitTest(window, POINT{w.right - 1, mid_y}), HTRIGHT);
  EXPECT_EQ(HitTest(window, POINT{mid_x, w.bottom - 1}), HTBOTTOM);
  EXPECT_EQ(HitTest(window, POINT{w.right - 1, w.bottom - 1}), HTBOTTOMRIGHT);
  EXPECT_EQ(HitTest(window, Centre(ClientScreenRect(window))), HTCLIENT);
  EXPECT_EQ(HitTest(window, POINT{w.left + 60, w.top + engine.Metrics().caption / 2}), HTCAPTION);

  // A window without a maximise box has no button that answers so.
  TForm& fixed = ShowSkinnedForm(2, MainLikeStyle(L"Fixed"));
  TWinSkinForm& fixed_engine = *EngineOf(fixed.Handle());
  const int minimise = VisibleButton(fixed_engine, 2);
  ASSERT_GE(minimise, 0);
  EXPECT_EQ(HitTest(fixed.Handle(), Centre(ButtonScreenRect(fixed_engine, minimise))), HTCAPTION);
}

TEST_F(SnapFrameTest, APressThatEndsElsewhereDoesNothingNorDoesALaterReleaseOnTheButton) {
  TForm& form = ShowSkinnedForm(0, SizableStyle());
  const HWND window = form.Handle();
  TWinSkinForm& engine = *EngineOf(window);
  const int maximise = VisibleButton(engine, 1);
  ASSERT_GE(maximise, 0);
  const TDataSkinSysButton& def = *engine.CaptionButton(maximise).Definition();
  const RECT r = ButtonScreenRect(engine, maximise);
  const POINT c = Centre(r);
  const RECT client = ClientScreenRect(window);
  const POINT inside = Centre(client);

  // Pressed on the button, dragged into the client area and let go there.
  HoverCaptionButton(engine, maximise);
  input::Press(c.x, c.y);
  Pump(150);
  input::MoveTo(inside.x, inside.y);
  Pump(150);
  input::Release(inside.x, inside.y);
  Pump(400);
  EXPECT_FALSE(IsZoomed(window));
  EXPECT_GT(CellShare(Capture(r), def, 1), 0.95) << "back to normal";

  // A press in the client area let go over the button is no click on it.
  input::Press(inside.x, inside.y);
  Pump(100);
  input::MoveTo(c.x, c.y);
  Pump(200);
  input::Release(c.x, c.y);
  Pump(500);
  EXPECT_FALSE(IsZoomed(window));

  // Pressed and let go on the caption's plain part: nothing either.
  const RECT w = WindowRect(window);
  const POINT plain{w.left + 60, w.top + engine.Metrics().caption / 2};
  HoverCaptionButton(engine, maximise);
  input::Press(c.x, c.y);
  Pump(100);
  input::MoveTo(plain.x, plain.y);
  input::Release(plain.x, plain.y);
  Pump(400);
  EXPECT_FALSE(IsZoomed(window));

  // A plain click still maximises.
  const POINT at = HoverCaptionButton(engine, maximise);
  input::Click(at.x, at.y);
  EXPECT_TRUE(PumpUntil([&] { return IsZoomed(window) != 0; }, 3000));
}

}  // namespace
