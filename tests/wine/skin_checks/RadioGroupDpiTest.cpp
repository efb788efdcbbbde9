// A radio group at the screen's DPI, as a person sees it: its buttons lie
// in columns inside the group's frame, laid out as at 96 DPI and scaled,
// and every caption is shown whole after its scaled box. The suite runs
// once per DPI (the prefix's LogPixels).
#include <windows.h>

#include <string>
#include <vector>

#include "framework/RadioGroup.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/DpiRunSupport.h"

namespace {

using dpi_run::Near;

class RadioGroupDpiTest : public AtScreenDpi<SkinControlsTest> {
 protected:
  // The window's rectangle in the client area of `parent`.
  static RECT RectIn(HWND window, HWND parent) {
    RECT r = WindowRect(window);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  // How wide `text` is in the font the control's caption is drawn in.
  static int CaptionWidth(TWinControl& control, const std::wstring& text) {
    HDC dc = GetDC(control.Handle());
    HGDIOBJ old = SelectObject(dc, control.Font());
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(control.Handle(), dc);
    return extent.cx;
  }
  // The first and last columns of the window (client x, right of `from`)
  // that hold a pixel far from the face colour; -1 when none.
  static std::pair<int, int> InkColumns(HWND window, int from, TColor face) {
    const TBitmap shot = Capture(WindowRect(window));
    int first = -1, last = -1;
    for (int x = from; x < shot.Width(); ++x) {
      for (int y = 0; y < shot.Height(); ++y) {
        if (!Near(shot.Pixel(x, y), face, 40)) {
          if (first < 0) first = x;
          last = x;
          break;
        }
      }
    }
    return {first, last};
  }
};

TEST_F(RadioGroupDpiTest, ButtonsLieInsideTheGroupAsAt96ScaledWithTheirCaptionsWhole) {
  const std::vector<std::wstring> items = {L"64k", L"96k", L"128k", L"192k", L"256k", L"320k"};
  for (int skin : {1, 2, 3}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TRadioGroup* group = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      group = &Add<TRadioGroup>(f, f, 20, 20, 150, 120, L"码率");
      group->SetItems(items);
      group->SetColumns(2);
      group->SetItemIndex(2);
    });
    ASSERT_EQ(EngineOf(form.Handle())->Dpi(), dpi_);
    ASSERT_EQ(group->ButtonCount(), 6);
    const TSkinData& data = DataOf(form);
    Park();
    Pump(200);

    RECT client{};
    GetClientRect(group->Handle(), &client);
    // The frame's line is 2 units in, the caption's line at the top.
    const int inset = ScaleForDpi(2, dpi_);
    // At 96 DPI each of the two columns is (150 - 2 * 2 - 8) / 2 = 69
    // units wide, the first 2 + 6 units in from the group's edge.
    const int column = ScaleForDpi(69, dpi_);
    const RECT first = RectIn(group->Button(0).Handle(), group->Handle());
    const RECT last = RectIn(group->Button(5).Handle(), group->Handle());
    const int rows_height = last.bottom - first.top;
    for (int i = 0; i < 6; ++i) {
      SCOPED_TRACE(i);
      const HWND button = group->Button(i).Handle();
      ASSERT_TRUE(IsWindowVisible(button));
      const RECT r = RectIn(button, group->Handle());
      // Inside the group's frame.
      EXPECT_GE(r.left, client.left + inset);
      EXPECT_GE(r.top, client.top + inset);
      EXPECT_LE(r.right, client.right - inset);
      EXPECT_LE(r.bottom, client.bottom - inset);
      // Two columns of three, as at 96 DPI scaled: each column 69 units
      // wide, the rows sharing the height below the caption evenly.
      const int col = i / 3, row = i % 3;
      EXPECT_NEAR(r.left, ScaleForDpi(8, dpi_) + col * column, 1);
      EXPECT_NEAR(r.right - r.left, column, 1);
      EXPECT_NEAR(r.top - first.top, row * rows_height / 3, 1);
      EXPECT_NEAR(r.bottom - r.top, rows_height / 3, 1);

      // The caption starts after the scaled box and runs about as wide as
      // the text in the button's font (digits and a "k" keep some of their
      // advance clear of ink), clear of the button's right edge.
      const int box =
          SkinScale(data.Buttons().RadioBitmap.Width() / data.Buttons().RadioButtonFrame, dpi_);
      const auto [ink_first, ink_last] = InkColumns(button, box + 1, data.Colours().ButtonFace);
      ASSERT_GE(ink_first, 0) << "no caption";
      const int width = CaptionWidth(group->Button(i), items[static_cast<size_t>(i)]);
      EXPECT_GE(ink_last - ink_first + 1, width * 3 / 4);
      EXPECT_LT(ink_last, r.right - r.left - 1);
    }
    // The rows fill the group below its caption down to its frame.
    EXPECT_GE(last.bottom, client.bottom - inset - ScaleForDpi(3, dpi_));
    SaveShot(form.Handle(), std::string("radio-group-") + kSkinFiles[skin] + "-" + DpiName());
    form.SetVisible(false);
  }
}

}  // namespace
