#pragma once
// TScrollBox: a container whose content may be larger than itself. The
// content's size is given with SetRange; window scroll bars appear when it
// does not fit and move the children across the box. The range, the
// positions and the scroll bars count in 96-DPI units, as the children's
// bounds do.
#include "framework/Control.h"
#include "framework/Memo.h"

class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* owner);

  // The size of the area the children span.
  void SetRange(int width, int height);
  // How far the content is scrolled.
  int HorzPosition() const { return x_; }
  int VertPosition() const { return y_; }
  void ScrollTo(int x, int y);

  TControlBorder BorderStyle() const { return border_; }
  void SetBorderStyle(TControlBorder border);

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void DpiChanged(int old_dpi, int new_dpi) override;

 private:
  // The visible part of the box in 96-DPI units.
  SIZE ClientUnits() const;
  void UpdateScrollBars();
  void Scroll(int bar, int code);

  int range_x_ = 0, range_y_ = 0;
  int x_ = 0, y_ = 0;
  TControlBorder border_ = cbSingle;
};
