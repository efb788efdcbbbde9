// Combo-box fields at the screen's DPI, read back from the screen: the text
// of a drop-down list (at rest and chosen while focused) and of an editable
// combo box keeps clear of the skin's frame, whose depth grows with the
// DPI; the mark of a focused drop-down list's choice lies inside the frame;
// the editable combo's edit lies inside it too. The suite runs once per DPI
// (the prefix's LogPixels); TONMILL_TEST_DPI names the DPI a run expects.
#include <windows.h>

#include <algorithm>
#include <string>

#include "framework/ComboBox.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinComBox.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_combos/ComboTestSupport.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/DpiRunSupport.h"

namespace {

constexpr int kNightfall = 1, kDaylight = 2, kContrast = 3;
constexpr int kLookedAt[] = {kNightfall, kDaylight, kContrast};
// How deep the skin's frame around a combo box's field is, and the least
// gap between it and the text, in 96-DPI pixels.
constexpr int kFrameDepth = 2;
constexpr int kTextGap = 2;

class ComboFieldsAtDpiTest : public AtScreenDpi<SkinControlsTest> {
 protected:
  // Where a combo box's text may show (client coordinates): inside the
  // frame the skin draws at the DPI, beside the button it draws. The frame
  // may be drawn in the text's own colour, so ink on it would not tell.
  RECT FieldArea(TForm& form, TComboBox& combo, SIZE size) {
    const int frame = SkinScale(kFrameDepth, dpi_);
    auto* object = dynamic_cast<TSkinComBox*>(ObjectOf(form, combo));
    RECT area{frame, frame, size.cx - frame, size.cy - frame};
    // The end away from the button keeps the edge's own margin, corners
    // and all, which may reach further in than the frame's line.
    const TDataSkinBorder* strip = DataOf(form).BorderObject(ssComboButton);
    const int corner = std::max(frame, strip ? SkinScale(strip->LeftWidth, dpi_) : 0);
    if (object && !object->ButtonRect().Empty()) {
      const TRect button = object->ButtonRect();
      // The button lies at the right, or at the left of a right-to-left
      // combo box.
      if (button.left > size.cx / 2) {
        area.right = std::min<LONG>(area.right, button.left);
        area.left = corner;
      } else {
        area.left = std::max<LONG>(area.left, button.right);
        area.right = size.cx - corner;
      }
    }
    return area;
  }
};

std::string ShotName(const std::string& what, int skin, const std::string& dpi) {
  return what + "-" + kSkinFiles[skin] + "-" + dpi;
}

// A combo box 160 wide at (20, top) whose field shows "WMH wide".
TComboBox& AddCombo(TForm& form, TComboBoxStyle style, int top) {
  TComboBox& combo = OwnedComponent<TComboBox>(form);
  combo.SetComboStyle(style);
  combo.SetItems({L"WMH wide", L"Two"});
  combo.SetItemIndex(0);
  combo.SetBounds(20, top, 160, 24);
  combo.SetParent(&form);
  return combo;
}

void Redraw(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

// How far `box` (client coordinates) keeps from each edge of a client of
// `size`: the least of its four distances.
int Clearance(const RECT& box, SIZE size) {
  return std::min({box.left, box.top, size.cx - box.right, size.cy - box.bottom});
}

// A drop-down list (left to right and mirrored) and an editable combo box,
// all showing "WMH wide": the ink of each text keeps the frame's depth and
// the gap, both scaled, from every edge; a focused drop-down list marks its
// choice in the skin's highlight inside the frame with a pixel between
// them, its text in the highlight ink as clear of it; the edit of the
// editable one covers nothing of the frame.
TEST_F(ComboFieldsAtDpiTest, FieldTextAndChosenMarkKeepClearOfTheFrame) {
  const int frame = SkinScale(kFrameDepth, dpi_);
  const int clear = SkinScale(kFrameDepth + kTextGap, dpi_);
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TComboBox *list = nullptr, *editable = nullptr, *mirrored = nullptr;
    TButton* sink = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      list = &AddCombo(f, csDropDownList, 20);
      editable = &AddCombo(f, csDropDown, 70);
      mirrored = &AddCombo(f, csDropDownList, 120);
      mirrored->SetRightToLeft(true);
      sink = &Add<TButton>(f, f, 220, 20, 80, 25, L"OK");
    });
    const TSkinColours& colours = DataOf(form).Colours();
    ASSERT_NE(dynamic_cast<TSkinComBox*>(ObjectOf(form, *list)), nullptr);
    ASSERT_NE(dynamic_cast<TSkinComBox*>(ObjectOf(form, *editable)), nullptr);
    ASSERT_NE(dynamic_cast<TSkinComBox*>(ObjectOf(form, *mirrored)), nullptr);
    SetFocus(sink->Handle());
    Park();
    Redraw(list->Handle());
    Redraw(editable->Handle());
    Redraw(mirrored->Handle());
    Pump(50);

    // The text at rest, whoever draws it.
    for (TComboBox* combo : {list, editable, mirrored}) {
      SCOPED_TRACE(combo == list ? "drop-down list" : combo == editable ? "editable" : "mirrored");
      const RECT client = ClientScreenRect(combo->Handle());
      const SIZE size{client.right - client.left, client.bottom - client.top};
      const TBitmap shot = Capture(client);
      const RECT ink = dpi_run::InkBox(shot, colours.WindowText, 48, FieldArea(form, *combo, size));
      ASSERT_FALSE(IsRectEmpty(&ink)) << "no text in the field";
      EXPECT_GE(Clearance(ink, size), clear)
          << "ink at " << ink.left << "," << ink.top << " - " << ink.right << "," << ink.bottom;
      if (combo == editable) {
        RECT edit{};
        GetWindowRect(combo_test::InfoOf(editable->Handle()).hwndItem, &edit);
        const RECT in_client{edit.left - client.left, edit.top - client.top,
                             edit.right - client.left, edit.bottom - client.top};
        EXPECT_GE(Clearance(in_client, size), frame)
            << "the edit at " << in_client.left << "," << in_client.top << " - " << in_client.right
            << "," << in_client.bottom;
      }
    }
    SaveShot(form.Handle(), ShotName("combo-fields", skin, DpiName()));

    // Focused, the drop-down list marks its choice.
    SetFocus(list->Handle());
    ASSERT_TRUE(PumpUntil([&] { return GetFocus() == list->Handle(); }));
    Redraw(list->Handle());
    Pump(50);
    const RECT client = ClientScreenRect(list->Handle());
    const SIZE size{client.right - client.left, client.bottom - client.top};
    const TBitmap shot = Capture(client);
    const RECT mark = dpi_run::InkBox(shot, colours.Hilight, 8, FieldArea(form, *list, size));
    ASSERT_FALSE(IsRectEmpty(&mark)) << "no mark on the chosen field";
    EXPECT_GE(Clearance(mark, size), frame + 1)
        << "mark at " << mark.left << "," << mark.top << " - " << mark.right << "," << mark.bottom;
    const RECT ink = dpi_run::InkBox(shot, colours.HilightText, 48, mark);
    ASSERT_FALSE(IsRectEmpty(&ink)) << "no text on the mark";
    EXPECT_GE(Clearance(ink, size), clear)
        << "ink at " << ink.left << "," << ink.top << " - " << ink.right << "," << ink.bottom;
    SaveShot(form.Handle(), ShotName("combo-chosen", skin, DpiName()));
    form.Close();
    Pump(30);
  }
}

// The drop-down box's corners at the left are the skin's corners at the
// DPI's scale: each pixel of the image's corner block (outside the field,
// which the image leaves transparent) shows where the scale puts it, so the
// rounding is neither widened along the top edge nor blurred.
TEST_F(ComboFieldsAtDpiTest, LeftCornersAreTheSkinsCornersScaledNotStretched) {
  constexpr int kMeadow = 0;
  for (const int skin : {kMeadow, kNightfall, kDaylight}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TComboBox* list = nullptr;
    TButton* sink = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      list = &AddCombo(f, csDropDownList, 20);
      sink = &Add<TButton>(f, f, 220, 20, 80, 25, L"OK");
    });
    const TDataSkinBorder* strip = DataOf(form).BorderObject(ssComboButton);
    ASSERT_TRUE(strip && strip->Style == 2 && !strip->Bitmap.Empty());
    ASSERT_NE(dynamic_cast<TSkinComBox*>(ObjectOf(form, *list)), nullptr);
    SetFocus(sink->Handle());
    Park();
    Redraw(list->Handle());
    Pump(50);
    const RECT window = WindowRect(list->Handle());
    const TBitmap shot = Capture(window);
    SaveShot(window, ShotName("combo-corners", skin, DpiName()));
    // The box at rest is the strip's first cell; its corner block is as
    // deep as the edge's top and bottom margins, and as wide.
    const TBitmap& image = strip->Bitmap;
    const int depth = std::max(strip->TopHeight, strip->BottomHeight);
    ASSERT_GT(depth, 2);
    // Each screen pixel of the block lies between the image pixels around
    // the point it shows (the renderer blends neighbours at scales that are
    // not whole); pixels near the transparent field or outside the rounding
    // show what lies behind, and are left out.
    auto within = [](int value, int a, int b) {
      return value >= std::min(a, b) - 12 && value <= std::max(a, b) + 12;
    };
    const int block = SkinScale(depth, dpi_);
    const bool whole = dpi_ % 96 == 0;
    int checked = 0, wrong = 0;
    std::string first_wrong;
    for (const bool top : {true, false}) {
      for (int sy = 0; sy < block; ++sy) {
        const int py = top ? sy : shot.Height() - 1 - sy;
        const double fy = (sy + 0.5) * 96 / dpi_ - 0.5;
        for (int px = 0; px < block; ++px) {
          const double fx = (px + 0.5) * 96 / dpi_ - 0.5;
          // Whole factors repeat each pixel; other scales blend two.
          const int x0 = whole ? px * 96 / dpi_ : std::max(0, static_cast<int>(fx));
          const int x1 = whole ? x0 : std::min(depth - 1, x0 + 1);
          const int r0 = whole ? sy * 96 / dpi_ : std::max(0, static_cast<int>(fy));
          const int r1 = whole ? r0 : std::min(depth - 1, r0 + 1);
          const int y0 = top ? r0 : image.Height() - 1 - r0;
          const int y1 = top ? r1 : image.Height() - 1 - r1;
          const TColor around[] = {image.Pixel(x0, y0), image.Pixel(x1, y0), image.Pixel(x0, y1),
                                   image.Pixel(x1, y1)};
          if (std::any_of(std::begin(around), std::end(around),
                          [](TColor c) { return ColorToRGB(c) == 0xFF00FF; })) {
            continue;
          }
          const TColor seen = ColorToRGB(shot.Pixel(px, py));
          bool fits = true;
          for (int channel = 0; channel < 3; ++channel) {
            auto part = [&](TColor c) {
              return static_cast<int>((ColorToRGB(c) >> (8 * channel)) & 0xFF);
            };
            const int lo =
                std::min({part(around[0]), part(around[1]), part(around[2]), part(around[3])});
            const int hi =
                std::max({part(around[0]), part(around[1]), part(around[2]), part(around[3])});
            fits = fits && within(part(seen), lo, hi);
          }
          ++checked;
          if (!fits && !wrong++) {
            first_wrong = std::to_string(px) + "," + std::to_string(py);
          }
        }
      }
    }
    EXPECT_GT(checked, depth);
    EXPECT_EQ(wrong, 0) << "of " << checked << " corner pixels; first: " << first_wrong;
    form.Close();
    Pump(30);
  }
}

}  // namespace
