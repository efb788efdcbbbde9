// The media player's row of buttons: sets read from and written as text,
// and which button a point of the row hits.
#include "framework/MediaPlayerButtons.h"

#include <gtest/gtest.h>

namespace {

TEST(MediaButtonSets, TextNamesTheMembersInButtonOrder) {
  EXPECT_EQ(MediaButtonsText(TButtonSet{}), "[]");
  EXPECT_EQ(MediaButtonsText(TButtonSet{btEject, btPlay, btStep}), "[btPlay,btStep,btEject]");
  EXPECT_EQ(MediaButtonsText(AllMediaButtons()),
            "[btPlay,btPause,btStop,btNext,btPrev,btStep,btBack,btRecord,btEject]");
  // Read back: each identifier found anywhere counts, the rest is ignored.
  EXPECT_EQ(MediaButtonsFromText("[btPlay,btStep,btEject]"), (TButtonSet{btPlay, btStep, btEject}));
  EXPECT_EQ(MediaButtonsFromText(" btRecord ; btBack junk"), (TButtonSet{btRecord, btBack}));
  EXPECT_EQ(MediaButtonsFromText(MediaButtonsText(AllMediaButtons())), AllMediaButtons());
  EXPECT_EQ(MediaButtonsFromText("[btplay,BTSTOP]"), TButtonSet{});
  EXPECT_STREQ(MediaButtonName(btPrev), "btPrev");
}

TEST(MediaButtonRow, VisibleButtonsShareTheWidthAndTheRestIsNoButton) {
  const TMediaButtonRow all(AllMediaButtons(), 256);
  EXPECT_EQ(all.VisibleCount(), 9);
  EXPECT_EQ(all.ButtonWidth(), 28);  // 256 div 9; 4 pixels left at the right
  EXPECT_EQ(all.HitTest(0), btPlay);
  EXPECT_EQ(all.HitTest(27), btPlay);
  EXPECT_EQ(all.HitTest(28), btPlay);  // the shared edge belongs to the first
  EXPECT_EQ(all.HitTest(29), btPause);
  EXPECT_EQ(all.HitTest(8 * 28 + 1), btEject);
  EXPECT_EQ(all.HitTest(9 * 28), btEject);
  EXPECT_EQ(all.HitTest(9 * 28 + 1), kNoMediaButton);
  EXPECT_EQ(all.HitTest(-1), kNoMediaButton);
  EXPECT_EQ(all.Left(btStop), 56);

  // Hidden buttons take no room: the third visible one is eject.
  const TMediaButtonRow some(TButtonSet{btPlay, btStop, btEject}, 90);
  EXPECT_EQ(some.ButtonWidth(), 30);
  EXPECT_EQ(some.HitTest(75), btEject);
  EXPECT_EQ(some.HitTest(45), btStop);
  EXPECT_EQ(some.Left(btEject), 60);
  EXPECT_EQ(some.Left(btPause), -1);

  const TMediaButtonRow none(TButtonSet{}, 200);
  EXPECT_EQ(none.VisibleCount(), 0);
  EXPECT_EQ(none.ButtonWidth(), 0);
  EXPECT_EQ(none.HitTest(10), kNoMediaButton);
}

}  // namespace
