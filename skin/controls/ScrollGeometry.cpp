#include "skin/controls/ScrollGeometry.h"

#include <algorithm>
#include <cstdlib>

int ScrollMulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const long long n = static_cast<long long>(a) * b;
  const long long d = c;
  const bool negative = (n < 0) != (d < 0);
  const long long q = (std::llabs(n) + std::llabs(d) / 2) / std::llabs(d);
  return static_cast<int>(negative ? -q : q);
}

TThumbExtent ControlThumb(int length, int arrow, int min, int max, int page, int position) {
  const int range = max == min ? 9999999 : max - min;
  int start = 0;
  int size = 0;
  if (page > 0) {
    size = ScrollMulDiv(length - 2 * arrow, page - 1, range);
    if (size > 7) {
      start =
          position == min ? arrow : ScrollMulDiv(length - 2 * arrow, position - min, range) + arrow;
    } else {
      // A thumb is never shorter than 8 pixels.
      size = 8;
      start = position == min ? arrow
                              : ScrollMulDiv(length - 2 * arrow - 8, position - min, range) + arrow;
    }
  } else {
    size = arrow;
    start =
        position == min ? arrow : ScrollMulDiv(length - 3 * arrow, position - min, range) + arrow;
  }
  return {start, start + size};
}

int PressThumbStart(int length, int arrow, int minimum, int maximum, int position, int page_size) {
  const int range = maximum - minimum;
  if (position == minimum) return arrow;
  const int c = page_size > 0 ? -2 : -3;
  return ScrollMulDiv(length + c * arrow, position - minimum, range) + arrow;
}

TScrollPart ScrollHitTest(int p, int arrow, const TThumbExtent& thumb, int length) {
  if (p < arrow) return spFirstArrow;
  if (p < thumb.start) return spTrackBefore;
  if (p < thumb.end) return spThumb;
  if (p < length - arrow) return spTrackAfter;
  return spSecondArrow;
}

TThumbExtent DragThumb(const TThumbExtent& thumb, int cursor, int press_cursor, int press_start,
                       int arrow, int length) {
  const int size = thumb.end - thumb.start;
  int start = cursor - press_cursor + press_start;
  start = std::min(start, length - arrow - size);
  start = std::max(start, arrow);
  return {start, start + size};
}

int ArrowLength(int length, int arrow) {
  return length < 2 * arrow ? length / 2 : arrow;
}
