#include "app/ConverterText.h"

#include <gtest/gtest.h>

#include "framework/Exceptions.h"

namespace converter {
namespace {

// Names compared ignoring the case of ASCII letters, as a stand-in for the
// file system's comparison (the Windows tests use the real one).
int AsciiCaseCompare(const std::wstring& a, const std::wstring& b) {
  auto fold = [](std::wstring s) {
    for (wchar_t& c : s)
      if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return s;
  };
  return fold(a).compare(fold(b));
}

TEST(ConverterCommandLines, ProbeAndEncoderLinesAreExact) {
  EXPECT_EQ(ProbeCommandLine(L"C:\\Tonmill\\", L"D:\\music\\a b.wma"),
            L"\"C:\\Tonmill\\mplayer.exe\" -msglevel identify=6 -vo none -ao none "
            L"\"D:\\music\\a b.wma\" 2>&1 |grep ID_LENGTH");
  EXPECT_EQ(EncoderCommandLine(L"C:\\T\\", L"D:\\music\\a.b.wma", L"E:\\out\\a.b.mp3"),
            L"\"C:\\T\\ffmpeg.exe\" -i \"D:\\music\\a.b.wma\" -y -vn -acodec libmp3lame "
            L"\"E:\\out\\a.b.mp3\"");
}

TEST(ConverterDuration, MarkerIsFoundInAnyCaseAndTruncated) {
  EXPECT_FALSE(HasDurationMarker("ID_VIDEO_ID=0\r\n"));
  EXPECT_TRUE(HasDurationMarker("x\r\nId_Length=3\r\n"));
  EXPECT_EQ(ParseDuration("ID_LENGTH=215.73\r\n"), 215);
  EXPECT_EQ(ParseDuration("ID_LENGTH=0.99"), 0);
  EXPECT_EQ(ParseDuration("no marker here"), 0);
  EXPECT_EQ(ParseDuration("ID_LENGTH=\r\n"), 0);
  // Other characters are skipped, a line break ends the scan.
  EXPECT_EQ(ParseDuration("ID_LENGTH= 1x2s3\r\n99"), 123);
  EXPECT_EQ(ParseDuration("ID_LENGTH=7\n8"), 7);
}

TEST(ConverterDuration, OnlyTwentyCharactersAfterTheMarkerAreScanned) {
  // Twenty characters: "12345678901234567890" then "999" is cut off.
  EXPECT_EQ(ParseDuration("ID_LENGTH=                 123999"), 123);
  EXPECT_EQ(ParseDuration("ID_LENGTH=1234567890"), 1234567890);
  EXPECT_EQ(ParseDuration("ID_LENGTH=99999999999.5"), 2147483647) << "clamped to 32 bits";
}

TEST(ConverterDuration, DigitRunThatIsNoNumberRaises) {
  EXPECT_THROW(ParseDuration("ID_LENGTH=1.2.3"), EConvertError);
  EXPECT_THROW(ParseDuration("ID_LENGTH=..."), EConvertError);
}

TEST(ConverterProgress, OwnMarkersRoundHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(*ParseProgressSeconds("ffmpeg_release_time=12.5=ffmpeg_release_time")),
            12);
  EXPECT_EQ(
      RoundHalfEven(*ParseProgressSeconds("x ffmpeg_release_time=13.5=ffmpeg_release_time y")), 14);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
}

TEST(ConverterProgress, MalformedMarkersAreIgnored) {
  EXPECT_FALSE(ParseProgressSeconds("ffmpeg_release_time=12.5"));
  EXPECT_FALSE(ParseProgressSeconds("ffmpeg_release_time=abc=ffmpeg_release_time"));
  EXPECT_FALSE(ParseProgressSeconds("FFMPEG_RELEASE_TIME=1=FFMPEG_RELEASE_TIME"));
  EXPECT_FALSE(ParseProgressSeconds("ffmpeg_release_time==ffmpeg_release_time"));
  EXPECT_FALSE(ParseProgressSeconds("Duration: 00:01:00.00, start: 0.000000"));
}

TEST(ConverterProgress, StockEncoderTimeIsRead) {
  const auto s =
      ParseProgressSeconds("size=     256kB time=00:01:02.50 bitrate= 128.0kbits/s speed=41.6x");
  ASSERT_TRUE(s);
  EXPECT_DOUBLE_EQ(*s, 62.5);
  EXPECT_DOUBLE_EQ(*ParseProgressSeconds("time=01:00:00.00"), 3600.0);
  EXPECT_FALSE(ParseProgressSeconds("time=N/A bitrate=N/A"));
  EXPECT_FALSE(ParseProgressSeconds("time=-577014:32:22.77"));
}

TEST(ConverterProgress, AStatusLineCutInsideItsTimestampDoesNotMoveTheBar) {
  // The stock encoder's status line arrives in pieces; the piece that ends
  // in "00:05:3" is not 303 s.
  EXPECT_FALSE(ParseProgressSeconds("size=     256kB time=00:05:3"));
  EXPECT_FALSE(ParseProgressSeconds("size=     256kB time=00:0"));
  EXPECT_FALSE(ParseProgressSeconds("size=     256kB time=00:05:"));
  EXPECT_FALSE(ParseProgressSeconds("size=     256kB time=00:5:37.12"));
  EXPECT_DOUBLE_EQ(*ParseProgressSeconds("size=     256kB time=00:05:37"), 337.0);
  EXPECT_DOUBLE_EQ(*ParseProgressSeconds("size=     256kB time=00:05:37.12 bitrate="), 337.12);
  EXPECT_DOUBLE_EQ(*ParseProgressSeconds("time=100:00:00.00"), 360000.0);
}

TEST(ConverterNames, ChangeFileExtReplacesFromTheLastDotOfTheName) {
  EXPECT_EQ(ChangeFileExt(L"a.b.wma", L".mp3"), L"a.b.mp3");
  EXPECT_EQ(ChangeFileExt(L"noext", L".mp3"), L"noext.mp3");
  EXPECT_EQ(ChangeFileExt(L"D:\\dir.v2\\noext", L".mp3"), L"D:\\dir.v2\\noext.mp3");
  EXPECT_EQ(ExtractFileName(L"D:\\music\\a.b.wma"), L"a.b.wma");
  EXPECT_EQ(ExtractFileName(L"C:x.wma"), L"x.wma");
}

TEST(ConverterNames, SameNamesInOneBatchGetDistinctOutputs) {
  TOutputNames names(L"E:\\out\\", AsciiCaseCompare);
  EXPECT_EQ(names.NameFor(L"D:\\music\\a.b.wma"), L"E:\\out\\a.b.mp3");
  EXPECT_EQ(names.NameFor(L"D:\\other\\A.B.WMA"), L"E:\\out\\A.B (2).mp3");
  EXPECT_EQ(names.NameFor(L"D:\\third\\a.b.wma"), L"E:\\out\\a.b (3).mp3");
  // A source already named like a renamed output does not collide later.
  EXPECT_EQ(names.NameFor(L"D:\\x\\a.b (2).wma"), L"E:\\out\\a.b (2) (2).mp3");
  EXPECT_EQ(names.NameFor(L"D:\\x\\\u4E2D\u6587.wma"), L"E:\\out\\\u4E2D\u6587.mp3");
}

TEST(ConverterFolders, LevelsAreEveryPrefixBeforeABackslashThenTheWhole) {
  EXPECT_EQ(FolderLevels(L"D:\\out\\mp3\\"),
            (std::vector<std::wstring>{L"D:", L"D:\\out", L"D:\\out\\mp3", L"D:\\out\\mp3\\"}));
  EXPECT_EQ(FolderLevels(L"\\\\server\\share\\"),
            (std::vector<std::wstring>{L"", L"\\", L"\\\\server", L"\\\\server\\share",
                                       L"\\\\server\\share\\"}));
  EXPECT_EQ(OutputFolderFromChoice(L"C:\\"), L"C:\\");
  EXPECT_EQ(OutputFolderFromChoice(L"C:\\Music"), L"C:\\Music\\");
  EXPECT_EQ(OutputFolderFromChoice(L""), L"");
}

TEST(ConverterFolders, ErrorTextRunsTogether) {
  EXPECT_EQ(FolderErrorText(L"Q:\\x\\"),
            L"\u5EFA\u7ACB\u76EE\u5F55\uFF1AQ:\\x\\\u51FA\u9519\uFF01\r\n\r\n"
            L"\u8BF7\u68C0\u67E5\u76EE\u5F55\u540D\u662F\u5426\u6B63\u786E\u3002");
}

}  // namespace
}  // namespace converter
