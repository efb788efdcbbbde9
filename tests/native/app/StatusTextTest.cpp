#include "app/StatusText.h"

#include <gtest/gtest.h>

namespace converter {
namespace {

using std::literals::string_view_literals::operator""sv;

TEST(FileSelection, OneFileIsItsFullPath) {
  EXPECT_EQ(SplitFileSelection(L"C:\\music\\a.wma\0\0"sv),
            (std::vector<std::wstring>{L"C:\\music\\a.wma"}));
}

TEST(FileSelection, SeveralFilesAreJoinedToTheirFolderInTheDialogsOrder) {
  EXPECT_EQ(SplitFileSelection(L"C:\\music\0c.wma\0a.wma\0\u4E2D\u6587.wma\0\0"sv),
            (std::vector<std::wstring>{L"C:\\music\\c.wma", L"C:\\music\\a.wma",
                                       L"C:\\music\\\u4E2D\u6587.wma"}));
  // A drive root already ends in a backslash.
  EXPECT_EQ(SplitFileSelection(L"D:\\\0x.wma\0y.wma\0\0"sv),
            (std::vector<std::wstring>{L"D:\\x.wma", L"D:\\y.wma"}));
}

TEST(FileSelection, WhatFollowsTheEndIsIgnoredAndAnEmptyBufferGivesNothing) {
  EXPECT_EQ(SplitFileSelection(L"C:\\m\0a.wma\0\0stale.wma\0\0"sv),
            (std::vector<std::wstring>{L"C:\\m\\a.wma"}));
  EXPECT_TRUE(SplitFileSelection(L"\0\0"sv).empty());
  EXPECT_TRUE(SplitFileSelection(L""sv).empty());
  // No terminator at all: the text is taken as one path.
  EXPECT_EQ(SplitFileSelection(L"C:\\a.wma"sv), (std::vector<std::wstring>{L"C:\\a.wma"}));
}

TEST(WmaExtension, AnyCaseOfTheLettersButNothingElse) {
  EXPECT_TRUE(HasWmaExtension(L"a.wma"));
  EXPECT_TRUE(HasWmaExtension(L"C:\\x\\B.WMA"));
  EXPECT_TRUE(HasWmaExtension(L"c.WmA"));
  EXPECT_TRUE(HasWmaExtension(L".wma"));
  EXPECT_FALSE(HasWmaExtension(L"a.wmv"));
  EXPECT_FALSE(HasWmaExtension(L"a.wma.txt"));
  EXPECT_FALSE(HasWmaExtension(L"awma"));
  EXPECT_FALSE(HasWmaExtension(L"wma"));
  EXPECT_FALSE(HasWmaExtension(L""));
}

TEST(StatusTexts, CountsAndNamesAreRunIntoTheSentences) {
  EXPECT_EQ(ReadingText(3, 200, L"C:\\m\\sub\\x.wma"),
            L"\u6B63\u5728\u8BFB\u53D6 3/200\uFF1Ax.wma");
  EXPECT_EQ(BatchDoneText(0), L"\u8F6C\u6362\u5B8C\u6210");
  EXPECT_EQ(BatchDoneText(2), L"\u8F6C\u6362\u5B8C\u6210\uFF08\u5931\u8D25 2 \u4E2A\uFF09");
  EXPECT_EQ(SkippedText(0), L"");
  EXPECT_NE(SkippedText(4).find(L" 4 "), std::wstring::npos);
  const std::wstring missing = MissingHelperText(L"ffmpeg.exe", L"C:\\T\\ffmpeg.exe", L"x");
  EXPECT_EQ(missing.rfind(L"\u627E\u4E0D\u5230 ffmpeg.exe\uFF1AC:\\T\\ffmpeg.exe", 0), 0u);
}

TEST(StatusTexts, ARunningRowShowsItsPercentageOnlyOnceItIsKnown) {
  EXPECT_EQ(ConvertingRowText(-1, 60), L"\u8F6C\u6362\u4E2D");
  EXPECT_EQ(ConvertingRowText(0, 60), L"\u8F6C\u6362\u4E2D 0%");
  EXPECT_EQ(ConvertingRowText(45, 60), L"\u8F6C\u6362\u4E2D 75%");
  EXPECT_EQ(ConvertingRowText(61, 60), L"\u8F6C\u6362\u4E2D 100%") << "never beyond the whole";
  EXPECT_EQ(ConvertingRowText(5, 0), L"\u8F6C\u6362\u4E2D") << "no length, no percentage";
  EXPECT_EQ(BatchProgressText(2, 6, 3),
            L"\u6B63\u5728\u8F6C\u6362\uFF1A\u5DF2\u5B8C\u6210 2/6 \u4E2A\u6587\u4EF6\uFF0C3 "
            L"\u4E2A\u8FDB\u884C\u4E2D");
}

}  // namespace
}  // namespace converter
