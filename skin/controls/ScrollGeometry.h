#pragma once
// The arithmetic of a painted scroll bar, Win32-free: where the thumb of a
// scroll-bar control lies, which part of a bar a point falls on, where a
// dragged thumb goes and how long the arrows are. Lengths are in pixels
// along the bar; a bar is `length` long with arrows of `arrow` pixels.
#include <cstdint>

// Parts of a bar; the scroll codes of WM_HSCROLL/WM_VSCROLL map onto them.
enum TScrollPart {
  spNone = -1,
  spFirstArrow = 0,
  spSecondArrow = 1,
  spTrackBefore = 2,
  spTrackAfter = 3,
  spThumb = 5
};

struct TThumbExtent {
  int start = 0;
  int end = 0;
};

// a * b / c rounded to the nearest integer (halves away from zero); -1
// when c is 0, as the system's MulDiv answers.
int ScrollMulDiv(int a, int b, int c);

// The thumb of a scroll-bar control from its range, page and position.
TThumbExtent ControlThumb(int length, int arrow, int min, int max, int page, int position);
// The thumb start a press begins with, from a control's own minimum,
// maximum, position and page size.
int PressThumbStart(int length, int arrow, int minimum, int maximum, int position, int page_size);
// The part at point `p` along the bar.
TScrollPart ScrollHitTest(int p, int arrow, const TThumbExtent& thumb, int length);
// Where a thumb dragged from `press_start` (cursor then at `press_cursor`,
// now at `cursor`) starts, kept between the arrows.
TThumbExtent DragThumb(const TThumbExtent& thumb, int cursor, int press_cursor, int press_start,
                       int arrow, int length);
// Each arrow's length: `arrow`, or half the bar when it is shorter than two.
int ArrowLength(int length, int arrow);
