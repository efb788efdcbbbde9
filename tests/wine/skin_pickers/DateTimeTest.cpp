// Skinned date pickers under real input: the skinned arrow over the
// picker's own button opens the real calendar and gives the picker the
// focus, a day clicked in the calendar or typed in the field becomes the
// picker's value, the field reads in the skin's content colours, and the
// arrow goes with the skin and comes back with it.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "framework/DateTimePicker.h"
#include "skin/controls/SkinDateTime.h"
#include "skin/data/WinSkinData.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/skin_pickers/PickerTestSupport.h"
#include "tests/wine/support/InputScript.h"

namespace {

SYSTEMTIME Day(int year, int month, int day) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(year);
  st.wMonth = static_cast<WORD>(month);
  st.wDay = static_cast<WORD>(day);
  st.wHour = 10;
  return st;
}

class DateTimeTest : public SkinControlsTest {
 protected:
  TDateTimePicker& Picker(TForm& form, int left, int top, const SYSTEMTIME& value) {
    TDateTimePicker& picker = OwnedComponent<TDateTimePicker>(form);
    picker.SetBounds(left, top, 200, 24);
    picker.SetDateTime(value);
    picker.SetParent(&form);
    return picker;
  }
  static HWND ArrowOf(const TDateTimePicker& picker) {
    return FindWindowExW(picker.Handle(), nullptr, L"TonmillPickerArrow", nullptr);
  }
  static HWND Calendar(const TDateTimePicker& picker) {
    auto* calendar = reinterpret_cast<HWND>(SendMessageW(picker.Handle(), DTM_GETMONTHCAL, 0, 0));
    return calendar && IsWindowVisible(calendar) ? calendar : nullptr;
  }
  // The screen point of `day` in the open calendar, found by asking the
  // calendar what lies under points of its face.
  static bool DayPoint(HWND calendar, const SYSTEMTIME& day, POINT& found) {
    RECT client{};
    GetClientRect(calendar, &client);
    for (int y = 0; y < client.bottom; y += 3) {
      for (int x = 0; x < client.right; x += 3) {
        MCHITTESTINFO hit{};
        hit.cbSize = sizeof hit;
        hit.pt = {x, y};
        SendMessageW(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if (hit.uHit == MCHT_CALENDARDATE && hit.st.wYear == day.wYear &&
            hit.st.wMonth == day.wMonth && hit.st.wDay == day.wDay) {
          found = {x + 1, y + 1};
          ClientToScreen(calendar, &found);
          return true;
        }
      }
    }
    return false;
  }
  static bool IsDay(const TDateTimePicker& picker, int year, int month, int day) {
    const SYSTEMTIME& st = picker.DateTime();
    return st.wYear == year && st.wMonth == month && st.wDay == day;
  }
};

TEST_F(DateTimeTest, TheSkinnedArrowOpensTheCalendarAndADayClickedThereIsTheValue) {
  TDateTimePicker* picker = nullptr;
  TDateTimePicker* other = nullptr;
  int changes = 0;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    picker = &Picker(f, 20, 20, Day(2024, 3, 14));
    picker->OnChange = [&](TObject*) { ++changes; };
    other = &Picker(f, 20, 300, Day(2020, 1, 1));
  });
  ASSERT_TRUE(dynamic_cast<TSkinDateTime*>(ObjectOf(form, *picker)));
  const HWND arrow = ArrowOf(*picker);
  ASSERT_TRUE(arrow);
  // The arrow lies over the picker's right end, where its own button is.
  const RECT a = WindowRect(arrow), p = ClientScreenRect(picker->Handle());
  EXPECT_EQ(a.right, p.right);
  EXPECT_EQ(a.top, p.top);
  EXPECT_EQ(a.bottom, p.bottom);
  EXPECT_GE(a.right - a.left, 10);

  SetFocus(other->Handle());
  Pump(50);
  Click(Centre(a));
  ASSERT_TRUE(PumpUntil([&] { return Calendar(*picker) != nullptr; }, 5000)) << "no calendar";
  const HWND calendar = Calendar(*picker);
  // The focus is with the picker (or inside the calendar it opened).
  const HWND focus = GetFocus();
  EXPECT_TRUE(focus == picker->Handle() || focus == calendar || IsChild(calendar, focus));
  SaveShot(RECT{p.left - 10, p.top - 10, p.left + 300, p.top + 220}, "datetime-calendar");

  POINT day{};
  ASSERT_TRUE(DayPoint(calendar, Day(2024, 3, 20), day)) << "no 20 March in the calendar";
  Click(day);
  ASSERT_TRUE(PumpUntil([&] { return IsDay(*picker, 2024, 3, 20); }, 5000)) << picker->DateText();
  EXPECT_GE(changes, 1);
  EXPECT_TRUE(PumpUntil([&] { return Calendar(*picker) == nullptr; }, 5000));
  EXPECT_EQ(GetFocus(), picker->Handle());
  // The picker shows it too.
  SYSTEMTIME shown{};
  SendMessageW(picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
  EXPECT_EQ(shown.wDay, 20);
}

TEST_F(DateTimeTest, KeysStillEditTheFieldsOfASkinnedPicker) {
  TDateTimePicker* picker = nullptr;
  int changes = 0;
  TForm& form = ShowSkinned(3, [&](TForm& f) {
    picker = &Picker(f, 20, 20, Day(2024, 3, 14));
    picker->OnChange = [&](TObject*) { ++changes; };
  });
  ASSERT_TRUE(dynamic_cast<TSkinDateTime*>(ObjectOf(form, *picker)));
  // A click in the field gives it the focus; the arrow keys then move the
  // field's part, whichever of day, month or year it is.
  Click(ScreenPoint(picker->Handle(), 12, 10));
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == picker->Handle(); }, 3000));
  const std::string before = picker->DateText();
  input::Key(VK_UP);
  ASSERT_TRUE(PumpUntil([&] { return picker->DateText() != before; }, 3000));
  EXPECT_EQ(changes, 1);
  const std::string up = picker->DateText();
  input::Key(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return picker->DateText() == before; }, 3000)) << up;
  EXPECT_EQ(changes, 2);
  // The calendar opens from the keyboard as well (F4), and Escape closes it
  // without a change.
  input::Key(VK_F4);
  if (PumpUntil([&] { return Calendar(*picker) != nullptr; }, 2000)) {
    input::Key(VK_ESCAPE);
    EXPECT_TRUE(PumpUntil([&] { return Calendar(*picker) == nullptr; }, 3000));
    EXPECT_EQ(picker->DateText(), before);
  }
}

TEST_F(DateTimeTest, TheFieldReadsInTheSkinsContentColoursUnderEverySkin) {
  for (int skin = 0; skin < 5; ++skin) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TDateTimePicker* picker = nullptr;
    TForm& form =
        ShowSkinned(skin, [&](TForm& f) { picker = &Picker(f, 20, 20, Day(2028, 8, 28)); });
    TSkinData& data = DataOf(form);
    RedrawWindow(picker->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(80);
    const RECT field = ClientScreenRect(picker->Handle());
    const RECT arrow = WindowRect(ArrowOf(*picker));
    const TBitmap shot = Capture({field.left, field.top, arrow.left, field.bottom});
    // The field's background: its most common colour, the skin's Window.
    std::map<TColor, int> counts;
    for (int y = 0; y < shot.Height(); ++y) {
      for (int x = 0; x < shot.Width(); ++x) ++counts[shot.Pixel(x, y)];
    }
    TColor back = clNone;
    int most = 0;
    for (const auto& [colour, count] : counts) {
      if (count > most) most = count, back = colour;
    }
    EXPECT_TRUE(Near(back, data.Colours().Window, 6)) << std::hex << back;
    // The date's text reads on it.
    double best = 0;
    for (const auto& [colour, count] : counts)
      best = std::max(best, screen_colours::ContrastRatio(colour, back));
    const double need = std::string(kSkinFiles[skin]) == "contrast" ? 7.0 : 4.5;
    EXPECT_GE(best, need);
    // The border: the skin's shadow outside.
    const RECT outer = WindowRect(picker->Handle());
    const TBitmap edge = Capture({outer.left, outer.top, outer.right, outer.top + 1});
    EXPECT_GT(CountColour(edge, data.Colours().ButtonShadow, 6), edge.Width() * 9 / 10);
    SaveShot(form.Handle(), std::string("datetime-") + kSkinFiles[skin]);
    form.Close();
    Pump(50);
  }
}

TEST_F(DateTimeTest, TheArrowGoesWithTheSkinAndComesBackWithIt) {
  TDateTimePicker* picker = nullptr;
  TForm& form = ShowSkinned(0, [&](TForm& f) { picker = &Picker(f, 20, 20, Day(2024, 3, 14)); });
  TSkinData& data = DataOf(form);
  ASSERT_TRUE(ArrowOf(*picker));
  const auto style = [&] { return GetWindowLongPtrW(picker->Handle(), GWL_STYLE); };
  EXPECT_TRUE(style() & WS_CLIPCHILDREN);

  SwitchSkin(form, data, false);
  EXPECT_FALSE(ArrowOf(*picker));
  EXPECT_FALSE(style() & WS_CLIPCHILDREN);
  EXPECT_EQ(ObjectOf(form, *picker), nullptr);
  // The picker's own button opens the calendar.
  const RECT p = ClientScreenRect(picker->Handle());
  Click({p.right - 6, (p.top + p.bottom) / 2});
  ASSERT_TRUE(PumpUntil([&] { return Calendar(*picker) != nullptr; }, 5000));
  // A click beside it closes it.
  Click(ScreenPoint(form.Handle(), 400, 400));
  ASSERT_TRUE(PumpUntil([&] { return Calendar(*picker) == nullptr; }, 5000));

  SwitchSkin(form, data, true);
  ASSERT_TRUE(ArrowOf(*picker));
  EXPECT_TRUE(dynamic_cast<TSkinDateTime*>(ObjectOf(form, *picker)));
  Click(Centre(WindowRect(ArrowOf(*picker))));
  ASSERT_TRUE(PumpUntil([&] { return Calendar(*picker) != nullptr; }, 5000));
  Click(ScreenPoint(form.Handle(), 400, 400));
  EXPECT_TRUE(PumpUntil([&] { return Calendar(*picker) == nullptr; }, 5000));
  EXPECT_TRUE(IsDay(*picker, 2024, 3, 14));
}

TEST_F(DateTimeTest, ARightToLeftPickerReadsRightToLeftAndItsArrowOpensTheCalendar) {
  TDateTimePicker* picker = nullptr;
  TForm& form = ShowSkinned(1, [&](TForm& f) {
    picker = &OwnedComponent<TDateTimePicker>(f);
    picker->SetRightToLeft(true);
    picker->SetBounds(20, 20, 200, 24);
    picker->SetDateTime(Day(2024, 3, 14));
    picker->SetParent(&f);
  });
  EXPECT_TRUE(GetWindowLongPtrW(picker->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING);
  const HWND arrow = ArrowOf(*picker);
  ASSERT_TRUE(arrow);
  // The arrow lies over the picker's own button, at its right end.
  const RECT a = WindowRect(arrow), client = ClientScreenRect(picker->Handle());
  EXPECT_EQ(a.right, client.right);
  Click(Centre(a));
  EXPECT_TRUE(PumpUntil([&] { return Calendar(*picker) != nullptr; }, 5000));
  Click(ScreenPoint(form.Handle(), 400, 400));
  EXPECT_TRUE(PumpUntil([&] { return Calendar(*picker) == nullptr; }, 5000));
}

TEST_F(DateTimeTest, PickersWithoutADropDownReadInTheContentColoursToo) {
  TDateTimePicker *time = nullptr, *stepped = nullptr;
  TForm& form = ShowSkinned(3, [&](TForm& f) {
    time = &OwnedComponent<TDateTimePicker>(f);
    time->SetKind(dtkTime);
    stepped = &OwnedComponent<TDateTimePicker>(f);
    stepped->SetDateMode(dmUpDown);
    int top = 20;
    for (TDateTimePicker* picker : {time, stepped}) {
      picker->SetBounds(20, top, 200, 24);
      picker->SetDateTime(Day(2028, 8, 28));
      picker->SetParent(&f);
      top += 40;
    }
  });
  TSkinData& data = DataOf(form);
  for (TDateTimePicker* picker : {time, stepped}) {
    EXPECT_TRUE(dynamic_cast<TSkinDateTime*>(ObjectOf(form, *picker)));
    EXPECT_FALSE(ArrowOf(*picker));
    RedrawWindow(picker->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    Pump(50);
    // The field left of the picker's up-down arrows.
    const RECT field = ClientScreenRect(picker->Handle());
    const TBitmap shot = Capture({field.left, field.top, field.left + 120, field.bottom});
    const TColor back = data.Colours().Window;
    EXPECT_GT(CountColour(shot, back, 6), shot.Width() * shot.Height() / 2);
    double best = 0;
    for (int y = 0; y < shot.Height(); ++y) {
      for (int x = 0; x < shot.Width(); ++x) {
        best = std::max(best, screen_colours::ContrastRatio(shot.Pixel(x, y), back));
      }
    }
    EXPECT_GE(best, 7.0);
  }
  SaveShot(form.Handle(), "datetime-without-drop-down");
}

}  // namespace
