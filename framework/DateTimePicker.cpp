#include "framework/DateTimePicker.h"

#include <commctrl.h>

#include <cstdio>

namespace {
// Right-to-left reading, aligned right. The drop-down button stays at the
// right: not every system moves a picker's button for a left scroll bar.
constexpr DWORD kRightToLeftStyles = WS_EX_RIGHT | WS_EX_RTLREADING;

// A day that exists (the calendar refuses others).
bool ValidDate(int year, int month, int day) {
  if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

// The same day and second (the weekday and milliseconds do not count).
bool SameMoment(const SYSTEMTIME& a, const SYSTEMTIME& b) {
  return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
         a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}
}  // namespace

TDateTimePicker::TDateTimePicker(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 186, 21);
  GetLocalTime(&value_);
  value_.wMilliseconds = 0;
}

void TDateTimePicker::CreateParams(TCreateParams& params) {
  // The picker's window class is registered on demand.
  INITCOMMONCONTROLSEX icc{};
  icc.dwSize = sizeof icc;
  icc.dwICC = ICC_DATE_CLASSES;
  InitCommonControlsEx(&icc);
  params.class_name = DATETIMEPICK_CLASSW;
  params.style |= WS_TABSTOP;
  if (kind_ == dtkTime) {
    params.style |= DTS_TIMEFORMAT;
  } else if (date_mode_ == dmUpDown) {
    params.style |= DTS_UPDOWN;
  }
  params.ex_style |= WS_EX_CLIENTEDGE;
  if (right_to_left_) params.ex_style |= kRightToLeftStyles;
}

void TDateTimePicker::CreateWnd() {
  SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
}

void TDateTimePicker::SetDateTime(const SYSTEMTIME& value) {
  if (!ValidDate(value.wYear, value.wMonth, value.wDay) || value.wHour > 23 || value.wMinute > 59 ||
      value.wSecond > 59) {
    return;
  }
  SYSTEMTIME next = value;
  next.wMilliseconds = 0;
  const bool changed = !SameMoment(value_, next);
  value_ = next;
  if (HandleAllocated()) {
    SendMessageW(Handle(), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&value_));
  }
  if (changed && OnChange) OnChange(this);
}

std::string TDateTimePicker::DateText() const {
  char text[16];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u", value_.wYear, value_.wMonth, value_.wDay);
  return text;
}

std::string TDateTimePicker::TimeText() const {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", value_.wHour, value_.wMinute, value_.wSecond);
  return text;
}

bool TDateTimePicker::SetDateText(const std::string& text) {
  int year = 0, month = 0, day = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%d-%d-%d%c", &year, &month, &day, &end) != 3) return false;
  if (!ValidDate(year, month, day)) return false;
  SYSTEMTIME next = value_;
  next.wYear = static_cast<WORD>(year);
  next.wMonth = static_cast<WORD>(month);
  next.wDay = static_cast<WORD>(day);
  next.wDayOfWeek = 0;
  SetDateTime(next);
  return true;
}

bool TDateTimePicker::SetTimeText(const std::string& text) {
  int hour = 0, minute = 0, second = 0;
  char end = 0;
  if (std::sscanf(text.c_str(), "%d:%d:%d%c", &hour, &minute, &second, &end) != 3) return false;
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) {
    return false;
  }
  SYSTEMTIME next = value_;
  next.wHour = static_cast<WORD>(hour);
  next.wMinute = static_cast<WORD>(minute);
  next.wSecond = static_cast<WORD>(second);
  SetDateTime(next);
  return true;
}

void TDateTimePicker::WndProc(TMessage& m) {
  // The control tells its parent of each change; the parent hands it back.
  if (m.Msg == CN_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
    if (header->code == static_cast<UINT>(DTN_DATETIMECHANGE)) {
      const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(m.LParam);
      if (change->dwFlags == GDT_VALID) {
        const bool changed = !SameMoment(value_, change->st);
        value_ = change->st;
        value_.wMilliseconds = 0;
        if (changed && OnChange) OnChange(this);
      }
      m.Result = 0;
      return;
    }
  }
  TWinControl::WndProc(m);
}

void TDateTimePicker::DescribeProperties(TPropertyTable& table) {
  TWinControl::DescribeProperties(table);
  table.Enum(
      "Kind", {"dtkDate", "dtkTime"}, [this] { return static_cast<std::int64_t>(kind_); },
      [this](std::int64_t v) { SetKind(static_cast<TDateTimeKind>(v)); });
  table.Enum(
      "DateMode", {"dmComboBox", "dmUpDown"},
      [this] { return static_cast<std::int64_t>(date_mode_); },
      [this](std::int64_t v) { SetDateMode(static_cast<TDTDateMode>(v)); });
  table.Enum(
      "BiDiMode", {"bdLeftToRight", "bdRightToLeft"}, [this] { return right_to_left_ ? 1 : 0; },
      [this](std::int64_t v) { SetRightToLeft(v != 0); });
  table.Text(
      "Date", [this] { return DateText(); }, [this](const std::string& v) { SetDateText(v); });
  table.Text(
      "Time", [this] { return TimeText(); }, [this](const std::string& v) { SetTimeText(v); });
}
