#pragma once
// TMemo: a multi-line edit with window scroll bars as ScrollBars asks and
// a sunken border unless BorderStyle is bsNone.
#include <string>
#include <vector>

#include "framework/Control.h"

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
// The border of a control: none, or a sunken single line.
enum TControlBorder { cbNone, cbSingle };

// The published names of TControlBorder ("bsNone", "bsSingle").
std::vector<std::string> ControlBorderNames();
// Shows or hides the sunken edge of a live window.
void ApplyControlBorder(HWND window, TControlBorder border);

class TMemo : public TWinControl {
 public:
  explicit TMemo(TComponent* owner);

  // The text, one entry per line.
  void SetLines(const std::vector<std::wstring>& lines);
  int LineCount() const;
  // The first line shown.
  int TopLine() const;

  TScrollStyle ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(TScrollStyle bars);
  TControlBorder BorderStyle() const { return border_; }
  void SetBorderStyle(TControlBorder border);
  bool WordWrap = false;
  bool ReadOnly = false;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TScrollStyle scroll_bars_ = ssVertical;
  TControlBorder border_ = cbSingle;
};
