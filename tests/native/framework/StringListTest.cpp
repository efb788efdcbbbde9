#include "framework/StringList.h"

#include <gtest/gtest.h>

#include "framework/Exceptions.h"

namespace {

TEST(StringList, IndexOfFoldsAsciiCaseOnlyAndFindsTheFirst) {
  TStringList list;
  list.Add("[Buttons]", 3);
  list.Add("[BUTTONS]", 9);
  list.Add("\xC4\xE3");  // 8-bit text is compared byte for byte
  EXPECT_EQ(list.IndexOf("[buttons]"), 0);
  EXPECT_EQ(list.Objects(list.IndexOf("[buttons]")), 3);
  EXPECT_EQ(list.IndexOfExact("[BUTTONS]"), 1);
  EXPECT_EQ(list.IndexOf("\xE4\xE3"), -1);
  EXPECT_EQ(list.IndexOf("[Tabs]"), -1);
}

TEST(StringList, SetTextSplitsAtEveryBreakKindWithoutATrailingEmptyLine) {
  TStringList list;
  list.SetText("a\r\nb\rc\nd\r\n");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list[0], "a");
  EXPECT_EQ(list[3], "d");
  list.SetText("x\n\ny");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[1], "");
  list.SetText("");
  EXPECT_EQ(list.Count(), 0);
}

TEST(StringList, TextJoinsWithCrLfAfterEachLine) {
  TStringList list;
  EXPECT_EQ(list.Text(), "");
  list.Add("ID_LENGTH=1");
  list.Add("");
  EXPECT_EQ(list.Text(), "ID_LENGTH=1\r\n\r\n");
}

TEST(StringList, MoveKeepsTheOtherItemsInOrder) {
  TStringList list;
  for (const char* s : {"a", "b", "c", "d"}) list.Add(s);
  list.Move(3, 1);
  EXPECT_EQ(list.Text(), "a\r\nd\r\nb\r\nc\r\n");
  list.Move(0, 3);
  EXPECT_EQ(list.Text(), "d\r\nb\r\nc\r\na\r\n");
}

TEST(StringList, IndexesOutsideTheListRaise) {
  TStringList list;
  list.Add("only");
  EXPECT_THROW(list.Strings(1), EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.Insert(3, "x"), EListError);
  list.Insert(1, "end");
  EXPECT_EQ(list[1], "end");
}

TEST(StringList, AsciiHelpers) {
  EXPECT_EQ(AsciiLower("FrameLeft.BMP\xC0"), "frameleft.bmp\xC0");
  EXPECT_EQ(AsciiUpper("tBitBtn_2\xE0"), "TBITBTN_2\xE0");
  EXPECT_TRUE(AsciiEqualNoCase("SkinItem0", "SKINITEM0"));
  EXPECT_FALSE(AsciiEqualNoCase("SkinItem0", "SkinItem"));
  EXPECT_FALSE(AsciiEqualNoCase("\xC0", "\xE0"));
}

}  // namespace
