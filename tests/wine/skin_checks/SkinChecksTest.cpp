// Skinned check boxes and radio buttons as a person sees them: which cell
// of the skin's strip the screen shows for every state, under the mouse and
// the keyboard, with the caption on either side, over a coloured parent,
// with strips of 4, 8 and 12 cells, and the system's own look where the
// skin has no strip or is switched off.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/CheckBox.h"
#include "framework/RadioGroup.h"
#include "framework/StdCtrls.h"
#include "skin/controls/SkinCheckBox.h"
#include "skin/data/SkinRender.h"
#include "skin/form/SkinWindowMessages.h"
#include "tests/native/skin_data/TestSkin.h"
#include "tests/wine/skin_checks/ChecksTestSupport.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/support/InputScript.h"
#include "tests/wine/support/ScreenColours.h"

namespace {

// A box that publishes a DataField, as data-aware boxes do.
class TDataCheckBox : public TCheckBox {
 public:
  using TCheckBox::TCheckBox;
  void DescribeProperties(TPropertyTable& table) override {
    TCheckBox::DescribeProperties(table);
    table.Text("DataField", [] { return std::string("Done"); });
  }
};

// A box bound through DataBinding whose State property tells nothing.
class TBoundCheckBox : public TCheckBox {
 public:
  using TCheckBox::TCheckBox;
  void DescribeProperties(TPropertyTable& table) override {
    TCheckBox::DescribeProperties(table);
    table.Enum("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, [] { return 0; });
    table.Text("DataBinding", [] { return std::string("Field"); });
  }
};

// A box whose State says grey whatever the window shows.
class TGreyStateBox : public TCheckBox {
 public:
  using TCheckBox::TCheckBox;
  void DescribeProperties(TPropertyTable& table) override {
    TCheckBox::DescribeProperties(table);
    table.Enum("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, [] { return 2; });
  }
};

constexpr int kCell = 13;

class SkinChecksTest : public SkinControlsTest {
 protected:
  // A form built by `build`, skinned by a test skin whose check strip has
  // `check_cells` cells and radio strip `radio_cells` (0: none).
  TForm& ShowWithStrips(int check_cells, int radio_cells,
                        const std::function<void(TForm&)>& build) {
    TTestSkin skin;
    std::string buttons = "\n[Buttons]\nBitmap=buttons.bmp\n";
    if (check_cells) {
      buttons += "CheckButton=check.bmp\nCheckButtonFrame=" + std::to_string(check_cells) + "\n";
      skin.Bitmap("check.bmp", Strip(3, check_cells, kCell, kCell));
    }
    if (radio_cells) {
      buttons += "RadioButton=radio.bmp\nRadioButtonFrame=" + std::to_string(radio_cells) + "\n";
      skin.Bitmap("radio.bmp", Strip(7, radio_cells, kCell, kCell));
    }
    skin.Ini("[Colours]\nButtonFace=200 210 220\nButtonText=20 30 40\nButtonShadow=90 90 90\n" +
             buttons);
    skin.Bitmap("buttons.bmp", TBitmap(40, 20, RGBColour(150, 160, 170)));
    TForm& form = MakeForm(MainLikeStyle());
    build(form);
    auto& data = OwnedComponent<TSkinData>(form, Environment());
    data.BeginLoading();
    data.Loaded();
    LoadPackage(data, skin.Package());
    data.SetActive(true);
    form.Show();
    SetForegroundWindow(form.Handle());
    EXPECT_TRUE(WaitSkinned(form.Handle()));
    Pump(150);
    return form;
  }

  // The box's rectangle on the screen: at the left, or at the right
  // `inset` pixels in, vertically centred.
  static RECT BoxRect(HWND window, bool right = false, int inset = 0) {
    RECT client{};
    GetClientRect(window, &client);
    const int left = right ? client.right - kCell - inset : 0;
    const POINT p = ScreenPoint(window, left, (client.bottom - kCell) / 2);
    return RECT{p.x, p.y, p.x + kCell, p.y + kCell};
  }

  // Which cell of a test strip (seed `seed`) the box shows: each cell is
  // one colour, read at the box's middle; 0 when none. What was drawn
  // reaches the screen while messages are processed.
  int StripCell(HWND window, int seed, int cells, bool right = false, int inset = 0) {
    Pump(40);
    const TBitmap shot = Capture(BoxRect(window, right, inset));
    const TColor middle = shot.Pixel(kCell / 2, kCell / 2) & 0xFFFFFF;
    for (int k = 1; k <= cells; ++k) {
      if ((ColorToRGB(CellColour(seed, k)) & 0xFFFFFF) == middle) return k;
    }
    return 0;
  }

  // Which cell of a skin's strip the box shows over the face colour; 0 when
  // none matches well.
  static int SkinCell(HWND window, const TBitmap& strip, int cells, const TSkinData& data,
                      bool right = false, int inset = 0) {
    return ShownStripCell(Capture(BoxRect(window, right, inset)), strip, cells,
                          data.Colours().ButtonFace, kSkinDpi, 6, 0.97);
  }
  static int CheckCell(HWND window, const TSkinData& data, bool right = false) {
    const TDataSkinButton& b = data.Buttons();
    return SkinCell(window, b.CheckBitmap, b.CheckButtonFrame, data, right);
  }
  static int RadioCell(HWND window, const TSkinData& data) {
    const TDataSkinButton& b = data.Buttons();
    return SkinCell(window, b.RadioBitmap, b.RadioButtonFrame, data);
  }
  // The caption area of a box at the left.
  static RECT CaptionRect(HWND window) {
    RECT r = WindowRect(window);
    r.left += kCell + 2;
    return r;
  }
};

TEST_F(SkinChecksTest, EveryStateShowsItsCellAndCaptionsReadUnderEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    std::vector<TCheckBox*> boxes;
    std::vector<TRadioButton*> radios;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      const wchar_t* names[] = {L"Unchecked",   L"Checked",         L"Mixed",
                                L"Off, greyed", L"Checked, greyed", L"Mixed, greyed"};
      for (int i = 0; i < 6; ++i) {
        boxes.push_back(
            &Add<TCheckBox>(f, f, 20 + (i / 3) * 200, 20 + (i % 3) * 30, 180, 24, names[i]));
        boxes.back()->SetState(static_cast<TCheckBoxState>(i % 3));
        boxes.back()->SetEnabled(i < 3);
      }
      TGroupBox& group = Add<TGroupBox>(f, f, 20, 120, 380, 110, L"Radio");
      const wchar_t* radio_names[] = {L"First", L"Second", L"Greyed"};
      for (int i = 0; i < 3; ++i) {
        radios.push_back(&Add<TRadioButton>(f, group, 12, 22 + i * 28, 160, 24, radio_names[i]));
      }
      radios[1]->SetChecked(true);
      radios[2]->SetEnabled(false);
    });
    const TSkinData& data = DataOf(form);
    ASSERT_EQ(data.Buttons().CheckButtonFrame, 12);
    ASSERT_EQ(data.Buttons().RadioButtonFrame, 8);
    // Unchecked, checked, mixed; then the same greyed.
    const int expected[] = {1, 5, 9, 4, 8, 12};
    for (int i = 0; i < 6; ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(CheckCell(boxes[i]->Handle(), data), expected[i]);
    }
    EXPECT_EQ(RadioCell(radios[0]->Handle(), data), 1);
    EXPECT_EQ(RadioCell(radios[1]->Handle(), data), 5);
    EXPECT_EQ(RadioCell(radios[2]->Handle(), data), 4);
    // The captions read on the skin's face.
    const double needed = skin == 3 ? 7.0 : 4.5;
    for (TWinControl* c :
         {static_cast<TWinControl*>(boxes[1]), static_cast<TWinControl*>(radios[0])}) {
      const auto look = screen_colours::ReadText(Capture(CaptionRect(c->Handle())));
      EXPECT_EQ(look.back, ColorToRGB(data.Colours().ButtonFace) & 0xFFFFFF);
      EXPECT_GE(look.ratio, needed);
    }
    SaveShot(form.Handle(), std::string("states-") + kSkinFiles[skin]);
    form.SetVisible(false);
  }
}

TEST_F(SkinChecksTest, TheMouseShowsHotAndPressedAndItsClicksChangeTheRealState) {
  for (int skin : {1, 2}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TCheckBox* box = nullptr;
    TForm& form = ShowSkinned(
        skin, [&](TForm& f) { box = &Add<TCheckBox>(f, f, 20, 20, 180, 24, L"Under the mouse"); });
    const TSkinData& data = DataOf(form);
    const HWND window = box->Handle();
    ASSERT_EQ(CheckCell(window, data), 1);
    const POINT on = Centre(BoxRect(window));
    MoveTo(on);
    EXPECT_TRUE(PumpUntil([&] { return CheckCell(window, data) == 2; }, 3000)) << "hot";
    input::Press(on.x, on.y);
    EXPECT_TRUE(PumpUntil([&] { return CheckCell(window, data) == 3; }, 3000)) << "pressed";
    input::Release(on.x, on.y);
    EXPECT_TRUE(PumpUntil([&] { return box->Checked(); }, 3000));
    EXPECT_TRUE(PumpUntil([&] { return CheckCell(window, data) == 6; }, 3000)) << "checked and hot";
    Park();
    EXPECT_TRUE(PumpUntil([&] { return CheckCell(window, data) == 5; }, 3000));
    // Space on the focused box: pressed while held, unchecked after.
    input::Key(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return !box->Checked(); }, 3000));
    EXPECT_TRUE(PumpUntil([&] { return CheckCell(window, data) == 1; }, 3000));
    form.SetVisible(false);
  }
}

TEST_F(SkinChecksTest, FocusStaysVisibleWhileAccessKeysFollowTheKeyboardCues) {
  for (int skin : {1, 2, 3}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TCheckBox* keep = nullptr;
    TCheckBox* plain = nullptr;
    TCheckBox* other = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      keep = &Add<TCheckBox>(f, f, 20, 20, 180, 24, L"&Keep files");
      plain = &Add<TCheckBox>(f, f, 20, 60, 180, 24, L"Keep files");
      other = &Add<TCheckBox>(f, f, 20, 100, 180, 24, L"Other");
    });
    const TSkinData& data = DataOf(form);
    const TColor ink = data.Colours().ButtonText;
    // As after a mouse click: the system tells each window that focus
    // rectangles and underlines are to be hidden.
    for (HWND w : {form.Handle(), keep->Handle(), plain->Handle(), other->Handle()}) {
      SendMessageW(w, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
    }
    SetFocus(other->Handle());
    Pump(150);
    const TBitmap unfocused = Capture(CaptionRect(keep->Handle()));
    SetFocus(keep->Handle());
    Pump(150);
    const TBitmap focused = Capture(CaptionRect(keep->Handle()));
    EXPECT_LT(MatchingShare(focused, unfocused, 0), 1.0) << "the focus shows all the same";
    EXPECT_EQ(CheckCell(keep->Handle(), data), 1);
    // The access key's underline shows exactly when the window says the
    // keyboard cues are to show (a system set to show them always says so
    // all the time).
    const bool underlines = !(SendMessageW(keep->Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL);
    const int with_key = CountColour(unfocused, ink, 40);
    const int without = CountColour(Capture(CaptionRect(plain->Handle())), ink, 40);
    if (underlines) {
      EXPECT_GT(with_key, without + 3);
    } else {
      EXPECT_EQ(with_key, without);
    }
    SaveShot(form.Handle(), std::string("focus-") + kSkinFiles[skin]);
    form.SetVisible(false);
  }
}

// A dialog of the system's own making with one automatic check box and one
// automatic radio button, laid out in dialog units.
std::vector<WORD> CheckDialogTemplate() {
  std::vector<WORD> t;
  auto add_dword = [&](DWORD v) {
    t.push_back(LOWORD(v));
    t.push_back(HIWORD(v));
  };
  auto add_text = [&](const wchar_t* text) {
    for (const wchar_t* c = text; *c; ++c) t.push_back(*c);
    t.push_back(0);
  };
  auto align = [&] {
    if (t.size() % 2) t.push_back(0);
  };
  add_dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_MODALFRAME);
  add_dword(0);
  t.push_back(2);  // controls
  t.push_back(10), t.push_back(10), t.push_back(160), t.push_back(70);
  t.push_back(0), t.push_back(0);  // no menu, the dialog class
  add_text(L"Options");
  t.push_back(8);
  add_text(L"MS Shell Dlg");
  const struct {
    DWORD style;
    short y;
    WORD id;
    const wchar_t* text;
  } items[] = {{WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 10, 101, L"Keep"},
               {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON, 30, 102, L"Choose"}};
  for (const auto& item : items) {
    align();
    add_dword(item.style);
    add_dword(0);
    t.push_back(10), t.push_back(static_cast<WORD>(item.y)), t.push_back(120), t.push_back(12);
    t.push_back(item.id);
    t.push_back(0xFFFF), t.push_back(0x0080);  // the button class
    add_text(item.text);
    t.push_back(0);
  }
  return t;
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT msg, WPARAM, LPARAM) {
  return msg == WM_INITDIALOG ? TRUE : FALSE;
}

TEST_F(SkinChecksTest, BareButtonWindowsOfADialogGetTheSkinsBoxOverTheirOwnDrawing) {
  TForm& form = ShowSkinned(1, [](TForm&) {});
  const TSkinData& data = DataOf(form);
  const std::vector<WORD> dialog_template = CheckDialogTemplate();
  const HWND dialog = CreateDialogIndirectParamW(
      GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(dialog_template.data()),
      form.Handle(), &PlainDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  ShowWindow(dialog, SW_SHOW);
  SetForegroundWindow(dialog);
  ASSERT_TRUE(WaitSkinned(dialog));
  const HWND check = GetDlgItem(dialog, 101);
  const HWND radio = GetDlgItem(dialog, 102);
  EXPECT_EQ(SendMessageW(check, SKM_ISSKINNED, 0, 0), 1);
  EXPECT_EQ(SendMessageW(radio, SKM_ISSKINNED, 0, 0), 1);
  EXPECT_TRUE(PumpUntil([&] { return CheckCell(check, data) == 1; }, 3000));
  EXPECT_TRUE(PumpUntil([&] { return RadioCell(radio, data) == 1; }, 3000));
  // The window's own clicks: the system checks, the skin shows it.
  Click(Centre(BoxRect(check)));
  Park();
  EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(PumpUntil([&] { return CheckCell(check, data) == 5; }, 3000));
  Click(Centre(BoxRect(radio)));
  Park();
  EXPECT_EQ(SendMessageW(radio, BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_TRUE(PumpUntil([&] { return RadioCell(radio, data) == 5; }, 3000));
  SaveShot(dialog, "dialog-nightfall");
  DestroyWindow(dialog);
  Pump(100);
}

TEST_F(SkinChecksTest, RadioCheckMovesWithClicksAndArrowKeysOnTheScreen) {
  TRadioGroup* group = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    group = &OwnedComponent<TRadioGroup>(f);
    group->SetBounds(20, 20, 240, 120);
    group->SetCaption(L"Bit rate");
    group->SetItems({L"96 kbit/s", L"128 kbit/s", L"192 kbit/s"});
    group->SetItemIndex(0);
    group->SetParent(&f);
  });
  const TSkinData& data = DataOf(form);
  auto shown = [&](int i) { return RadioCell(group->Button(i).Handle(), data); };
  ASSERT_EQ(shown(0), 5);
  EXPECT_EQ(shown(1), 1);
  Click(Centre(BoxRect(group->Button(1).Handle())));
  Park();
  EXPECT_EQ(group->ItemIndex(), 1);
  EXPECT_TRUE(PumpUntil([&] { return shown(1) == 5 && shown(0) == 1; }, 3000));
  input::Key(VK_DOWN);
  EXPECT_TRUE(PumpUntil([&] { return group->ItemIndex() == 2; }, 3000));
  EXPECT_TRUE(PumpUntil([&] { return shown(2) == 5 && shown(1) == 1; }, 3000));
  SaveShot(form.Handle(), "radio-group-nightfall");
}

TEST_F(SkinChecksTest, FourCellStripsShowGreyDisabledAndDataAwareStates) {
  TCheckBox* plain = nullptr;
  TCheckBox* grey = nullptr;
  TCheckBox* off_checked = nullptr;
  TCheckBox* off_unchecked = nullptr;
  TDataCheckBox* data_aware = nullptr;
  TBoundCheckBox* bound = nullptr;
  TRadioButton* radio = nullptr;
  ShowWithStrips(4, 4, [&](TForm& f) {
    plain = &Add<TCheckBox>(f, f, 20, 20, 160, 24, L"Plain");
    grey = &Add<TCheckBox>(f, f, 20, 50, 160, 24, L"Grey");
    grey->SetState(cbGrayed);
    off_checked = &Add<TCheckBox>(f, f, 20, 80, 160, 24, L"Off, checked");
    off_checked->SetChecked(true);
    off_checked->SetEnabled(false);
    off_unchecked = &Add<TCheckBox>(f, f, 20, 110, 160, 24, L"Off");
    off_unchecked->SetEnabled(false);
    data_aware = &Add<TDataCheckBox>(f, f, 20, 140, 160, 24, L"Data");
    bound = &Add<TBoundCheckBox>(f, f, 20, 170, 160, 24, L"Bound");
    radio = &Add<TRadioButton>(f, f, 20, 200, 160, 24, L"Radio");
  });
  EXPECT_EQ(StripCell(plain->Handle(), 3, 4), 1);
  EXPECT_EQ(StripCell(grey->Handle(), 3, 4), 4);
  EXPECT_EQ(StripCell(off_checked->Handle(), 3, 4), 4);
  EXPECT_EQ(StripCell(off_unchecked->Handle(), 3, 4), 3);
  plain->SetChecked(true);
  EXPECT_EQ(StripCell(plain->Handle(), 3, 4), 2);
  // A grey box disabled stays in the grey cell.
  grey->SetEnabled(false);
  EXPECT_EQ(StripCell(grey->Handle(), 3, 4), 4);

  const int told[][2] = {{0, 1}, {1, 2}, {2, 4}, {0, 1}};
  for (const auto& [check, cell] : told) {
    SendMessageW(data_aware->Handle(), BM_SETCHECK, check, 0);
    EXPECT_EQ(StripCell(data_aware->Handle(), 3, 4), cell) << "told " << check;
  }
  // A bound box shows what its window holds.
  SendMessageW(bound->Handle(), BM_SETCHECK, BST_CHECKED, 0);
  EXPECT_EQ(StripCell(bound->Handle(), 3, 4), 2);

  EXPECT_EQ(StripCell(radio->Handle(), 7, 4), 1);
  radio->SetChecked(true);
  EXPECT_EQ(StripCell(radio->Handle(), 7, 4), 2);
  radio->SetEnabled(false);
  EXPECT_EQ(StripCell(radio->Handle(), 7, 4), 4);
}

TEST_F(SkinChecksTest, WiderStripsAreReadAsRowsOfFour) {
  TCheckBox* checked = nullptr;
  TCheckBox* grey_state = nullptr;
  TCheckBox* off = nullptr;
  TRadioButton* radio = nullptr;
  TRadioButton* radio_off = nullptr;
  ShowWithStrips(12, 8, [&](TForm& f) {
    checked = &Add<TCheckBox>(f, f, 20, 20, 160, 24, L"Checked");
    checked->SetChecked(true);
    grey_state = &Add<TGreyStateBox>(f, f, 20, 50, 160, 24, L"Grey by State");
    off = &Add<TCheckBox>(f, f, 20, 80, 160, 24, L"Off");
    off->SetEnabled(false);
    radio = &Add<TRadioButton>(f, f, 20, 110, 160, 24, L"Radio");
    radio->SetChecked(true);
    TPanel& panel = Add<TPanel>(f, f, 20, 140, 200, 30);
    radio_off = &Add<TRadioButton>(f, panel, 0, 3, 160, 24, L"Radio off");
    radio_off->SetChecked(true);
    radio_off->SetEnabled(false);
  });
  EXPECT_EQ(StripCell(checked->Handle(), 3, 12), 5);
  EXPECT_EQ(StripCell(off->Handle(), 3, 12), 4);
  // Grey by its State alone: the checked greyed cell; the window showing
  // the mixed state: the mixed cell.
  EXPECT_EQ(StripCell(grey_state->Handle(), 3, 12), 8);
  SendMessageW(grey_state->Handle(), BM_SETCHECK, BST_INDETERMINATE, 0);
  EXPECT_EQ(StripCell(grey_state->Handle(), 3, 12), 9);
  grey_state->SetEnabled(false);
  EXPECT_EQ(StripCell(grey_state->Handle(), 3, 12), 12);
  EXPECT_EQ(StripCell(radio->Handle(), 7, 8), 5);
  EXPECT_EQ(StripCell(radio_off->Handle(), 7, 8), 8);
}

TEST_F(SkinChecksTest, CaptionAtTheLeftPutsTheBoxAtTheRightAndReadsRightToLeft) {
  TCheckBox* left_text = nullptr;
  TCheckBox* rtl = nullptr;
  TRadioButton* radio = nullptr;
  TForm& form = ShowWithStrips(4, 4, [&](TForm& f) {
    left_text = &Add<TCheckBox>(f, f, 20, 20, 200, 24, L"Caption first");
    left_text->SetLeftText(true);
    rtl = &Add<TCheckBox>(f, f, 20, 50, 200, 24, L"Right to left");
    rtl->SetRightToLeft(true);
    radio = &Add<TRadioButton>(f, f, 20, 80, 200, 24, L"Radio first");
    radio->SetLeftText(true);
  });
  const TColor ink = RGBColour(20, 30, 40);
  EXPECT_EQ(StripCell(left_text->Handle(), 3, 4, true), 1);
  EXPECT_EQ(StripCell(left_text->Handle(), 3, 4), 0) << "nothing of the box at the left";
  EXPECT_EQ(StripCell(radio->Handle(), 7, 4, true, 1), 1) << "radio boxes sit a pixel in";
  EXPECT_EQ(StripCell(rtl->Handle(), 3, 4, true), 1);
  // Where the text lies: from the left for the first, against the box for
  // the right-to-left one.
  auto ink_columns = [&](HWND window) {
    const TBitmap shot = Capture(WindowRect(window));
    int first = -1, last = -1;
    for (int x = 0; x < shot.Width() - kCell - 2; ++x) {
      for (int y = 0; y < shot.Height(); ++y) {
        if ((shot.Pixel(x, y) & 0xFFFFFF) == (ColorToRGB(ink) & 0xFFFFFF)) {
          if (first < 0) first = x;
          last = x;
          break;
        }
      }
    }
    return std::pair{first, last};
  };
  const auto [first_ltr, last_ltr] = ink_columns(left_text->Handle());
  EXPECT_GE(first_ltr, 0);
  EXPECT_LT(first_ltr, 6);
  const auto [first_rtl, last_rtl] = ink_columns(rtl->Handle());
  EXPECT_GT(first_rtl, 60);
  EXPECT_GT(last_rtl, 200 - kCell - 10);
  SaveShot(form.Handle(), "left-text-and-rtl");
}

TEST_F(SkinChecksTest, Tag5555ShowsTheParentsColourBehindTheCaption) {
  TCheckBox* see_through = nullptr;
  TCheckBox* plain = nullptr;
  const TColor red = RGBColour(190, 40, 40);
  TForm& form = ShowWithStrips(4, 4, [&](TForm& f) {
    // A panel the skin leaves alone keeps its own colour.
    TPanel& panel = Add<TPanel>(f, f, 20, 20, 260, 90);
    panel.SetTag(99);
    panel.SetColor(red);
    see_through = &Add<TCheckBox>(f, panel, 10, 10, 200, 24, L"See-through");
    see_through->SetTag(5555);
    plain = &Add<TCheckBox>(f, panel, 10, 50, 200, 24, L"On the face");
  });
  const TSkinData& data = *EngineOf(form.Handle())->SkinData();
  ASSERT_EQ(data.DisableTag(), 99);
  auto back = [&](HWND w) { return screen_colours::ReadText(Capture(CaptionRect(w))).back; };
  EXPECT_EQ(back(see_through->Handle()), ColorToRGB(red) & 0xFFFFFF);
  EXPECT_EQ(back(plain->Handle()), ColorToRGB(data.Colours().ButtonFace) & 0xFFFFFF);
  EXPECT_EQ(StripCell(see_through->Handle(), 3, 4), 1);
  SaveShot(form.Handle(), "see-through");
}

TEST_F(SkinChecksTest, WithoutTheStripOrWithTheSkinOffTheSystemLookStays) {
  TCheckBox* skinned = nullptr;
  TCheckBox* reference = nullptr;
  TForm& form = ShowWithStrips(0, 4, [&](TForm& f) {
    skinned = &Add<TCheckBox>(f, f, 20, 20, 160, 24, L"Box");
    skinned->SetChecked(true);
    reference = &Add<TCheckBox>(f, f, 20, 60, 160, 24, L"Box");
    reference->SetChecked(true);
    reference->SetTag(99);
  });
  auto same_box = [&] {
    const TBitmap a = Capture(BoxRect(skinned->Handle()));
    const TBitmap b = Capture(BoxRect(reference->Handle()));
    return MatchingShare(a, b, 0) == 1.0;
  };
  TSkinControl* object = ObjectOf(form, *skinned);
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(object->Mode(), 0);
  EXPECT_TRUE(same_box()) << "the system's box, checked";
  skinned->SetChecked(false);
  reference->SetChecked(false);
  Pump(100);
  EXPECT_TRUE(same_box());
}

// Counts the colour requests of a button at its parent: the system's button
// asks for its colours each time it draws itself.
LRESULT CALLBACK CountColourRequests(HWND window, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                     DWORD_PTR ref) {
  auto* count = reinterpret_cast<std::pair<HWND, int>*>(ref);
  if ((msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLORBTN) &&
      reinterpret_cast<HWND>(lp) == count->first) {
    ++count->second;
  }
  return DefSubclassProc(window, msg, wp, lp);
}

TEST_F(SkinChecksTest, ADisabledBoxNeverShowsTheSystemLookWhileItChanges) {
  TCheckBox* box = nullptr;
  TForm& form = ShowWithStrips(4, 4, [&](TForm& f) {
    box = &Add<TCheckBox>(f, f, 20, 20, 160, 24, L"Flicker");
    box->SetChecked(true);
    box->SetEnabled(false);
  });
  const HWND window = box->Handle();
  std::pair<HWND, int> system_paints{window, 0};
  SetWindowSubclass(form.Handle(), &CountColourRequests, 1,
                    reinterpret_cast<DWORD_PTR>(&system_paints));
  for (int i = 0; i < 10; ++i) {
    EnableWindow(window, TRUE);
    EXPECT_EQ(StripCell(window, 3, 4), 2) << i;
    EnableWindow(window, FALSE);
    EXPECT_EQ(StripCell(window, 3, 4), 4) << i;
    SendMessageW(window, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(StripCell(window, 3, 4), 3) << i;
    SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(StripCell(window, 3, 4), 4) << i;
  }
  // Enabled, clicked and focused as well: the system never drew the box,
  // not even for a moment between two skinned paints.
  EnableWindow(window, TRUE);
  Click(Centre(BoxRect(window)));
  Park();
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(system_paints.second, 0);
  RemoveWindowSubclass(form.Handle(), &CountColourRequests, 1);
}

TEST_F(SkinChecksTest, SwitchedOffAndOnTheBoxesGiveBackAndTakeAgain) {
  TCheckBox* box = nullptr;
  TCheckBox* reference = nullptr;
  TRadioButton* radio = nullptr;
  TForm& form = ShowWithStrips(4, 4, [&](TForm& f) {
    box = &Add<TCheckBox>(f, f, 20, 20, 160, 24, L"Box");
    reference = &Add<TCheckBox>(f, f, 20, 60, 160, 24, L"Box");
    reference->SetTag(99);
    radio = &Add<TRadioButton>(f, f, 20, 100, 160, 24, L"Radio");
  });
  TSkinData& data = *EngineOf(form.Handle())->SkinData();
  const LONG_PTR style = GetWindowLongPtrW(box->Handle(), GWL_STYLE);
  ASSERT_EQ(SendMessageW(box->Handle(), SKM_ISSKINNED, 0, 0), 1);
  ASSERT_EQ(StripCell(box->Handle(), 3, 4), 1);
  for (int round = 0; round < 2; ++round) {
    SwitchSkin(form, data, false);
    EXPECT_NE(SendMessageW(box->Handle(), SKM_ISSKINNED, 0, 0), 1);
    EXPECT_NE(SendMessageW(radio->Handle(), SKM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(GetWindowLongPtrW(box->Handle(), GWL_STYLE), style);
    RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(
        MatchingShare(Capture(BoxRect(box->Handle())), Capture(BoxRect(reference->Handle())), 0),
        1.0)
        << "the system's look, as the box left alone shows it";
    SwitchSkin(form, data, true);
    EXPECT_EQ(SendMessageW(box->Handle(), SKM_ISSKINNED, 0, 0), 1);
    EXPECT_EQ(StripCell(box->Handle(), 3, 4), 1);
    EXPECT_EQ(StripCell(radio->Handle(), 7, 4), 1);
    // Clicks after coming back still change the real state.
    Click(Centre(BoxRect(box->Handle())));
    Park();
    EXPECT_TRUE(box->Checked());
    EXPECT_TRUE(PumpUntil([&] { return StripCell(box->Handle(), 3, 4) == 2; }, 3000));
    box->SetChecked(false);
  }
}

}  // namespace
