#pragma once
// TUpDown: a pair of spin buttons (up and down, or left and right) that
// move a position through a range by Increment at each click. OnClick
// tells which button was pressed; OnChange follows each change of the
// position that a click made.
#include <functional>

#include "framework/Control.h"

enum TUDBtnType { btNext, btPrev };
using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType button)>;

class TUpDown : public TWinControl {
 public:
  explicit TUpDown(TComponent* owner);

  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  int Increment() const { return increment_; }
  void SetMin(int min);
  void SetMax(int max);
  // Kept inside the range.
  void SetPosition(int position);
  void SetIncrement(int increment);
  // Buttons side by side (left, right).
  bool Horizontal() const { return horizontal_; }
  void SetHorizontal(bool horizontal);

  TUDClickEvent OnClick;
  TNotifyEvent OnChange;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void SendRange();

  int min_ = 0, max_ = 100, position_ = 0, increment_ = 1;
  bool horizontal_ = false;
};
