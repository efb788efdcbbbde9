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
    if (object && !object->ButtonRect().Empty()) {
      const TRect button = object->ButtonRect();
      // The button lies at the right, or at the left of a right-to-left
      // combo box.
      if (button.left > size.cx / 2) {
        area.right = std::min<LONG>(area.right, button.left);
      } else {
        area.left = std::max<LONG>(area.left, button.right);
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

}  // namespace
