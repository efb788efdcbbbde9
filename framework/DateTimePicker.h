#pragma once
// TDateTimePicker: a date (or time) field with a drop-down calendar. The
// value is kept as a SYSTEMTIME; changes made in the control (typing in a
// field, choosing a day in the calendar) are taken back and raise OnChange.
#include <string>

#include "framework/Control.h"

enum TDateTimeKind { dtkDate, dtkTime };
// How the date is chosen: a drop-down calendar, or up-down arrows.
enum TDTDateMode { dmComboBox, dmUpDown };

class TDateTimePicker : public TWinControl {
 public:
  explicit TDateTimePicker(TComponent* owner);

  const SYSTEMTIME& DateTime() const { return value_; }
  void SetDateTime(const SYSTEMTIME& value);
  // The date as "YYYY-MM-DD" and the time as "HH:MM:SS" (the published
  // Date and Time properties).
  std::string DateText() const;
  std::string TimeText() const;
  bool SetDateText(const std::string& text);
  bool SetTimeText(const std::string& text);

  // Set before the window is made.
  TDateTimeKind Kind() const { return kind_; }
  void SetKind(TDateTimeKind kind) { kind_ = kind; }
  TDTDateMode DateMode() const { return date_mode_; }
  void SetDateMode(TDTDateMode mode) { date_mode_ = mode; }
  bool RightToLeft() const { return right_to_left_; }
  void SetRightToLeft(bool on) { right_to_left_ = on; }

  TNotifyEvent OnChange;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  SYSTEMTIME value_{};
  TDateTimeKind kind_ = dtkDate;
  TDTDateMode date_mode_ = dmComboBox;
  bool right_to_left_ = false;
};
