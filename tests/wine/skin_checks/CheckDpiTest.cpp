// Check boxes and radio buttons at the screen's DPI, as a person sees them:
// the box read back from the screen is the skin's cell scaled to the DPI,
// the caption starts after the scaled box and is shown whole, the focus
// rectangle goes around the text, and clicks on the scaled box still
// toggle it. The suite runs once per DPI (the prefix's LogPixels);
// TONMILL_TEST_DPI names the DPI a run expects.
#include <windows.h>

#include <string>
#include <utility>

#include "framework/CheckBox.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_checks/ChecksTestSupport.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/DpiRunSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

using dpi_run::Near;
using dpi_run::TextWidth;

class CheckDpiTest : public AtScreenDpi<SkinControlsTest> {
 protected:
  // The box's rectangle on the screen: the strip's cell scaled to the DPI,
  // at the left of the control and vertically centred.
  RECT BoxRect(HWND window, const TBitmap& strip, int frames) const {
    const int w = SkinScale(strip.Width() / frames, dpi_), h = SkinScale(strip.Height(), dpi_);
    RECT client{};
    GetClientRect(window, &client);
    const POINT p = ScreenPoint(window, 0, (client.bottom - h) / 2);
    return RECT{p.x, p.y, p.x + w, p.y + h};
  }
  // Which cell of the strip the screen shows in the box: each cell scaled
  // to the DPI over the face colour, magenta left out; 0 when none matches
  // well.
  int ShownCell(HWND window, const TBitmap& strip, int frames, const TSkinData& data) const {
    return ShownStripCell(Capture(BoxRect(window, strip, frames)), strip, frames,
                          data.Colours().ButtonFace, dpi_, 8, 0.95);
  }
  int CheckCell(HWND window, const TSkinData& data) const {
    return ShownCell(window, data.Buttons().CheckBitmap, data.Buttons().CheckButtonFrame, data);
  }
  int RadioCell(HWND window, const TSkinData& data) const {
    return ShownCell(window, data.Buttons().RadioBitmap, data.Buttons().RadioButtonFrame, data);
  }

  // The columns of the control (client x) that hold a pixel other than
  // the face colour, right of `from`: first and last, -1 when none.
  static std::pair<int, int> InkColumns(HWND window, int from, TColor face) {
    const TBitmap shot = Capture(WindowRect(window));
    int first = -1, last = -1;
    for (int x = from; x < shot.Width(); ++x) {
      for (int y = 0; y < shot.Height(); ++y) {
        if (!Near(shot.Pixel(x, y), face, 24)) {
          if (first < 0) first = x;
          last = x;
          break;
        }
      }
    }
    return {first, last};
  }
};

TEST_F(CheckDpiTest, BoxesShowTheirCellsScaledWithTheCaptionWholeAfterThem) {
  for (int skin : {1, 2, 3}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TCheckBox* plain = nullptr;
    TCheckBox* checked = nullptr;
    TCheckBox* greyed = nullptr;
    TRadioButton* radio = nullptr;
    const std::wstring caption = L"Keep the folder layout";
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      plain = &Add<TCheckBox>(f, f, 20, 20, 220, 24, caption);
      checked = &Add<TCheckBox>(f, f, 20, 50, 220, 24, L"Checked");
      checked->SetChecked(true);
      greyed = &Add<TCheckBox>(f, f, 20, 80, 220, 24, L"Greyed");
      greyed->SetChecked(true);
      greyed->SetEnabled(false);
      radio = &Add<TRadioButton>(f, f, 20, 110, 220, 24, L"Chosen");
      radio->SetChecked(true);
    });
    ASSERT_EQ(EngineOf(form.Handle())->Dpi(), dpi_);
    const TSkinData& data = DataOf(form);
    Park();
    // Every skin's check strip is rows of four (12 cells), its radio strip
    // two rows (8 cells).
    EXPECT_TRUE(PumpUntil([&] { return CheckCell(plain->Handle(), data) == 1; }, 3000));
    EXPECT_EQ(CheckCell(checked->Handle(), data), 5);
    EXPECT_EQ(CheckCell(greyed->Handle(), data), 8);
    EXPECT_EQ(RadioCell(radio->Handle(), data), 5);

    // The caption begins after the scaled box and its gap, and runs as
    // wide as the text in the control's font (nothing of it cut).
    const RECT box =
        BoxRect(plain->Handle(), data.Buttons().CheckBitmap, data.Buttons().CheckButtonFrame);
    const int box_right = box.right - box.left;
    const auto [first, last] =
        InkColumns(plain->Handle(), box_right + 1, data.Colours().ButtonFace);
    ASSERT_GE(first, 0) << "no caption";
    EXPECT_GE(first, box_right + SkinScale(2, dpi_) - 1);
    const int width = TextWidth(plain->Handle(), caption);
    EXPECT_GE(last - first + 1, width - 2 - dpi_ / 96);
    EXPECT_LT(last, WindowRect(plain->Handle()).right - WindowRect(plain->Handle()).left - 1);
    SaveShot(form.Handle(), std::string("checks-") + kSkinFiles[skin] + "-" + DpiName());
    form.SetVisible(false);
  }
}

TEST_F(CheckDpiTest, ClicksOnTheScaledBoxToggleItAndTheFocusFramesTheText) {
  TCheckBox* box = nullptr;
  TCheckBox* other = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    box = &Add<TCheckBox>(f, f, 20, 20, 200, 24, L"Overwrite");
    other = &Add<TCheckBox>(f, f, 20, 60, 200, 24, L"Other");
  });
  const TSkinData& data = DataOf(form);
  const HWND window = box->Handle();
  const RECT r = BoxRect(window, data.Buttons().CheckBitmap, data.Buttons().CheckButtonFrame);
  // The box's far corner is inside the scaled box only: a click there
  // toggles the box and the screen follows.
  const POINT corner{r.right - 2, r.bottom - 2};
  Click(corner);
  EXPECT_TRUE(PumpUntil([&] { return box->Checked(); }, 3000));
  Park();
  EXPECT_TRUE(PumpUntil([&] { return CheckCell(window, data) == 5; }, 3000));
  Click(corner);
  EXPECT_TRUE(PumpUntil([&] { return !box->Checked(); }, 3000));
  Park();
  EXPECT_TRUE(PumpUntil([&] { return CheckCell(window, data) == 1; }, 3000));

  // The focus rectangle lies around the caption: between the box and the
  // end of the text, never over the box.
  SendMessageW(window, WM_UPDATEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  SetFocus(other->Handle());
  Pump(150);
  const TColor face = data.Colours().ButtonFace;
  const int box_width = r.right - r.left;
  const auto without = InkColumns(window, box_width, face);
  SetFocus(window);
  EXPECT_TRUE(PumpUntil([&] { return InkColumns(window, box_width, face) != without; }, 3000));
  const auto with = InkColumns(window, box_width, face);
  EXPECT_LE(with.first, without.first) << "the focus starts where the text does, or before";
  EXPECT_GE(with.first, box_width);
  EXPECT_GT(with.second, without.second) << "and ends after it";
  EXPECT_EQ(CheckCell(window, data), 1);
  SaveShot(form.Handle(), "checks-focus-" + DpiName());
  form.SetVisible(false);
}

}  // namespace
