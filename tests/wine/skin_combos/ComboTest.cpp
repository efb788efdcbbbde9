// Skinned combo boxes read back from the screen under real input: the
// button lit under the mouse and dark again when it leaves, the list opened
// by a click on the skinned button and the choice landing in the field,
// the mirrored button of a right-to-left combo box, the skinned scroll bar
// of a simple combo box's list, the content colours and how well texts
// read under every skin, giving everything back and taking it again, a
// skin without the combo images, and combo boxes too full, too empty or
// too narrow.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "framework/ComboBox.h"
#include "framework/HandleCount.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinScrollbar.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/wine/skin_combos/ComboTestSupport.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

using namespace combo_test;

class ComboTest : public SkinControlsTest {
 protected:
  TComboBox& Combo(TForm& form, TComboBoxStyle style, int left, int top, int width, int items,
                   int height = 24) {
    TComboBox& combo = OwnedComponent<TComboBox>(form);
    combo.SetComboStyle(style);
    std::vector<std::wstring> list;
    for (int i = 0; i < items; ++i) list.push_back(L"Choice " + std::to_wstring(i + 1));
    combo.SetItems(list);
    combo.SetBounds(left, top, width, height);
    combo.SetParent(&form);
    return combo;
  }
  // A button that takes the focus, so no combo box shows it.
  TButton& FocusSink(TForm& form) { return Add<TButton>(form, form, 420, 400, 90, 26, L"OK"); }
  TSkinComBox* SkinOf(TForm& form, const TComboBox& combo) {
    return dynamic_cast<TSkinComBox*>(ObjectOf(form, combo));
  }

  // The image the skin draws a combo box from (the mirrored one for right
  // to left) and its number of cells.
  static const TDataSkinObject& Image(const TSkinData& data, bool rtl) {
    return rtl ? *data.Object(ssSunkEdge) : *data.Object(ssComboButton);
  }
  static int Frames(const TSkinData& data) { return std::max(1, data.Object(ssSunkEdge)->Frame); }

  // Which cell of the combo image the screen shows in the combo's button,
  // judged on the image's own (not magenta) pixels; 0 when none matches.
  int ButtonCell(const TSkinData& data, HWND combo, const TSkinComBox& object) {
    const bool rtl = (GetWindowLongPtrW(combo, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    RECT client{};
    GetClientRect(combo, &client);
    const TBitmap shot = Capture(ScreenOf(combo, client));
    const TRect b = object.ButtonRect();
    int best = 0;
    double best_share = 0.9;
    for (int cell = 1; cell <= Frames(data); ++cell) {
      // The mirrored image holds its cells in the opposite order.
      const int drawn_cell = rtl ? Frames(data) + 1 - cell : cell;
      const TBitmap want =
          RenderSkinCell(Image(data, rtl), client.right, client.bottom, Frames(data), drawn_cell);
      int drawn = 0, same = 0;
      for (int y = b.top; y < b.bottom; ++y) {
        for (int x = b.left; x < b.right; ++x) {
          if (want.Pixel(x, y) == clFuchsia) continue;
          ++drawn;
          if (Near(want.Pixel(x, y), shot.Pixel(x, y))) ++same;
        }
      }
      const double share = drawn ? static_cast<double>(same) / drawn : 0;
      if (share > best_share) best_share = share, best = cell;
    }
    return best;
  }
  POINT ButtonCentre(HWND combo, const TSkinComBox& object) {
    const TRect b = object.ButtonRect();
    return ScreenPoint(combo, (b.left + b.right) / 2, (b.top + b.bottom) / 2);
  }
  // The field inside the combo's frame.
  static RECT FieldOf(const TComboBox& combo) {
    RECT r = InfoOf(combo.Handle()).rcItem;
    InflateRect(&r, -1, -1);
    return r;
  }
  static void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  POINT RowCentre(HWND combo, int row) {
    HWND list = InfoOf(combo).hwndList;
    const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    RECT r{};
    GetClientRect(list, &r);
    return ScreenPoint(list, r.right / 3, (row - top) * height + height / 2);
  }
};

TEST_F(ComboTest, ButtonIsLitUnderTheMouseAndDarkAgainWhenItLeavesUnderEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TComboBox* list = nullptr;
    TComboBox* edit = nullptr;
    TButton* sink = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      list = &Combo(f, csDropDownList, 20, 20, 200, 5);
      edit = &Combo(f, csDropDown, 20, 70, 200, 5);
      sink = &FocusSink(f);
    });
    TSkinData& data = DataOf(form);
    SetFocus(sink->Handle());
    Park();
    for (TComboBox* combo : {list, edit}) {
      TSkinComBox* object = SkinOf(form, *combo);
      ASSERT_TRUE(object);
      ASSERT_EQ(SendMessageW(combo->Handle(), SKM_ISSKINNED, 0, 0), 1);
      Redraw(combo->Handle());
      Pump(50);
      ASSERT_FALSE(object->ButtonRect().Empty());
      EXPECT_EQ(ButtonCell(data, combo->Handle(), *object), 1) << "at rest";
      EXPECT_FALSE(object->Hot());

      MoveTo(ButtonCentre(combo->Handle(), *object));
      EXPECT_TRUE(PumpUntil([&] { return object->Hot(); }, 2000));
      EXPECT_EQ(ButtonCell(data, combo->Handle(), *object), 4) << "under the mouse";
      if (combo == list) SaveShot(form.Handle(), std::string("combo-hot-") + kSkinFiles[skin]);

      // Onto the field: the button goes dark, though the mouse is still in
      // the window (or, for an editable one, in its edit).
      const TRect b = object->ButtonRect();
      MoveTo(ScreenPoint(combo->Handle(), b.left - 40, (b.top + b.bottom) / 2));
      EXPECT_TRUE(PumpUntil([&] { return !object->Hot(); }, 2000));
      EXPECT_EQ(ButtonCell(data, combo->Handle(), *object), 1) << "over the field";

      // Back on the button, then out of the window at once.
      MoveTo(ButtonCentre(combo->Handle(), *object));
      EXPECT_TRUE(PumpUntil([&] { return object->Hot(); }, 2000));
      MoveTo(ScreenPoint(combo->Handle(), b.right + 60, b.bottom + 30));
      EXPECT_TRUE(PumpUntil([&] { return !object->Hot(); }, 2000)) << "left the window";
      EXPECT_EQ(ButtonCell(data, combo->Handle(), *object), 1) << "after leaving";
    }
    form.Close();
    Pump(50);
  }
}

TEST_F(ComboTest, ClickOnTheSkinnedButtonOpensTheListAndTheChoiceLandsInTheField) {
  TComboBox* list = nullptr;
  TComboBox* edit = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    list = &Combo(f, csDropDownList, 20, 20, 200, 8);
    edit = &Combo(f, csDropDown, 20, 70, 200, 8);
    FocusSink(f);
  });
  TSkinData& data = DataOf(form);
  int changes = 0;
  list->OnChange = [&](TObject*) { ++changes; };
  for (TComboBox* combo : {list, edit}) {
    TSkinComBox* object = SkinOf(form, *combo);
    ASSERT_TRUE(object);
    Redraw(combo->Handle());
    Click(ButtonCentre(combo->Handle(), *object));
    ASSERT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }, 3000));
    Pump(100);
    // The button is shown held down while the list is open.
    EXPECT_EQ(ButtonCell(data, combo->Handle(), *object), 2);
    if (combo == list) SaveShot(form.Handle(), "combo-dropped-nightfall");
    Click(RowCentre(combo->Handle(), 5));
    ASSERT_TRUE(PumpUntil([&] { return !combo->DroppedDown(); }, 3000));
    EXPECT_EQ(combo->ItemIndex(), 5);
    EXPECT_EQ(combo->Text(), L"Choice 6");
    // The field shows a text in the skin's content ink.
    Redraw(combo->Handle());
    Pump(50);
    const COMBOBOXINFO info = InfoOf(combo->Handle());
    const TTextLook look = ReadText(Capture(ScreenOf(combo->Handle(), info.rcItem)));
    EXPECT_GE(look.ratio, 4.5);
  }
  EXPECT_EQ(changes, 1);
  form.Close();
  Pump(50);
}

TEST_F(ComboTest, RightToLeftComboHasItsMirroredButtonAtTheLeftAndOpensFromIt) {
  TComboBox* list = nullptr;
  TComboBox* edit = nullptr;
  TForm& form = ShowSkinned(0, [&](TForm& f) {
    list = &Combo(f, csDropDownList, 20, 20, 200, 6);
    list->SetRightToLeft(true);
    list->SetItemIndex(0);
    edit = &Combo(f, csDropDown, 20, 70, 200, 6);
    edit->SetRightToLeft(true);
    FocusSink(f);
  });
  TSkinData& data = DataOf(form);
  Park();
  for (TComboBox* combo : {list, edit}) {
    TSkinComBox* object = SkinOf(form, *combo);
    ASSERT_TRUE(object);
    Redraw(combo->Handle());
    Pump(50);
    const TRect b = object->ButtonRect();
    EXPECT_EQ(b.left, 0);
    EXPECT_LT(b.right, 60);
    EXPECT_EQ(ButtonCell(data, combo->Handle(), *object), 1);
    // The right end shows the frame and the field only: no button there,
    // neither the skin's nor the system's.
    RECT client{};
    GetClientRect(combo->Handle(), &client);
    const TBitmap shot = Capture(ScreenOf(combo->Handle(), client));
    const TBitmap ltr =
        RenderSkinCell(Image(data, false), client.right, client.bottom, Frames(data), 1);
    const TColor field = ColorToRGB(data.Colours().Window) & 0xFFFFFF;
    int differ = 0, foreign = 0;
    for (int y = 4; y < client.bottom - 4; ++y) {
      for (int x = client.right - 14; x < client.right - 4; ++x) {
        if (!Near(shot.Pixel(x, y), ltr.Pixel(x, y))) ++differ;
        if (!Near(shot.Pixel(x, y), field)) ++foreign;
      }
    }
    EXPECT_GT(differ, 20);
    if (combo == list) {
      // The choice reads from the right: its text ends near the right edge
      // and all of it shows beside the button.
      const TBitmap text = Capture(ScreenOf(combo->Handle(), FieldOf(*combo)));
      const TTextLook look = ReadText(text);
      // Beside the button, in the field's coordinates.
      const int from = std::max(0, static_cast<int>(b.right - FieldOf(*combo).left) + 2);
      int first = -1, last = -1;
      for (int x = from; x < text.Width(); ++x) {
        for (int y = 0; y < text.Height(); ++y) {
          if (combo_test::ContrastRatio(text.Pixel(x, y), look.back) < 3) continue;
          if (first < 0) first = x;
          last = x;
        }
      }
      EXPECT_GT(last, text.Width() - 12);
      EXPECT_GT(first, from + 20);
      EXPECT_GE(look.ratio, 4.5);
    } else {
      EXPECT_EQ(foreign, 0) << "a button shows at the right";
    }
    // An edit lies beside the button, not over it.
    if (HWND inner = object->EditHandle()) {
      RECT r = WindowRect(inner);
      MapWindowPoints(nullptr, combo->Handle(), reinterpret_cast<POINT*>(&r), 2);
      EXPECT_GE(r.left, b.right);
    }
    Click(ButtonCentre(combo->Handle(), *object));
    EXPECT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }, 3000));
    combo->SetDroppedDown(false);
    PumpUntil([&] { return !combo->DroppedDown(); });
  }
  SaveShot(form.Handle(), "combo-right-to-left");
  // Without the skin the edit is back where the system had it: clear of
  // the system's own button.
  HWND inner = InfoOf(edit->Handle()).hwndItem;
  SwitchSkin(form, data, false);
  const COMBOBOXINFO plain = InfoOf(edit->Handle());
  RECT r = WindowRect(inner);
  MapWindowPoints(nullptr, edit->Handle(), reinterpret_cast<POINT*>(&r), 2);
  const bool clear = r.right <= plain.rcButton.left || r.left >= plain.rcButton.right;
  EXPECT_TRUE(clear) << "edit " << r.left << "-" << r.right << ", button " << plain.rcButton.left
                     << "-" << plain.rcButton.right;
  form.Close();
  Pump(50);
}

// A right-to-left combo box at rest shows the left-to-right box at rest,
// mirrored: its frame rows (top and bottom, across the whole box) are those
// of a left-to-right box of the same size read from the other end, under
// every skin with its own look for a lit box. (The mirrored image holds
// its cells in the opposite order.)
TEST_F(ComboTest, RightToLeftComboAtRestIsTheLeftToRightOneMirrored) {
  for (const int skin : {0, 1, 2}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TComboBox *ltr = nullptr, *rtl = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      ltr = &Combo(f, csDropDownList, 20, 20, 200, 3);
      rtl = &Combo(f, csDropDownList, 20, 70, 200, 3);
      rtl->SetRightToLeft(true);
      FocusSink(f);
    });
    ASSERT_TRUE(SkinOf(form, *ltr) && SkinOf(form, *rtl));
    Park();
    Redraw(ltr->Handle());
    Redraw(rtl->Handle());
    Pump(50);
    const TBitmap left = Capture(WindowRect(ltr->Handle()));
    const TBitmap right = Capture(WindowRect(rtl->Handle()));
    ASSERT_EQ(left.Width(), right.Width());
    ASSERT_EQ(left.Height(), right.Height());
    const int w = left.Width(), h = left.Height();
    int differ = 0;
    for (const int y : {0, 1, h - 2, h - 1}) {
      for (int x = 0; x < w; ++x) {
        if (!Near(left.Pixel(x, y), right.Pixel(w - 1 - x, y))) ++differ;
      }
    }
    SaveShot(form.Handle(), std::string("combo-mirrored-at-rest-") + kSkinFiles[skin]);
    EXPECT_LE(differ, w / 20) << "of " << 4 * w << " frame pixels";
    form.Close();
    Pump(30);
  }
}

TEST_F(ComboTest, SimpleComboListScrollsWithItsSkinnedScrollBar) {
  TComboBox* combo = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    combo = &Combo(f, csSimple, 20, 20, 220, 60, 180);
    FocusSink(f);
  });
  TSkinComBox* object = SkinOf(form, *combo);
  ASSERT_TRUE(object);
  ASSERT_TRUE(object->ListScrollbar());
  TWScrollbar* bar = object->ListScrollbar()->VertBar();
  ASSERT_TRUE(bar);
  ASSERT_TRUE(PumpUntil([&] { return bar->Shown() && IsWindowVisible(bar->Handle()); }));
  HWND list = object->ListHandle();
  ASSERT_TRUE(list);
  // The overlay lies over the list's own bar, at its right edge.
  const RECT over = WindowRect(bar->Handle());
  const RECT list_rect = WindowRect(list);
  EXPECT_LE(std::abs(over.right - (list_rect.right - 2)), 2);
  SaveShot(form.Handle(), "combo-simple-daylight");
  // Two clicks on its down arrow scroll the list by two lines.
  const auto top = [&] { return SendMessageW(list, LB_GETTOPINDEX, 0, 0); };
  EXPECT_EQ(top(), 0);
  const int arrow = bar->ArrowSize();
  const POINT down{(over.left + over.right) / 2, over.bottom - arrow / 2};
  Click(down);
  Pump(100);
  Click(down);
  EXPECT_TRUE(PumpUntil([&] { return top() == 2; }, 3000)) << top();
  // The thumb moved down with it.
  EXPECT_GT(bar->Thumb().start, arrow);
  form.Close();
  Pump(50);
}

TEST_F(ComboTest, SimpleComboEditSitsInTheSkinsFrameOnTheContentColour) {
  TComboBox* combo = nullptr;
  TButton* sink = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    combo = &Combo(f, csSimple, 20, 20, 220, 10, 150);
    combo->SetItemIndex(1);
    sink = &FocusSink(f);
  });
  TSkinData& data = DataOf(form);
  SetFocus(sink->Handle());
  Park();
  Redraw(combo->Handle());
  Pump(80);
  HWND edit = InfoOf(combo->Handle()).hwndItem;
  ASSERT_TRUE(edit);
  RECT r = WindowRect(edit);
  MapWindowPoints(nullptr, combo->Handle(), reinterpret_cast<POINT*>(&r), 2);
  RECT client{};
  GetClientRect(combo->Handle(), &client);
  const TBitmap shot = Capture(ScreenOf(combo->Handle(), client));
  const TColor window = ColorToRGB(data.Colours().Window) & 0xFFFFFF;
  const TColor shadow = ColorToRGB(data.Colours().ButtonShadow) & 0xFFFFFF;
  const int mid = (r.top + r.bottom) / 2;
  EXPECT_TRUE(Near(shot.Pixel(0, mid), shadow)) << std::hex << shot.Pixel(0, mid);
  EXPECT_TRUE(Near(shot.Pixel(client.right - 1, mid), shadow));
  EXPECT_TRUE(Near(shot.Pixel((r.left + r.right) / 2, 0), shadow));
  ASSERT_GT(r.left, 1);
  ASSERT_GT(r.top, 1);
  EXPECT_TRUE(Near(shot.Pixel(r.left - 1, mid), window));
  EXPECT_TRUE(Near(shot.Pixel((r.left + r.right) / 2, r.top - 1), window));
  // The list's border is the skin's shadow too.
  const RECT list = WindowRect(InfoOf(combo->Handle()).hwndList);
  const TBitmap border = Capture(list);
  EXPECT_TRUE(Near(border.Pixel(0, border.Height() / 2), shadow))
      << std::hex << border.Pixel(0, border.Height() / 2);
  EXPECT_TRUE(Near(border.Pixel(border.Width() / 2, border.Height() - 1), shadow))
      << std::hex << border.Pixel(border.Width() / 2, border.Height() - 1) << " not " << shadow;
  SaveShot(form.Handle(), "combo-simple-nightfall");
  form.Close();
  Pump(50);
}

TEST_F(ComboTest, FieldListAndEditTakeTheContentColoursAndReadUnderEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TComboBox* list = nullptr;
    TComboBox* edit = nullptr;
    TButton* sink = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      list = &Combo(f, csDropDownList, 20, 20, 200, 6);
      list->SetItemIndex(2);
      edit = &Combo(f, csDropDown, 20, 70, 200, 6);
      edit->SetItemIndex(1);
      sink = &FocusSink(f);
    });
    const TSkinColours& colours = DataOf(form).Colours();
    const TColor window = ColorToRGB(colours.Window) & 0xFFFFFF;
    const TColor hilight = ColorToRGB(colours.Hilight) & 0xFFFFFF;
    const double wanted = skin == kContrastSkin ? 7.0 : 4.5;
    SetFocus(sink->Handle());
    Park();
    Redraw(form.Handle());
    Pump(80);
    // The field of the drop-down list and the edit of the other.
    for (TComboBox* combo : {list, edit}) {
      const COMBOBOXINFO info = InfoOf(combo->Handle());
      const RECT field =
          combo == edit ? WindowRect(info.hwndItem) : ScreenOf(combo->Handle(), FieldOf(*combo));
      const TTextLook look = ReadText(Capture(field));
      EXPECT_TRUE(Near(look.back, window)) << std::hex << look.back << " not " << window;
      EXPECT_GE(look.ratio, wanted);
    }
    // The focused drop-down list shows its choice in the skin's highlight.
    SetFocus(list->Handle());
    Redraw(list->Handle());
    Pump(80);
    const TTextLook focused = ReadText(Capture(ScreenOf(list->Handle(), FieldOf(*list))));
    EXPECT_TRUE(Near(focused.back, hilight)) << std::hex << focused.back << " not " << hilight;
    EXPECT_GE(focused.ratio, wanted);
    // The image's open corners show the form under the combo box, not the
    // system's frame.
    {
      const TBitmap corners = Capture(WindowRect(list->Handle()));
      const TColor face = ColorToRGB(form.EffectiveColor()) & 0xFFFFFF;
      const TBitmap want = RenderSkinCell(*DataOf(form).Object(ssComboButton), corners.Width(),
                                          corners.Height(), 4, 1);
      for (const POINT p : {POINT{0, 0}, POINT{corners.Width() - 1, corners.Height() - 1}}) {
        if (want.Pixel(p.x, p.y) != clFuchsia) continue;
        EXPECT_TRUE(Near(corners.Pixel(p.x, p.y), face))
            << std::hex << corners.Pixel(p.x, p.y) << " not " << face;
      }
    }
    // The dropped list, its chosen row in the highlight.
    list->SetDroppedDown(true);
    ASSERT_TRUE(PumpUntil([&] { return list->DroppedDown(); }));
    HWND dropped = InfoOf(list->Handle()).hwndList;
    Redraw(dropped);
    Pump(100);
    const auto row_height = static_cast<int>(SendMessageW(dropped, LB_GETITEMHEIGHT, 0, 0));
    RECT client{};
    GetClientRect(dropped, &client);
    const RECT rows = ScreenOf(dropped, client);
    const TTextLook body = ReadText(Capture(rows));
    EXPECT_TRUE(Near(body.back, window)) << std::hex << body.back << " not " << window;
    EXPECT_GE(body.ratio, wanted);
    RECT chosen{0, 2 * row_height, client.right, 3 * row_height};
    const TTextLook lit = ReadText(Capture(ScreenOf(dropped, chosen)));
    EXPECT_TRUE(Near(lit.back, hilight)) << std::hex << lit.back << " not " << hilight;
    EXPECT_GE(lit.ratio, wanted);
    SaveShot(form.Handle(), std::string("combo-list-") + kSkinFiles[skin]);
    list->SetDroppedDown(false);
    PumpUntil([&] { return !list->DroppedDown(); });
    form.Close();
    Pump(50);
  }
}

TEST_F(ComboTest, SkinGoesAndComesBackWithEverythingGivenBackBetween) {
  TComboBox* list = nullptr;
  TComboBox* edit = nullptr;
  TComboBox* simple = nullptr;
  TButton* sink = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    list = &Combo(f, csDropDownList, 20, 20, 200, 6);
    list->SetItemIndex(0);
    edit = &Combo(f, csDropDown, 20, 70, 200, 6);
    edit->SetItemIndex(0);
    simple = &Combo(f, csSimple, 250, 20, 200, 40, 150);
    sink = &FocusSink(f);
  });
  TSkinData& data = DataOf(form);
  const TColor window = ColorToRGB(data.Colours().Window) & 0xFFFFFF;
  const TColor system = static_cast<TColor>(GetSysColor(COLOR_WINDOW));
  ASSERT_FALSE(Near(window, system)) << "the skin's content colour must differ from the system's";
  SetFocus(sink->Handle());
  Park();
  HWND edit_window = InfoOf(edit->Handle()).hwndItem;
  HWND simple_list = InfoOf(simple->Handle()).hwndList;
  const auto edit_back = [&] { return ReadText(Capture(WindowRect(edit_window))).back; };
  const auto list_back = [&] { return ReadText(Capture(WindowRect(simple_list))).back; };
  const auto overlay = [&]() -> HWND {
    TSkinComBox* object = SkinOf(form, *simple);
    return object && object->ListScrollbar() ? object->ListScrollbar()->VertBar()->Handle()
                                             : nullptr;
  };
  // What the skinned combos hold (subclass layers, brushes, bitmaps) is
  // the same after every round of giving back and taking again.
  const long layers = LiveHandles(THandleKind::hkSubclass);
  const long gdi = LiveHandles(THandleKind::hkGdiObject);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    Redraw(form.Handle());
    Pump(80);
    EXPECT_EQ(LiveHandles(THandleKind::hkSubclass), layers);
    EXPECT_EQ(LiveHandles(THandleKind::hkGdiObject), gdi);
    EXPECT_TRUE(Near(edit_back(), window));
    EXPECT_TRUE(Near(list_back(), window));
    HWND bar = overlay();
    ASSERT_TRUE(bar);
    EXPECT_TRUE(IsWindowVisible(bar));

    SwitchSkin(form, data, false);
    // The layers on the edit, the three lists and the simple list's scroll
    // bars are all gone.
    EXPECT_LE(LiveHandles(THandleKind::hkSubclass), layers - 5);
    for (TComboBox* combo : {list, edit, simple}) {
      EXPECT_NE(SendMessageW(combo->Handle(), SKM_ISSKINNED, 0, 0), 1);
    }
    EXPECT_FALSE(IsWindow(bar)) << "the list's overlay stays";
    EXPECT_NE(SendMessageW(simple_list, SKM_ISSKINNED, 0, 0), 1);
    Redraw(form.Handle());
    Pump(80);
    EXPECT_TRUE(Near(edit_back(), system));
    EXPECT_TRUE(Near(list_back(), system));
    if (round == 0) SaveShot(form.Handle(), "combo-unskinned");

    SwitchSkin(form, data, true);
    ASSERT_TRUE(PumpUntil([&] {
      return SendMessageW(list->Handle(), SKM_ISSKINNED, 0, 0) == 1 && overlay() != nullptr;
    }));
  }
  form.Close();
  Pump(50);
}

TEST_F(ComboTest, ContentColoursFollowAnotherSkin) {
  TComboBox* list = nullptr;
  TComboBox* edit = nullptr;
  TButton* sink = nullptr;
  TForm& form = ShowSkinned(2, [&](TForm& f) {
    list = &Combo(f, csDropDownList, 20, 20, 200, 6);
    list->SetItemIndex(0);
    edit = &Combo(f, csDropDown, 20, 70, 200, 6);
    edit->SetItemIndex(0);
    sink = &FocusSink(f);
  });
  TSkinData& data = DataOf(form);
  SetFocus(sink->Handle());
  Park();
  for (int skin : {1, 4}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    data.LoadFromSkinStore(&Store(), skin);
    Flush();
    ASSERT_TRUE(WaitSkinned(form.Handle()));
    const TColor window = ColorToRGB(data.Colours().Window) & 0xFFFFFF;
    const auto backs = [&] {
      Redraw(form.Handle());
      Pump(50);
      return std::pair{ReadText(Capture(ScreenOf(list->Handle(), FieldOf(*list)))).back,
                       ReadText(Capture(WindowRect(InfoOf(edit->Handle()).hwndItem))).back};
    };
    EXPECT_TRUE(PumpUntil(
        [&] {
          const auto [field, text] = backs();
          return Near(field, window) && Near(text, window);
        },
        3000))
        << std::hex << backs().first << " " << backs().second << " not " << window;
    TSkinComBox* object = SkinOf(form, *list);
    ASSERT_TRUE(object);
    EXPECT_EQ(ButtonCell(data, list->Handle(), *object), 1);
  }
  form.Close();
  Pump(50);
}

// A skin whose combo button is a strip of its own (not the whole combo box
// in one image): the button shows the strip's cell for its state, beside
// the field, in both ways of drawing it.
TEST_F(ComboTest, ButtonStripOfItsOwnShowsTheCellOfItsState) {
  TComboBox* combo = nullptr;
  TButton* sink = nullptr;
  TForm& form = ShowSkinned(0, [&](TForm& f) {
    combo = &Combo(f, csDropDownList, 20, 20, 200, 4);
    sink = &FocusSink(f);
  });
  TSkinData& data = DataOf(form);
  const TColor cells[] = {clRed, clLime, clBlue, clYellow};
  TBitmap strip(4 * 12, 20, clBlack);
  for (int i = 0; i < 4; ++i) strip.FillRect(Bounds(i * 12, 0, 12, 20), cells[i]);
  auto* button = data.BorderObject(ssComboButton);
  ASSERT_TRUE(button);
  button->Bitmap = strip;
  button->Bitmap2 = strip;
  button->Frame = 4;
  data.Object(ssSunkEdge)->Bitmap = TBitmap(4 * 12, 20, clGray);
  data.Object(ssExtraImages)->Bitmap.Clear();
  TSkinComBox* object = SkinOf(form, *combo);
  ASSERT_TRUE(object);
  SetFocus(sink->Handle());
  for (int style : {0, 1}) {
    SCOPED_TRACE(style);
    button->Style = style;
    Park();
    EXPECT_TRUE(PumpUntil([&] { return !object->Hot(); }, 2000));
    Redraw(combo->Handle());
    Pump(50);
    const TRect b = object->ButtonRect();
    RECT client{};
    GetClientRect(combo->Handle(), &client);
    ASSERT_FALSE(b.Empty());
    EXPECT_EQ(b.right, client.right - (style == 1 ? 2 : 0));
    EXPECT_LT(b.Width(), 30);
    const POINT in_button = ScreenPoint(combo->Handle(), b.left + 3, b.top + 4);
    EXPECT_TRUE(Near(
        Capture({in_button.x, in_button.y, in_button.x + 1, in_button.y + 1}).Pixel(0, 0), clRed));
    MoveTo(ButtonCentre(combo->Handle(), *object));
    EXPECT_TRUE(PumpUntil([&] { return object->Hot(); }, 2000));
    EXPECT_TRUE(
        Near(Capture({in_button.x, in_button.y, in_button.x + 1, in_button.y + 1}).Pixel(0, 0),
             clYellow));
    if (style == 1) {
      // The flat frame is the skin's shadow colour.
      const POINT corner = ScreenPoint(combo->Handle(), 0, 0);
      const TColor seen = Capture({corner.x, corner.y, corner.x + 1, corner.y + 1}).Pixel(0, 0);
      const TColor shadow = ColorToRGB(data.Colours().ButtonShadow) & 0xFFFFFF;
      EXPECT_TRUE(Near(seen, shadow)) << std::hex << seen << " not " << shadow;
    }
  }
  form.Close();
  Pump(50);
}

TEST_F(ComboTest, SkinWithoutComboImagesLeavesTheSystemLook) {
  TComboBox* combo = nullptr;
  TButton* sink = nullptr;
  TForm& form = ShowSkinned(4, [&](TForm& f) {
    combo = &Combo(f, csDropDownList, 20, 20, 200, 4);
    combo->SetItemIndex(1);
    sink = &FocusSink(f);
  });
  TSkinData& data = DataOf(form);
  SetFocus(sink->Handle());
  Park();
  RECT client{};
  GetClientRect(combo->Handle(), &client);
  const auto shot = [&] {
    Redraw(combo->Handle());
    Pump(50);
    return Capture(ScreenOf(combo->Handle(), client));
  };
  const TBitmap skinned = shot();
  data.Object(ssComboButton)->Bitmap.Clear();
  data.Object(ssSunkEdge)->Bitmap.Clear();
  const TBitmap plain = shot();
  // What the system draws: the same combo box with the skin switched off
  // for this window only.
  SendMessageW(combo->Handle(), SKM_SKINSWITCH, 0, 0);
  const TBitmap system = shot();
  SendMessageW(combo->Handle(), SKM_SKINSWITCH, 1, 0);
  EXPECT_LT(MatchingShare(skinned, system), 0.9) << "the skin showed nothing of its own";
  // The button and frame are the system's (the content colours stay).
  const TSkinComBox* object = SkinOf(form, *combo);
  ASSERT_TRUE(object);
  const int bx = client.right - 8, by = client.bottom / 2;
  EXPECT_TRUE(Near(plain.Pixel(bx, by), system.Pixel(bx, by)));
  EXPECT_TRUE(Near(plain.Pixel(1, 1), system.Pixel(1, 1)));
  EXPECT_TRUE(Near(plain.Pixel(client.right - 2, client.bottom - 2),
                   system.Pixel(client.right - 2, client.bottom - 2)));
  form.Close();
  Pump(50);
}

TEST_F(ComboTest, HugeEmptyAndZeroWidthCombosStayWhole) {
  TComboBox* huge = nullptr;
  TComboBox* empty = nullptr;
  TComboBox* empty_edit = nullptr;
  TComboBox* narrow = nullptr;
  TForm& form = ShowSkinned(3, [&](TForm& f) {
    huge = &Combo(f, csDropDownList, 20, 20, 200, 5000);
    empty = &Combo(f, csDropDownList, 20, 70, 200, 0);
    empty_edit = &Combo(f, csDropDown, 20, 120, 200, 0);
    narrow = &Combo(f, csDropDown, 20, 170, 0, 3);
    Combo(f, csSimple, 250, 20, 0, 30, 0);
    FocusSink(f);
  });
  ASSERT_TRUE(SkinOf(form, *huge));
  EXPECT_EQ(SendMessageW(huge->Handle(), CB_GETCOUNT, 0, 0), 5000);
  huge->SetItemIndex(4999);
  Click(ButtonCentre(huge->Handle(), *SkinOf(form, *huge)));
  ASSERT_TRUE(PumpUntil([&] { return huge->DroppedDown(); }, 3000));
  input::Key(VK_HOME);
  Pump(100);
  input::Key(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return !huge->DroppedDown(); }, 3000));
  EXPECT_EQ(huge->ItemIndex(), 0);
  for (TComboBox* combo : {empty, empty_edit}) {
    TSkinComBox* object = SkinOf(form, *combo);
    ASSERT_TRUE(object);
    Click(ButtonCentre(combo->Handle(), *object));
    Pump(200);
    combo->SetDroppedDown(false);
    EXPECT_EQ(combo->ItemIndex(), -1);
  }
  narrow->SetBounds(20, 170, 0, 24);
  narrow->SetEnabled(false);
  narrow->SetEnabled(true);
  Redraw(form.Handle());
  Pump(100);
  for (TComboBox* combo : {huge, empty, empty_edit, narrow}) {
    EXPECT_EQ(SendMessageW(combo->Handle(), SKM_ISSKINNED, 0, 0), 1);
  }
  form.Close();
  Pump(50);
}

}  // namespace
