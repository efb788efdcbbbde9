#pragma once
// Check boxes (two or three states) and radio buttons: standard button
// windows whose state the window itself keeps, so whatever sets it (a
// click, the keyboard, BM_SETCHECK from elsewhere) is what the properties
// read back.
#include "framework/Control.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

// What check boxes and radio buttons share: the caption's side and reading
// order. The box sits left of the caption unless `LeftText`; a control that
// reads right to left mirrors that, as such readers expect.
class TButtonControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  TNotifyEvent OnClick;

  bool LeftText() const { return left_text_; }
  void SetLeftText(bool on);
  bool RightToLeft() const { return right_to_left_; }
  void SetRightToLeft(bool on);

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  // The style bits of the caption's side and reading order.
  DWORD SideStyle() const;
  DWORD SideExStyle() const;
  void ApplySide();

 private:
  bool left_text_ = false;
  bool right_to_left_ = false;
};

class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* owner);

  TCheckBoxState State() const;
  void SetState(TCheckBoxState state);
  bool Checked() const { return State() == cbChecked; }
  void SetChecked(bool on) { SetState(on ? cbChecked : cbUnchecked); }
  // Whether a click leads through the grey state (unchecked, checked,
  // grey); a grey state set by the program shows either way.
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool on) { allow_grayed_ = on; }
  // The next state a click gives, then OnClick.
  void Toggle();

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  TCheckBoxState state_ = cbUnchecked;  // while there is no window
  bool allow_grayed_ = false;
};

// Radio buttons of one parent form one group: checking one unchecks the
// others. Only the checked one is a tab stop; the arrow keys move the check
// within the group (the dialog manager's handling of automatic radio
// buttons).
class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* owner);

  bool Checked() const;
  void SetChecked(bool on);

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void UncheckSiblings();
  void SetTabStop(bool on);
  bool checked_ = false;  // while there is no window
};
