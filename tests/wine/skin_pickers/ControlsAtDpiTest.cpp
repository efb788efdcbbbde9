// Value and section controls at the screen's DPI, read back from the screen:
// progress bars show the skin's trough and bar cells at that DPI, track-bar
// thumbs grow with it and stay inside the bar, header sections show their
// cells and whole texts (and a sort arrow of the DPI's size), combo-box
// buttons of every drawing style are drawn where the system takes the
// press, the date picker's arrow opens its calendar, and the media player's
// glyphs are as large as the DPI makes them. The suite runs once per DPI
// (the prefix's LogPixels); TONMILL_TEST_DPI names the DPI a run expects.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/ComCtrls.h"
#include "framework/ComboBox.h"
#include "framework/DateTimePicker.h"
#include "framework/Dpi.h"
#include "framework/MediaPlayer.h"
#include "framework/StdCtrls.h"
#include "framework/TrackBar.h"
#include "skin/controls/SkinComBox.h"
#include "skin/controls/SkinHeader.h"
#include "skin/controls/SkinMediaPlayer.h"
#include "skin/controls/SkinProgress.h"
#include "skin/controls/SkinTrackBar.h"
#include "skin/data/BuiltinBitmaps.h"
#include "skin/data/SkinRender.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/ImgUtil.h"
#include "tests/wine/skin_controls/SkinControlsTestSupport.h"
#include "tests/wine/skin_pickers/PickerTestSupport.h"
#include "tests/wine/support/DpiRunSupport.h"
#include "tests/wine/support/ScreenColours.h"

namespace {

constexpr int kNightfall = 1, kDaylight = 2, kContrast = 3;
constexpr int kLookedAt[] = {kNightfall, kDaylight, kContrast};
// The tag the skin data leaves a control alone by (its DisableTag).
constexpr int kLeftAlone = 99;

std::string ShotName(const std::string& what, int skin, int dpi) {
  return what + "-" + kSkinFiles[skin] + "-" + std::to_string(dpi) + "dpi";
}

class ControlsAtDpiTest : public SkinControlsTest {
 protected:
  // The DPI the form's controls show at, checked against the run's.
  int DpiOf(HWND window) {
    const int dpi = WindowDpi(window);
    if (const int expected = dpi_run::ExpectedDpi()) {
      EXPECT_EQ(dpi, expected) << "the prefix's LogPixels did not take";
    }
    return dpi;
  }
  static void Redraw(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  static RECT ClientOnScreen(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
};

// Progress bars: the whole client is the trough cell at the DPI with the
// bar cell over its filled part, lying down or standing up.
TEST_F(ControlsAtDpiTest, ProgressBarsShowTheTroughAndBarCellsAtTheDpi) {
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TProgressBar* lying = nullptr;
    TProgressBar* standing = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      lying = &OwnedComponent<TProgressBar>(f);
      lying->SetBounds(20, 20, 260, 22);
      lying->SetParent(&f);
      lying->SetPosition(40);
      standing = &OwnedComponent<TProgressBar>(f);
      standing->SetVertical(true);
      standing->SetBounds(300, 20, 22, 150);
      standing->SetParent(&f);
      standing->SetPosition(50);
    });
    const int dpi = DpiOf(form.Handle());
    const TDataSkinObject& progress = *DataOf(form).Object(ssProgress);
    ASSERT_FALSE(progress.Bitmap.Empty());
    for (TProgressBar* bar : {lying, standing}) {
      Redraw(bar->Handle());
      Pump(50);
      const TBitmap shot = Capture(ClientOnScreen(bar->Handle()));
      const bool vertical = bar == standing;
      const int length = vertical ? shot.Height() : shot.Width();
      const int across = vertical ? shot.Width() : shot.Height();
      ASSERT_GT(length, 0);
      const int fill = ProgressFill(length, bar->Position(), 100);
      TBitmap want(length, across, DataOf(form).Colours().ButtonFace);
      want.Draw(0, 0, RenderSkinCell(progress, length, across, 2, 1, dpi), true, clFuchsia);
      want.Draw(0, 0, RenderSkinCell(progress, fill, across, 2, 2, dpi), true, clFuchsia);
      if (vertical) RotateBitmapLeft(want);
      // The same cells drawn for 96 DPI differ at their scaled margins: the
      // check tells the two apart wherever the DPI is not 96.
      EXPECT_GT(DrawnShare(shot, want, 10), 0.97) << (vertical ? "standing" : "lying");
    }
    SaveShot(form.Handle(), ShotName("progress", skin, dpi));
    form.Close();
    Pump(30);
  }
}

// Track bars: the thumb is at least as long as the system's own thumb at
// the DPI (a system that left it at its 96-DPI length gets it scaled),
// lies inside the bar, and shows the skin's thumb cell over its whole
// rectangle; the channel is as thick as the skin's track image at the DPI.
TEST_F(ControlsAtDpiTest, TrackBarThumbsGrowWithTheDpiAndStayInsideTheBar) {
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TTrackBar* lying = nullptr;
    TTrackBar* standing = nullptr;
    TTrackBar* plain = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      lying = &OwnedComponent<TTrackBar>(f);
      lying->SetBounds(20, 20, 240, 40);
      lying->SetParent(&f);
      standing = &OwnedComponent<TTrackBar>(f);
      standing->SetOrientation(trVertical);
      standing->SetBounds(280, 20, 40, 200);
      standing->SetParent(&f);
      // The same bar left to the system, for its own thumb length.
      plain = &OwnedComponent<TTrackBar>(f);
      plain->SetTag(kLeftAlone);
      plain->SetBounds(20, 120, 240, 40);
      plain->SetParent(&f);
    });
    const int dpi = DpiOf(form.Handle());
    TSkinData& data = DataOf(form);
    ASSERT_EQ(data.DisableTag(), kLeftAlone);
    ASSERT_FALSE(ObjectOf(form, *plain));
    const auto system_length =
        static_cast<int>(SendMessageW(plain->Handle(), TBM_GETTHUMBLENGTH, 0, 0));
    for (TTrackBar* bar : {lying, standing}) {
      const bool vertical = bar == standing;
      SCOPED_TRACE(vertical ? "standing" : "lying");
      auto* object = dynamic_cast<TSkinTrackBar*>(ObjectOf(form, *bar));
      ASSERT_TRUE(object);
      const TDataSkinObject* image = object->ThumbObject();
      ASSERT_TRUE(image);
      Redraw(bar->Handle());
      Pump(50);
      RECT client{}, thumb{};
      GetClientRect(bar->Handle(), &client);
      SendMessageW(bar->Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
      const int room = vertical ? client.right : client.bottom;
      const int length = vertical ? thumb.right - thumb.left : thumb.bottom - thumb.top;
      // Long enough for the DPI, where the bar has the room.
      const int cell_depth = vertical ? image->Bitmap.Width() / 5 : image->Bitmap.Height();
      if (dpi > 96 && system_length < SkinScale(cell_depth, dpi)) {
        EXPECT_GE(length, std::min(SkinScale(system_length, dpi), room - SkinScale(4, dpi)) - 1);
      } else {
        EXPECT_GE(length, system_length - 1);
      }
      // Inside the bar.
      EXPECT_GE(thumb.left, 0);
      EXPECT_GE(thumb.top, 0);
      EXPECT_LE(thumb.right, client.right);
      EXPECT_LE(thumb.bottom, client.bottom);
      // The thumb cell over the whole rectangle the control gives it.
      RECT on_screen = thumb;
      MapWindowPoints(bar->Handle(), nullptr, reinterpret_cast<POINT*>(&on_screen), 2);
      const TBitmap shot = Capture(on_screen);
      const TBitmap want = RenderSkinPart(shot.Width(), shot.Height(), image->Bitmap, {}, false,
                                          false, 5, object->ThumbCell(), dpi);
      EXPECT_GT(DrawnShare(shot, want), 0.9);
      // The channel: as thick as the track image at the DPI, across the
      // middle of the rectangle the control gives it.
      const TDataSkinObject* track = data.Object(vertical ? ssTrackVert : ssTrack);
      ASSERT_TRUE(track && !track->Bitmap.Empty());
      RECT channel{};
      SendMessageW(bar->Handle(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
      if (vertical && channel.right - channel.left > channel.bottom - channel.top) {
        channel = {channel.top, channel.left, channel.bottom, channel.right};
      }
      const int thickness =
          SkinScale(vertical ? track->Bitmap.Width() : track->Bitmap.Height(), dpi);
      // A line across the channel, away from the thumb, crosses the track
      // image's outline colour `thickness` pixels apart (give or take the
      // blend of a scaled edge).
      const int along =
          vertical ? (thumb.bottom + channel.bottom) / 2 : (thumb.right + channel.right) / 2;
      const TColor edge = track->Bitmap.Pixel(track->Bitmap.Width() / 2, 0);
      const TColor edge_v = track->Bitmap.Pixel(0, track->Bitmap.Height() / 2);
      const RECT cross = vertical ? RECT{0, along, client.right, along + 1}
                                  : RECT{along, 0, along + 1, client.bottom};
      RECT cross_screen = cross;
      MapWindowPoints(bar->Handle(), nullptr, reinterpret_cast<POINT*>(&cross_screen), 2);
      const TBitmap line = Capture(cross_screen);
      int first = -1, last = -1;
      const int n = vertical ? line.Width() : line.Height();
      for (int i = 0; i < n; ++i) {
        const TColor c = vertical ? line.Pixel(i, 0) : line.Pixel(0, i);
        if (Near(c, vertical ? edge_v : edge, 16)) {
          if (first < 0) first = i;
          last = i;
        }
      }
      ASSERT_GE(first, 0) << "no channel across the bar";
      EXPECT_NEAR(last - first + 1, thickness, std::max(2, thickness / 4));
    }
    SaveShot(form.Handle(), ShotName("trackbar", skin, dpi));
    form.Close();
    Pump(30);
  }
}

// Headers: each section shows its cell at the DPI (read at the section's
// ends, clear of the text), the whole text in the list's font of the DPI,
// and a sorted column an arrow of the DPI's size.
TEST_F(ControlsAtDpiTest, HeaderSectionsShowTheirCellsWholeTextsAndSortArrowsAtTheDpi) {
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TListView* list = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      list = &OwnedComponent<TListView>(f);
      list->AddColumn(L"File name", 140);
      list->AddColumn(L"Length", 90);
      list->AddColumn(L"State", 80);
      list->SetBounds(20, 20, 400, 140);
      list->SetParent(&f);
    });
    const int dpi = DpiOf(form.Handle());
    HWND header = ListView_GetHeader(list->Handle());
    ASSERT_TRUE(header);
    HDITEMW sorted{};
    sorted.mask = HDI_FORMAT;
    Header_GetItem(header, 1, &sorted);
    sorted.fmt |= HDF_SORTUP;
    Header_SetItem(header, 1, &sorted);
    Redraw(header);
    Pump(50);
    const TDataSkinObject& bar = *DataOf(form).Object(ssHeaderbar);
    const int frames = bar.Frame > 0 ? bar.Frame : 5;
    RECT hr{};
    GetClientRect(header, &hr);
    const TBitmap shot = Capture(ClientOnScreen(header));
    // The header is high enough for the text in the list's font.
    TWindowDC dc(header);
    TSelectObject font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(header, WM_GETFONT, 0, 0)));
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.Get(), &tm);
    EXPECT_GE(hr.bottom, tm.tmHeight);
    const TColor ink = ColorToRGB(bar.NormalColour2);
    for (int i = 0; i < 3; ++i) {
      SCOPED_TRACE(i);
      RECT section{};
      Header_GetItemRect(header, i, &section);
      const int w = section.right - section.left;
      const TBitmap cell = RenderSkinCell(bar, w, hr.bottom, frames, 1, dpi);
      // The ends of the section, where no text goes: the cell as drawn at
      // this DPI.
      const int end = std::min(SkinScale(3, dpi), w / 4);
      int drawn = 0, same = 0;
      for (int y = 0; y < hr.bottom; ++y) {
        for (int x : {0, end - 1, w - end, w - 1}) {
          if (cell.Pixel(x, y) == clFuchsia) continue;
          ++drawn;
          if (Near(shot.Pixel(section.left + x, y), cell.Pixel(x, y), 10)) ++same;
        }
      }
      ASSERT_GT(drawn, 0);
      EXPECT_GT(static_cast<double>(same) / drawn, 0.85);
      // The ink of the text (the text's colour where the cell has another)
      // lies wholly inside the header, rows to spare.
      int top = hr.bottom, bottom = -1;
      for (int y = 0; y < hr.bottom; ++y) {
        for (int x = section.left + end; x < section.right - end; ++x) {
          const TColor under = cell.Pixel(x - section.left, y);
          if (!Near(shot.Pixel(x, y), ink, 40) || Near(under, ink, 40)) continue;
          top = std::min(top, y);
          bottom = std::max(bottom, y);
        }
      }
      ASSERT_GE(bottom, 0) << "no text";
      EXPECT_GT(top, 0);
      EXPECT_LT(bottom, hr.bottom - 1);
      EXPECT_GE(bottom - top + 1, tm.tmAscent / 2);
    }
    // The sort arrow of the second column, in the text's colour, as large
    // as the DPI makes it.
    RECT second{};
    Header_GetItemRect(header, 1, &second);
    const TRect arrow = SortArrowRect({second.left, 0, second.right, hr.bottom}, dpi);
    int inked = 0;
    for (int y = arrow.top; y < arrow.bottom; ++y) {
      for (int x = arrow.left; x < arrow.right; ++x) {
        if (Near(shot.Pixel(x, y), ink, 40)) ++inked;
      }
    }
    // A triangle fills about half its box.
    EXPECT_GE(inked, arrow.Width() * arrow.Height() * 2 / 5);
    EXPECT_EQ(arrow.Width(), SkinScale(9, dpi));
    SaveShot(form.Handle(), ShotName("header", skin, dpi));
    form.Close();
    Pump(30);
  }
}

// Combo boxes: under each of the three ways a skin draws the button, lying
// at the right or mirrored at the left, the button drawn at the DPI covers
// the place the system takes presses on, and a click in the middle of
// what is drawn drops the list.
TEST_F(ControlsAtDpiTest, ComboButtonsAreDrawnWhereTheSystemTakesThePressUnderEveryStyle) {
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TComboBox* ltr = nullptr;
    TComboBox* rtl = nullptr;
    TButton* sink = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      ltr = &OwnedComponent<TComboBox>(f);
      ltr->SetComboStyle(csDropDown);
      ltr->SetItems({L"One", L"Two", L"Three"});
      ltr->SetBounds(20, 20, 200, 24);
      ltr->SetParent(&f);
      rtl = &OwnedComponent<TComboBox>(f);
      rtl->SetComboStyle(csDropDown);
      rtl->SetItems({L"One", L"Two", L"Three"});
      rtl->SetRightToLeft(true);
      rtl->SetBounds(20, 80, 200, 24);
      rtl->SetParent(&f);
      sink = &Add<TButton>(f, f, 300, 200, 90, 26, L"OK");
    });
    const int dpi = DpiOf(form.Handle());
    TDataSkinObject& button = *DataOf(form).Object(ssComboButton);
    const int own_style = button.Style;
    for (const int style : {0, 1, 2}) {
      button.Style = style;
      for (TComboBox* combo : {ltr, rtl}) {
        SCOPED_TRACE("style " + std::to_string(style) + (combo == rtl ? " mirrored" : ""));
        auto* object = dynamic_cast<TSkinComBox*>(ObjectOf(form, *combo));
        ASSERT_TRUE(object);
        SetFocus(sink->Handle());
        Redraw(combo->Handle());
        Pump(50);
        const TRect drawn = object->ButtonRect();
        ASSERT_FALSE(drawn.Empty());
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
        const RECT system = info.rcButton;
        const int system_width = system.right - system.left;
        // The system's button is a scroll bar's width at the DPI.
        EXPECT_NEAR(system_width, SystemMetricsForDpi(SM_CXVSCROLL, dpi), 1);
        if (style != 2) {
          // Drawn over the system's button, out to the frame.
          EXPECT_NEAR(drawn.Width(), system_width + 2, 2);
        }
        // The edit, where the text is typed, lies beside the button (a
        // skin's whole image may draw some field under the edit's end).
        RECT field{};
        GetWindowRect(info.hwndItem, &field);
        MapWindowPoints(nullptr, combo->Handle(), reinterpret_cast<POINT*>(&field), 2);
        if (style != 2) {
          if (combo == rtl) {
            EXPECT_LE(drawn.right, field.left + 2);
          } else {
            EXPECT_GE(drawn.left, field.right - 2);
          }
        }
        // A click in the middle of the drawn button drops the list, and a
        // click near the inner edge of what shows of it as well.
        const int inner = combo == rtl ? std::min<int>(drawn.right, field.left) - SkinScale(3, dpi)
                                       : std::max<int>(drawn.left, field.right) + SkinScale(3, dpi);
        // (Under one skin: the place is the same under the others.)
        for (const int x : {(drawn.left + drawn.right) / 2, inner}) {
          if (skin != kNightfall) break;
          Click(ScreenPoint(combo->Handle(), x, (drawn.top + drawn.bottom) / 2));
          EXPECT_TRUE(PumpUntil([&] { return combo->DroppedDown(); }, 3000)) << "at x " << x;
          SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
          PumpUntil([&] { return !combo->DroppedDown(); }, 2000);
        }
      }
      SaveShot(form.Handle(), ShotName("combo-style" + std::to_string(style), skin, dpi));
    }
    button.Style = own_style;
    form.Close();
    Pump(30);
  }
}

// Date pickers: the skinned arrow lies over the picker's own button, as
// wide as the system makes it at the DPI, and opens the calendar.
TEST_F(ControlsAtDpiTest, DatePickerArrowCoversThePickersButtonAndOpensTheCalendar) {
  for (const int skin : {kNightfall, kDaylight}) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TDateTimePicker* picker = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      picker = &OwnedComponent<TDateTimePicker>(f);
      picker->SetBounds(20, 20, 180, 24);
      picker->SetParent(&f);
    });
    const int dpi = DpiOf(form.Handle());
    HWND arrow = FindWindowExW(picker->Handle(), nullptr, L"TonmillPickerArrow", nullptr);
    ASSERT_TRUE(arrow);
    DATETIMEPICKERINFO info{};
    info.cbSize = sizeof info;
    RECT a = WindowRect(arrow);
    MapWindowPoints(nullptr, picker->Handle(), reinterpret_cast<POINT*>(&a), 2);
    if (SendMessageW(picker->Handle(), DTM_GETDATETIMEPICKERINFO, 0,
                     reinterpret_cast<LPARAM>(&info)) &&
        info.rcButton.right > info.rcButton.left) {
      EXPECT_EQ(a.left, info.rcButton.left);
      EXPECT_EQ(a.right, info.rcButton.right);
    } else {
      EXPECT_EQ(a.right - a.left, SystemMetricsForDpi(SM_CXHSCROLL, dpi));
    }
    Click(Centre(WindowRect(arrow)));
    EXPECT_TRUE(PumpUntil(
        [&] { return SendMessageW(picker->Handle(), DTM_GETMONTHCAL, 0, 0) != 0; }, 3000));
    SaveShot(form.Handle(), ShotName("picker", skin, dpi));
    SendMessageW(picker->Handle(), DTM_CLOSEMONTHCAL, 0, 0);
    Pump(50);
    form.Close();
    Pump(30);
  }
}

// The media player: each button's glyph is as large as the DPI makes it,
// centred on the button.
TEST_F(ControlsAtDpiTest, MediaPlayerGlyphsAreAsLargeAsTheDpiMakesThem) {
  for (const int skin : kLookedAt) {
    SCOPED_TRACE(kSkinFiles[skin]);
    TMediaPlayer* player = nullptr;
    TForm& form = ShowSkinned(skin, [&](TForm& f) {
      player = &Add<TMediaPlayer>(f, f, 20, 20, 150, 30);
      player->SetVisibleButtons(TButtonSet{btPlay, btStop, btEject});
    });
    const int dpi = DpiOf(form.Handle());
    auto* object = dynamic_cast<TSkinMP*>(ObjectOf(form, *player));
    ASSERT_TRUE(object && object->Panel());
    HWND panel = object->Panel()->Handle();
    Redraw(panel);
    Pump(50);
    const TBitmap shot = Capture(WindowRect(panel));
    TBitmap plain;
    ASSERT_TRUE(DrawBuiltinBitmap(std::string("EN_") + kMediaGlyphNames[btStop], plain));
    // The stop glyph's own box, in its image.
    int gl = plain.Width(), gr = -1, gt = plain.Height(), gb = -1;
    for (int y = 0; y < plain.Height(); ++y) {
      for (int x = 0; x < plain.Width(); ++x) {
        if (plain.Pixel(x, y) == kMediaGlyphKey) continue;
        gl = std::min(gl, x), gr = std::max(gr, x), gt = std::min(gt, y), gb = std::max(gb, y);
      }
    }
    ASSERT_GE(gr, gl);
    // The middle button (stop) on the screen: the glyph is what differs
    // from the face around the centre.
    const int bw = shot.Width() / 3;
    const TColor face = shot.Pixel(bw + bw / 2, SkinScale(3, dpi) + 1);
    const int cx = bw + bw / 2, cy = shot.Height() / 2;
    const TColor centre = shot.Pixel(cx, cy);
    ASSERT_FALSE(Near(centre, face, 20)) << "no glyph in the middle";
    int left = cx, right = cx, top = cy, bottom = cy;
    while (left > bw && Near(shot.Pixel(left - 1, cy), centre, 30)) --left;
    while (right < 2 * bw - 1 && Near(shot.Pixel(right + 1, cy), centre, 30)) ++right;
    while (top > 0 && Near(shot.Pixel(cx, top - 1), centre, 30)) --top;
    while (bottom < shot.Height() - 1 && Near(shot.Pixel(cx, bottom + 1), centre, 30)) {
      ++bottom;
    }
    EXPECT_NEAR(right - left + 1, SkinScale(gr - gl + 1, dpi), 1 + dpi / 96);
    EXPECT_NEAR(bottom - top + 1, SkinScale(gb - gt + 1, dpi), 1 + dpi / 96);
    SaveShot(form.Handle(), ShotName("media", skin, dpi));
    form.Close();
    Pump(30);
  }
}

}  // namespace
