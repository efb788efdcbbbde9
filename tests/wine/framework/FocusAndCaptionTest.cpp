// The keyboard focus of a form as a person meets it after a message box,
// and the captions of plain buttons with a line break in them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Form.h"
#include "framework/StdCtrls.h"
#include "tests/wine/framework/InputSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/ScreenCapture.h"
#include "tests/wine/support/WineTestSupport.h"

namespace {

using namespace std::chrono_literals;
using input::PumpFor;

class FocusAndCaptionTest : public ::testing::Test {
 protected:
  FocusAndCaptionTest() {
    app_.Initialize();
    TFormStyle style;
    style.caption = L"Focus test";
    style.client_width = 420;
    style.client_height = 240;
    form_ = &OwnedComponent<TForm>(app_, style);
  }
  template <class T>
  T& Add(TWinControl& parent, int left, int top, int width, int height,
         const std::wstring& caption) {
    T& control = OwnedComponent<T>(*form_);
    control.SetBounds(left, top, width, height);
    control.SetCaption(caption);
    control.SetParent(&parent);
    return control;
  }
  void Show() {
    input::ShowOnTop(app_, *form_);
    PumpFor(app_, 200ms);
  }
  void Pump(int ms = 150) { PumpFor(app_, std::chrono::milliseconds(ms)); }
  // A message box over the form, closed by Enter from a script thread as a
  // person would close it.
  void MessageBoxClosedByEnter() {
    input::TScriptThread script([] {
      input::Pause(500);
      input::Key(VK_RETURN);
    });
    MessageBoxW(form_->Handle(), L"Message", L"Focus test", MB_OK);
  }
  // Space pressed and released where the focus is.
  void PressSpace() {
    input::Key(VK_SPACE);
    Pump(200);
  }

  TApplication app_{nullptr};
  TForm* form_ = nullptr;
};

TEST_F(FocusAndCaptionTest, FocusComesBackToItsControlWhenAMessageBoxCloses) {
  TButton& first = Add<TButton>(*form_, 20, 20, 90, 28, L"First");
  TButton& second = Add<TButton>(*form_, 120, 20, 90, 28, L"Second");
  int first_clicks = 0, second_clicks = 0;
  first.OnClick = [&](TObject*) { ++first_clicks; };
  second.OnClick = [&](TObject*) { ++second_clicks; };
  Show();
  // Tab from the first button to the second, as a person would.
  SetFocus(first.Handle());
  input::Key(VK_TAB);
  Pump();
  ASSERT_EQ(GetFocus(), second.Handle());

  MessageBoxClosedByEnter();
  Pump(300);
  EXPECT_EQ(GetForegroundWindow(), form_->Handle());
  EXPECT_EQ(GetFocus(), second.Handle()) << "not left on the form itself";
  PressSpace();
  EXPECT_EQ(second_clicks, 1) << "Space works at once, without a Tab first";
  EXPECT_EQ(first_clicks, 0);

  // Twice in a row, and the focus moved meanwhile: the latest control.
  SetFocus(first.Handle());
  Pump();
  MessageBoxClosedByEnter();
  Pump(300);
  EXPECT_EQ(GetFocus(), first.Handle());
}

TEST_F(FocusAndCaptionTest, FormKeepsTheFocusWhenItsControlCannotTakeItBack) {
  TGroupBox& group = Add<TGroupBox>(*form_, 10, 10, 300, 80, L"Group");
  TButton& inside = Add<TButton>(group, 20, 30, 90, 28, L"Inside");
  TButton& alone = Add<TButton>(*form_, 20, 120, 90, 28, L"Alone");
  Show();

  // Its container greyed before the message box showed (as a batch does).
  SetFocus(inside.Handle());
  Pump();
  group.SetEnabled(false);
  MessageBoxClosedByEnter();
  Pump(300);
  EXPECT_EQ(GetFocus(), form_->Handle()) << "a greyed control never takes the focus";
  group.SetEnabled(true);

  // The control is gone altogether.
  SetFocus(alone.Handle());
  Pump();
  DestroyWindow(alone.Handle());
  MessageBoxClosedByEnter();
  Pump(300);
  EXPECT_EQ(GetFocus(), form_->Handle());
}

// --- captions ------------------------------------------------------------------

// The runs of rows of `shot` that hold a pixel near `colour`.
int RowBands(const TBitmap& shot, TColor colour) {
  const TColor c = ColorToRGB(colour);
  int bands = 0;
  bool in_band = false;
  for (int y = 0; y < shot.Height(); ++y) {
    bool hit = false;
    for (int x = 0; x < shot.Width() && !hit; ++x) {
      const TColor p = shot.Pixel(x, y);
      hit = std::abs(RedOf(p) - RedOf(c)) <= 24 && std::abs(GreenOf(p) - GreenOf(c)) <= 24 &&
            std::abs(BlueOf(p) - BlueOf(c)) <= 24;
    }
    if (hit && !in_band) ++bands;
    in_band = hit;
  }
  return bands;
}

// The button's face inside its edges, as the screen shows it.
TBitmap Face(const TWinControl& button) {
  RECT r;
  GetWindowRect(button.Handle(), &r);
  InflateRect(&r, -4, -4);
  return Capture(r);
}

TEST_F(FocusAndCaptionTest, PlainButtonsBreakTheirCaptionAtTheBarsAsSkinnedOnesDo) {
  TButton& one = Add<TButton>(*form_, 20, 20, 100, 48, L"One line");
  TButton& two = Add<TButton>(*form_, 130, 20, 100, 48, L"Two||lines");
  TButton& three = Add<TButton>(*form_, 240, 20, 100, 60, L"A||b||c");
  TBitBtn& glyph = Add<TBitBtn>(*form_, 20, 100, 100, 48, L"Bit||button");
  Show();
  SetFocus(form_->Handle());
  Pump();
  const TColor ink = input::SysColour(COLOR_BTNTEXT);
  EXPECT_EQ(RowBands(Face(one), ink), 1);
  EXPECT_EQ(RowBands(Face(two), ink), 2);
  EXPECT_EQ(RowBands(Face(glyph), ink), 2);
  // Only the first bars break the line; the rest stay in the text.
  EXPECT_EQ(RowBands(Face(three), ink), 2);
  // A new caption is broken as well.
  one.SetCaption(L"Now||two");
  Pump();
  EXPECT_EQ(RowBands(Face(one), ink), 2);
}

}  // namespace
