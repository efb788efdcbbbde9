// The gallery's date pickers and track bars: the area x 624-972, y 644-890 of the scroll box.
#include "framework/DateTimePicker.h"
#include "framework/TrackBar.h"
#include "tools/gallery/GalleryForm.h"
#include "tools/gallery/GalleryPlace.h"

namespace {
SYSTEMTIME GalleryDay() {
  SYSTEMTIME day{};
  day.wYear = 2026;
  day.wMonth = 5;
  day.wDay = 18;
  day.wHour = 9;
  day.wMinute = 30;
  return day;
}

}  // namespace

void TGalleryForm::BuildPickers(TWinControl& box) {
  // Track bars: lying with their ticks below, above, on both sides and
  // none; one disabled; standing with their ticks right, left and both.
  TGroupBox& bars = Group(box, 624, 644, 348, 152, L"滑块");
  struct TLying {
    int top, height;
    TTickMark marks;
    TTickStyle ticks;
    bool enabled;
    int position;
  };
  const TLying lying[] = {{18, 30, tmBottomRight, tsAuto, true, 3},
                          {50, 30, tmTopLeft, tsAuto, true, 5},
                          {82, 34, tmBoth, tsAuto, true, 7},
                          {118, 26, tmBottomRight, tsNone, true, 9}};
  for (const TLying& l : lying) {
    TTrackBar& bar = Place<TTrackBar>(*this, bars, 8, l.top, 160, l.height);
    bar.SetTickMarks(l.marks);
    bar.SetTickStyle(l.ticks);
    bar.SetPosition(l.position);
  }
  TTrackBar& off = Place<TTrackBar>(*this, bars, 172, 18, 86, 30);
  off.SetPosition(6);
  off.SetEnabled(false);
  TTrackBar& crowded = Place<TTrackBar>(*this, bars, 172, 50, 86, 30);
  crowded.SetMax(400);
  crowded.SetPosition(120);
  const TTickMark standing[] = {tmBottomRight, tmTopLeft, tmBoth};
  for (int i = 0; i < 3; ++i) {
    TTrackBar& bar = Place<TTrackBar>(*this, bars, 256 + i * 28, 16, 28, 128);
    bar.SetOrientation(trVertical);
    bar.SetTickMarks(standing[i]);
    bar.SetPosition(2 + i * 3);
  }

  // Date pickers: normal, disabled, reading right to left, and a time.
  TGroupBox& dates = Group(box, 624, 800, 348, 90, L"日期");
  Place<TDateTimePicker>(*this, dates, 8, 22, 160, 24).SetDateTime(GalleryDay());
  TDateTimePicker& disabled = Place<TDateTimePicker>(*this, dates, 176, 22, 160, 24);
  disabled.SetDateTime(GalleryDay());
  disabled.SetEnabled(false);
  TDateTimePicker& rtl = OwnedComponent<TDateTimePicker>(*this);
  rtl.SetRightToLeft(true);
  rtl.SetBounds(8, 56, 160, 24);
  rtl.SetDateTime(GalleryDay());
  rtl.SetParent(&dates);
  TDateTimePicker& time = OwnedComponent<TDateTimePicker>(*this);
  time.SetKind(dtkTime);
  time.SetBounds(176, 56, 160, 24);
  time.SetDateTime(GalleryDay());
  time.SetParent(&dates);
}
