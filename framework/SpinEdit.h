#pragma once
// TSpinEdit: an edit for a whole number with spin buttons inside its right
// edge. Value is the text read as a number and kept between MinValue and
// MaxValue; the buttons and the up and down keys step it by Increment.
// OnChange follows every change of the text, typed or stepped.
#include "framework/StdCtrls.h"

class TUpDown;

class TSpinEdit : public TEdit {
 public:
  explicit TSpinEdit(TComponent* owner);
  ~TSpinEdit() override;

  // The text as a number in range; MinValue when it is no number.
  int Value() const;
  void SetValue(int value);
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Increment() const { return increment_; }
  void SetMinValue(int min);
  void SetMaxValue(int max);
  void SetIncrement(int increment);
  // The spin buttons (a child window of the edit).
  TUpDown& Button() const { return *button_; }

  TNotifyEvent OnChange;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  int Clamp(int value) const;
  // The buttons along the right edge of the text area, the text kept clear
  // of them.
  void PlaceButton();
  void Step(int steps);

  int min_ = 0, max_ = 100, increment_ = 1;
  TUpDown* button_ = nullptr;  // owned by this component
};
