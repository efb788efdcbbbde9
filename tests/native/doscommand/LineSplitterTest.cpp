#include "doscommand/LineSplitter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Event = std::pair<std::string, TOutputType>;

// Feeds each read in turn and records every report, as the worker does.
struct Recorder {
  TLineSplitter splitter;
  std::vector<Event> events;
  void Read(std::string_view bytes) {
    splitter.Feed(bytes, [this](const std::string& line, TOutputType type) {
      events.emplace_back(line, type);
    });
  }
  std::vector<std::string> Complete() const {
    std::vector<std::string> out;
    for (const auto& e : events)
      if (e.second == otEntireLine) out.push_back(e.first);
    return out;
  }
};

TEST(LineSplitter, CrLfAndLfInOneReadGiveTwoCompleteLines) {
  Recorder r;
  r.Read("a\r\nb\n");
  EXPECT_EQ(r.events, (std::vector<Event>{{"a", otEntireLine}, {"b", otEntireLine}}));
  EXPECT_TRUE(r.splitter.TakeRest().empty());
}

TEST(LineSplitter, UnfinishedLineIsReportedAndKeptForTheEnd) {
  Recorder r;
  r.Read("a\rb");
  EXPECT_EQ(r.events, (std::vector<Event>{{"a", otEntireLine}, {"b", otBeginningOfLine}}));
  EXPECT_EQ(r.splitter.TakeRest(), "b");
  EXPECT_TRUE(r.splitter.TakeRest().empty()) << "the rest is taken once";
}

TEST(LineSplitter, CrAtEndOfOneReadAndLfAtStartOfNextGiveALineAndAnEmptyLine) {
  Recorder r;
  r.Read("abc\r");
  r.Read("\ndef\n");
  EXPECT_EQ(r.Complete(), (std::vector<std::string>{"abc", "", "def"}));
}

TEST(LineSplitter, NulBytesNeverReachALine) {
  Recorder r;
  r.Read(std::string_view("x\0y\n\0\0z\n", 9));
  EXPECT_EQ(r.Complete(), (std::vector<std::string>{"xy", "z"}));
}

TEST(LineSplitter, CrOnlyProgressRewritesGiveOneLinePerRewrite) {
  Recorder r;
  r.Read("time=00:00:01\rtime=00:00:02\rtime=00:00:03\r");
  EXPECT_EQ(r.Complete(),
            (std::vector<std::string>{"time=00:00:01", "time=00:00:02", "time=00:00:03"}));
}

TEST(LineSplitter, UnfinishedLineGrowingOverReadsIsReportedWhole) {
  Recorder r;
  r.Read("ab");
  r.Read("cd");
  r.Read("ef\n");
  EXPECT_EQ(r.events, (std::vector<Event>{{"ab", otBeginningOfLine},
                                          {"abcd", otBeginningOfLine},
                                          {"abcdef", otEntireLine}}));
}

TEST(LineSplitter, EmptyLinesAreCompletedLikeAnyOther) {
  Recorder r;
  r.Read("\n\r\n\r\r");
  EXPECT_EQ(r.Complete(), (std::vector<std::string>{"", "", "", ""}));
}

TEST(LineSplitter, StopDropsTheRestOfTheRead) {
  TLineSplitter s;
  std::vector<Event> events;
  int calls = 0;
  // The stop request arrives after five bytes: "one\n" and the "t" of "two".
  s.Feed("one\ntwo\nthree\n",
         [&](const std::string& line, TOutputType type) { events.emplace_back(line, type); },
         [&] { return ++calls > 5; });
  EXPECT_EQ(events, (std::vector<Event>{{"one", otEntireLine}, {"t", otBeginningOfLine}}));
  EXPECT_EQ(s.TakeRest(), "t");
}

TEST(LineSplitter, HighBytesPassThroughUnchanged) {
  Recorder r;
  const std::string gbk = "\xd7\xaa\xbb\xbb";  // two GBK characters
  r.Read(gbk + "\n");
  EXPECT_EQ(r.Complete(), (std::vector<std::string>{gbk}));
}

}  // namespace
