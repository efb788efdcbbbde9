// Which frames a skin may give a window: one that leaves the window
// something to move it by, borders on every side and a client area on the
// screen; anything else (images missing or cut too small, sizes far beyond
// the screen) is refused and the window keeps its own frame.
#include <gtest/gtest.h>

#include <climits>

#include "skin/form/FrameGeometry.h"

namespace {

TEST(FrameUsable, TakesOrdinaryFramesAndRefusesThoseThatLeaveNoUsableWindow) {
  struct TCase {
    TFrameMetrics frame;  // left, caption, right, bottom
    bool usable;
  };
  const TCase cases[] = {
      {{4, 26, 4, 4}, true},
      {{1, kMinSkinnedCaption, 1, 1}, true},
      {{0, 0, 0, 0}, false},                       // no frame images at all
      {{4, 0, 4, 4}, false},                       // no caption to hold
      {{4, kMinSkinnedCaption - 1, 4, 4}, false},  // a sliver of a caption
      {{0, 26, 4, 4}, false},                      // a side missing
      {{4, 26, 4, 0}, false},                      // the bottom missing
      {{4, 4000, 4, 4}, false},                    // taller than the screen
      {{3000, 26, 3000, 4}, false},                // wider than the screen
      {{640, 26, 1, 4}, true},                     // exactly half the width
      {{641, 26, 1, 4}, false},
      {{4, 500, 4, 12}, true},             // exactly half the height
      {{INT_MAX, 26, INT_MAX, 4}, false},  // sums that overflow int
      {{4, INT_MAX, 4, INT_MAX}, false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(FrameUsable(c.frame, 1282, 1024), c.usable)
        << c.frame.left << " " << c.frame.caption << " " << c.frame.right << " " << c.frame.bottom;
  }
}

}  // namespace
