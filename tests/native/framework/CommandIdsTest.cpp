// Command numbers of menu items: unique while held, reused oldest first
// only once the fresh ones run out.
#include <gtest/gtest.h>

#include <set>

#include "framework/CommandIds.h"
#include "framework/Exceptions.h"

namespace {

TEST(CommandIds, HandsOutEveryNumberOfTheRangeOnceThenFails) {
  TCommandIds ids(10, 14);
  std::set<unsigned> seen;
  for (int i = 0; i < 5; ++i) {
    const unsigned id = ids.Allocate();
    EXPECT_GE(id, 10u);
    EXPECT_LE(id, 14u);
    EXPECT_TRUE(seen.insert(id).second) << id;
  }
  EXPECT_EQ(ids.HeldCount(), 5);
  EXPECT_THROW(ids.Allocate(), Exception);
}

TEST(CommandIds, GivenBackNumbersReturnOldestFirstAfterTheFreshOnes) {
  TCommandIds ids(1, 4);
  const unsigned a = ids.Allocate();
  const unsigned b = ids.Allocate();
  ids.Release(b);
  ids.Release(a);
  EXPECT_FALSE(ids.Held(a));
  // Fresh numbers first, so a late command for a gone item finds nothing.
  EXPECT_EQ(ids.Allocate(), 3u);
  EXPECT_EQ(ids.Allocate(), 4u);
  EXPECT_EQ(ids.Allocate(), b);
  EXPECT_EQ(ids.Allocate(), a);
  EXPECT_EQ(ids.HeldCount(), 4);
}

TEST(CommandIds, ReleasingWhatIsNotHeldChangesNothing) {
  TCommandIds ids(100, 101);
  const unsigned a = ids.Allocate();
  ids.Release(a);
  ids.Release(a);    // twice
  ids.Release(5);    // outside the range
  ids.Release(101);  // never handed out
  EXPECT_EQ(ids.HeldCount(), 0);
  const unsigned b = ids.Allocate();
  const unsigned c = ids.Allocate();
  EXPECT_NE(b, c);
  EXPECT_THROW(ids.Allocate(), Exception);
}

}  // namespace
