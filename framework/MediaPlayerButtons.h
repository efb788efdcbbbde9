#pragma once
// The media player's row of transport buttons, without windows: the nine
// buttons, sets of them as the published properties show them
// ("[btPlay,btStop]"), and how the visible ones share the row. The player
// and the skin's panel over it both lay the row out from here, so a press
// hits the same button in either.
#include <array>
#include <cstdint>
#include <string>

#include "framework/EnumSet.h"

enum TMPBtnType { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
inline constexpr int kMediaButtonCount = 9;
// "No button" where an index of one is expected.
inline constexpr int kNoMediaButton = 9;

using TButtonSet = TEnumSet<TMPBtnType, std::uint16_t>;

// Every button.
TButtonSet AllMediaButtons();
// The identifier of a button ("btPlay").
const char* MediaButtonName(TMPBtnType button);
// The set as text: the identifiers of its members in button order,
// comma-separated in brackets.
std::string MediaButtonsText(TButtonSet buttons);
// Button i is in the set when its identifier occurs in `text` (letter case
// counts); anything else in the text is ignored.
TButtonSet MediaButtonsFromText(const std::string& text);

// The row of `width` pixels shared out among the visible buttons.
class TMediaButtonRow {
 public:
  TMediaButtonRow(TButtonSet visible, int width);
  int VisibleCount() const { return count_; }
  // Each visible button is `width div count` wide; what is left over lies
  // at the right, outside every button. 0 without visible buttons.
  int ButtonWidth() const { return button_width_; }
  // The visible button whose span [left, left + button width] holds x, the
  // first such in button order; kNoMediaButton when none does.
  int HitTest(int x) const;
  // The left edge of a visible button; -1 for one that is not shown.
  int Left(int button) const;

 private:
  TButtonSet visible_;
  int count_ = 0;
  int button_width_ = 0;
};
