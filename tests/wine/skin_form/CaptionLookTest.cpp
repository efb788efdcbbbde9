// How a skinned caption looks in the states a person puts a window in: the
// pin button pressed while the window is kept on top, the title beside the
// last button shown on the left, a minimised window without stray key
// colour, and the system caption in the window's real activation state once
// the skin is switched off.
#include <windows.h>

#include "framework/Form.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_form/SkinFormTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

constexpr int kPinAction = 30;

class CaptionLookTest : public SkinEngineTest {
 protected:
  // A main-like form that shows the skins' pin button and keeps itself on
  // top when it is clicked, as the program's main window does. A skin data
  // of its own is made unless one is active already.
  TForm& ShowPinnableForm(int skin, bool own_data = true) {
    TForm& form = MakeForm(MainLikeStyle(L"Pinnable"));
    form.WindowProc = [&form, previous = form.WindowProc](TMessage& m) {
      if (m.Msg == SKM_BUTTONVISIBLE && m.LParam == kPinAction) {
        m.Result = 1;
        return;
      }
      if (m.Msg == SKM_BUTTONACTION && m.WParam == kPinAction) {
        const bool on_top = (GetWindowLongPtrW(form.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
        SetWindowPos(form.Handle(), on_top ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return;
      }
      previous(m);
    };
    if (own_data) MakeData(form, skin).SetActive(true);
    form.Show();
    SetForegroundWindow(form.Handle());
    EXPECT_TRUE(WaitSkinned(form.Handle()));
    return form;
  }
};

bool OnTop(HWND window) {
  return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

TEST_F(CaptionLookTest, ThePinShowsItsPressedCellWhileTheWindowIsKeptOnTop) {
  TForm& form = ShowPinnableForm(0);
  const HWND window = form.Handle();
  TSkinData& data = *EngineOf(window)->SkinData();
  for (int skin = 0; skin < 5; ++skin) {
    const std::string name = kSkinFiles[skin];
    SCOPED_TRACE(name);
    data.LoadFromSkinStore(&Store(), skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(window));
    TWinSkinForm& engine = *EngineOf(window);
    const int pin = VisibleButton(engine, kPinAction);
    ASSERT_GE(pin, 0);
    const TDataSkinSysButton& def = *engine.CaptionButton(pin).Definition();
    ASSERT_GE(def.Frame, 2);
    const RECT r = ButtonScreenRect(engine, pin);
    auto click_and_leave = [&] {
      const POINT at = HoverCaptionButton(engine, pin);
      input::Click(at.x, at.y);
      Pump(150);
      input::MoveTo(1, 1);
      // The hover timer sees the mouse gone.
      Pump(500);
    };
    EXPECT_FALSE(OnTop(window));
    EXPECT_GT(CellShare(Capture(r), def, 1), 0.95) << "unpinned";

    click_and_leave();
    ASSERT_TRUE(OnTop(window));
    EXPECT_GT(CellShare(Capture(r), def, 2), 0.95) << "pinned";
    // A whole repaint of the frame keeps the look.
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    Pump(100);
    EXPECT_GT(CellShare(Capture(r), def, 2), 0.95) << "pinned, repainted";
    SaveShot(window, "pinned-" + name);

    click_and_leave();
    ASSERT_FALSE(OnTop(window));
    EXPECT_GT(CellShare(Capture(r), def, 1), 0.95) << "unpinned again";

    // Kept on top and let go by the program itself: the pin follows.
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump(100);
    EXPECT_GT(CellShare(Capture(r), def, 2), 0.95) << "kept on top by the program";
    SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Pump(100);
    EXPECT_GT(CellShare(Capture(r), def, 1), 0.95) << "let go by the program";
  }
}

// The leftmost column of the title band (from `from` to the first
// right-aligned button) holding the active title colour, in window
// coordinates; -1 when there is none.
int TitleStart(HWND window, TWinSkinForm& engine, int from) {
  const TColor ink = ColorToRGB(engine.SkinData()->Colours().TitleTextActive);
  const RECT outer = WindowRect(window);
  int right = outer.right - outer.left - engine.Metrics().right;
  for (int i = 0; i < engine.CaptionButtonCount(); ++i) {
    const TWinSysButton& b = engine.CaptionButton(i);
    if (b.Visible && b.Definition() && b.Definition()->Align == 1)
      right = std::min(right, b.Bounds.left);
  }
  const TBitmap band = Capture(
      RECT{outer.left, outer.top, outer.left + right, outer.top + engine.Metrics().caption});
  // The middle half of the caption, where the text runs (the skins' outline
  // lines above and below it may be in the title's colour).
  for (int x = from; x < band.Width(); ++x) {
    int hits = 0;
    for (int y = band.Height() / 4; y < band.Height() * 3 / 4; ++y) {
      const TColor c = band.Pixel(x, y);
      hits += std::abs(RedOf(c) - RedOf(ink)) + std::abs(GreenOf(c) - GreenOf(ink)) +
                  std::abs(BlueOf(c) - BlueOf(ink)) <
              24;
    }
    if (hits >= 2) return x;
  }
  return -1;
}

bool LeftAligned(const TDataSkinSysButton& d) {
  return d.Align == 0 || d.Align == 3 || d.Align == 9;
}

// The skin's gap between its left-aligned buttons and the title: its text
// shift leaves room for all of them.
int TitleGap(const TSkinData& data) {
  int end = 0;
  for (const auto& d : data.CaptionButtons()) {
    if (LeftAligned(*d) && !d->Bitmap.Empty()) {
      end = std::max(end, d->Xcoord + d->Bitmap.Width() / (d->Frame < 1 ? 1 : d->Frame));
    }
  }
  return data.Title().LeftWidth - end;
}

// The right end of the last left-aligned button the window shows (its left
// border when it shows none).
int LastLeftButtonEnd(TWinSkinForm& engine) {
  int end = engine.Metrics().left;
  for (int i = 0; i < engine.CaptionButtonCount(); ++i) {
    const TWinSysButton& b = engine.CaptionButton(i);
    if (b.Visible && b.Definition() && LeftAligned(*b.Definition())) {
      end = std::max(end, b.Bounds.right);
    }
  }
  return end;
}

TEST_F(CaptionLookTest, TheTitleStartsAfterTheLastLeftButtonShown) {
  TForm& plain = ShowSkinnedForm(0, SizableStyle(L"Gallery-like"));
  TForm& pinned = ShowPinnableForm(0, false);
  SetWindowPos(pinned.Handle(), nullptr, 600, 400, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  TSkinData& data = *EngineOf(plain.Handle())->SkinData();
  for (int skin = 0; skin < 5; ++skin) {
    const std::string name = kSkinFiles[skin];
    SCOPED_TRACE(name);
    data.LoadFromSkinStore(&Store(), skin);
    Flush();
    const int gap = TitleGap(data);
    ASSERT_GE(gap, 0);

    SetForegroundWindow(plain.Handle());
    Pump(200);
    TWinSkinForm& plain_engine = *EngineOf(plain.Handle());
    const int shown_end = LastLeftButtonEnd(plain_engine);
    EXPECT_EQ(VisibleButton(plain_engine, kPinAction), -1);
    const int start = TitleStart(plain.Handle(), plain_engine, shown_end);
    EXPECT_GE(start, shown_end + gap) << "no pin: the title follows the last button shown";
    EXPECT_LE(start, shown_end + gap + 4) << "no pin: the title follows the last button shown";
    SaveShot(plain.Handle(), "title-without-pin-" + name);

    SetForegroundWindow(pinned.Handle());
    Pump(200);
    TWinSkinForm& pinned_engine = *EngineOf(pinned.Handle());
    const int pin = VisibleButton(pinned_engine, kPinAction);
    ASSERT_GE(pin, 0);
    const int pin_end = pinned_engine.CaptionButton(pin).Bounds.right;
    const int pinned_start = TitleStart(pinned.Handle(), pinned_engine, pin_end);
    EXPECT_GE(pinned_start, pin_end + gap) << "the title follows the pin";
    EXPECT_LE(pinned_start, pin_end + gap + 4) << "the title follows the pin";
  }
}

TEST_F(CaptionLookTest, AMinimisedWindowIsAPlainRectangleWithoutKeyColour) {
  TForm& form = ShowSkinnedForm(0, SizableStyle());
  const HWND window = form.Handle();
  TSkinData& data = *EngineOf(window)->SkinData();
  for (int skin = 0; skin < 5; ++skin) {
    const std::string name = kSkinFiles[skin];
    SCOPED_TRACE(name);
    data.LoadFromSkinStore(&Store(), skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(window));
    ShowWindow(window, SW_MINIMIZE);
    ASSERT_TRUE(PumpUntil([&] { return IsIconic(window) != 0; }, 2000));
    Pump(300);
    const RECT outer = WindowRect(window);
    const int w = outer.right - outer.left, h = outer.bottom - outer.top;
    TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(window, region.Get()) != ERROR) {
      TOwnedRegion whole(CreateRectRgn(0, 0, w, h));
      EXPECT_TRUE(EqualRgn(region.Get(), whole.Get())) << "the region is the plain rectangle";
    }
    const TBitmap shot = Capture(outer);
    int magenta = 0;
    for (int y = 0; y < shot.Height(); ++y) {
      for (int x = 0; x < shot.Width(); ++x) magenta += shot.Pixel(x, y) == clFuchsia;
    }
    EXPECT_EQ(magenta, 0) << "key-coloured pixels on the screen";
    SaveShot(window, "minimised-" + name);
    ShowWindow(window, SW_RESTORE);
    Pump(200);
    // Back to the skin's outline at the window's size.
    TOwnedRegion restored(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(window, restored.Get()), ERROR);
    const RECT back = WindowRect(window);
    EXPECT_FALSE(PtInRegion(restored.Get(), 0, 0)) << "the rounded corner is cut again";
    EXPECT_TRUE(PtInRegion(restored.Get(), (back.right - back.left) / 2, 1));
  }
}

// Whether the system's caption of `window` shows in the active colours:
// most pixels of a row near its top are nearer the active caption colours
// than the inactive ones.
bool CaptionLooksActive(HWND window) {
  const RECT outer = WindowRect(window);
  const int y = outer.top + GetSystemMetrics(SM_CYFIXEDFRAME) + 2;
  const TBitmap row = Capture(RECT{outer.left + 4, y, outer.right - 4, y + 1});
  auto distance = [](TColor c, int index) {
    const COLORREF s = GetSysColor(index);
    return std::abs(RedOf(c) - GetRValue(s)) + std::abs(GreenOf(c) - GetGValue(s)) +
           std::abs(BlueOf(c) - GetBValue(s));
  };
  int active = 0, inactive = 0;
  for (int x = 0; x < row.Width(); ++x) {
    const TColor c = row.Pixel(x, 0);
    const int a =
        std::min(distance(c, COLOR_ACTIVECAPTION), distance(c, COLOR_GRADIENTACTIVECAPTION));
    const int i =
        std::min(distance(c, COLOR_INACTIVECAPTION), distance(c, COLOR_GRADIENTINACTIVECAPTION));
    (a < i ? active : inactive) += 1;
  }
  return active > inactive;
}

TEST_F(CaptionLookTest, WithoutTheSkinTheSystemCaptionShowsTheRealActivation) {
  TForm& form = ShowSkinnedForm(1);
  const HWND window = form.Handle();
  TSkinData& data = *EngineOf(window)->SkinData();
  // Another window takes the activation and gives it back while skinned.
  TForm& other = MakeForm(SizableStyle(L"Other"));
  other.Show();
  SetForegroundWindow(other.Handle());
  ASSERT_TRUE(WaitSkinned(other.Handle()));
  SetWindowPos(other.Handle(), nullptr, 700, 500, 300, 200, SWP_NOZORDER);
  SetForegroundWindow(window);
  Pump(200);
  ASSERT_EQ(GetActiveWindow(), window);
  data.SetActive(false);
  Flush();
  Pump(200);
  ASSERT_EQ(EngineOf(window), nullptr);
  ASSERT_EQ(GetActiveWindow(), window);
  EXPECT_TRUE(CaptionLooksActive(window)) << "active window";
  SaveShot(window, "no-skin-active");
  // And inactive once another window is active.
  SetForegroundWindow(other.Handle());
  Pump(200);
  EXPECT_FALSE(CaptionLooksActive(window)) << "inactive window";
}

}  // namespace
