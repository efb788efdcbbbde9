// Trimming and the integer conversion.
#include <gtest/gtest.h>

#include "framework/StrUtils.h"

namespace {

TEST(StrUtils, TrimRemovesControlsAndSpacesAtBothEnds) {
  EXPECT_EQ(Trim(" \t\r\n x y \x01"), "x y");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Trim("\xA0x"), "\xA0x");  // only codes up to 32
}

TEST(StrUtils, IntegerConversion) {
  EXPECT_EQ(StrToIntDef("0", 5), 0);
  EXPECT_EQ(StrToIntDef("-17", 5), -17);
  EXPECT_EQ(StrToIntDef("+17", 5), 17);
  EXPECT_EQ(StrToIntDef("007", 5), 7);
  EXPECT_EQ(StrToIntDef("2147483647", 5), 2147483647);
  EXPECT_EQ(StrToIntDef("-2147483648", 5), INT32_MIN);
  EXPECT_EQ(StrToIntDef("2147483648", 5), 5);
  EXPECT_EQ(StrToIntDef("99999999999999999999", 5), 5);
  EXPECT_EQ(StrToIntDef("$1f", 5), 31);
  EXPECT_EQ(StrToIntDef("$7FFFFFFF", 5), 0x7FFFFFFF);
  EXPECT_EQ(StrToIntDef("$80000000", 5), INT32_MIN);
  EXPECT_EQ(StrToIntDef("$100000000", 5), 5);
  for (const char* bad : {"", "-", "+", "$", "1 ", " 1", "1.5", "0x1F", "-$1", "$G", "1e3"}) {
    EXPECT_EQ(StrToIntDef(bad, 5), 5) << bad;
  }
  std::int32_t v = 3;
  EXPECT_FALSE(TryStrToInt("x", v));
  EXPECT_EQ(v, 3);
}

}  // namespace
