#include "tools/probe/ProbeCommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using probe::ParseProbeCommandLine;
using probe::ProbeCommand;
using Args = std::vector<std::string_view>;

ProbeCommand Parse(const Args& args) {
  return ParseProbeCommandLine(args);
}

// The source chosen, or the usage error prefixed with "error: ".
std::string Source(const Args& args) {
  const ProbeCommand command = Parse(args);
  switch (command.kind) {
    case ProbeCommand::Kind::kProbe:
      return std::string(args.at(command.source_index));
    case ProbeCommand::Kind::kHelp:
      return "help";
    case ProbeCommand::Kind::kUsageError:
      return "error: " + command.error;
  }
  return "?";
}

TEST(ProbeCommandLine, TheMainWindowsCommandLine) {
  // "C:\Program Files\Tonmill\mplayer.exe" -msglevel identify=6 -vo none -ao none
  //   "D:\音乐\我的 歌.wma" 2>&1 |grep ID_LENGTH
  // as Windows splits it, without the program name.
  const Args args = {
      "-msglevel", "identify=6", "-vo",      "none", "-ao", "none", "D:\\音乐\\我的 歌.wma",
      "2>&1",      "|grep",      "ID_LENGTH"};
  const ProbeCommand command = Parse(args);
  ASSERT_EQ(command.kind, ProbeCommand::Kind::kProbe) << command.error;
  EXPECT_EQ(command.source_index, 6u);
}

TEST(ProbeCommandLine, SourceWithoutOrAroundOptions) {
  EXPECT_EQ(Source({"a.wma"}), "a.wma");
  EXPECT_EQ(Source({"a.wma", "-vo", "none"}), "a.wma");
  EXPECT_EQ(Source({"-ao", "none", "a.wma", "-msglevel", "identify=6"}), "a.wma");
  // Values of the known options are never the source, even when they look like one.
  EXPECT_EQ(Source({"-vo", "x.wma", "a.wma"}), "a.wma");
  EXPECT_EQ(Source({"-msglevel", "-vo", "a.wma"}), "a.wma");
}

TEST(ProbeCommandLine, ShellSyntaxIsIgnored) {
  EXPECT_EQ(Source({"a.wma", "2>&1"}), "a.wma");
  EXPECT_EQ(Source({"a.wma", ">nul", "2>>log.txt", "<in.txt"}), "a.wma");
  EXPECT_EQ(Source({"a.wma", "|grep", "ID_LENGTH"}), "a.wma");
  EXPECT_EQ(Source({"a.wma", "|", "grep", "ID_LENGTH"}), "a.wma");
  // Everything after the pipe belongs to the filter, whatever it looks like.
  EXPECT_EQ(Source({"a.wma", "|grep", "b.wma", "-vo"}), "a.wma");
  // Before the pipe, a file may well be called ID_LENGTH.
  EXPECT_EQ(Source({"ID_LENGTH", "2>&1", "|grep", "ID_LENGTH"}), "ID_LENGTH");
  // A path that merely contains ">" later on is not a redirection.
  EXPECT_EQ(Source({"2a>b.wma"}), "2a>b.wma");
}

TEST(ProbeCommandLine, UnknownOptions) {
  EXPECT_EQ(Source({"-x", "value", "a.wma"}), "a.wma");
  EXPECT_EQ(Source({"-quiet", "a.wma"}), "a.wma");
  EXPECT_EQ(Source({"a.wma", "-quiet"}), "a.wma");
  EXPECT_EQ(Source({"-x", "value", "-y", "a.wma", "2>&1", "|grep", "ID_LENGTH"}), "a.wma");
  EXPECT_EQ(Source({"-x", "v", "-vo", "none", "a.wma"}), "a.wma");
  // -y cannot take a.wma: the only operand left must be the source.
  EXPECT_EQ(Source({"-x", "v", "-y", "a.wma", "-vo", "none"}), "a.wma");
}

TEST(ProbeCommandLine, DoubleDashEndsOptions) {
  EXPECT_EQ(Source({"-vo", "none", "--", "-odd name.wma"}), "-odd name.wma");
  EXPECT_EQ(Source({"--", "-help"}), "-help");
  EXPECT_EQ(Source({"-x", "--", "a.wma"}), "a.wma");
}

TEST(ProbeCommandLine, Help) {
  for (std::string_view flag : {"-h", "-help", "--help", "-?", "/?"}) {
    EXPECT_EQ(Source({"-vo", "none", flag}), "help") << flag;
  }
  EXPECT_NE(std::string(probe::ProbeUsage()).find("usage: mplayer"), std::string::npos);
}

TEST(ProbeCommandLine, UsageErrors) {
  EXPECT_EQ(Source({}), "error: no source file given");
  EXPECT_EQ(Source({"-msglevel", "identify=6", "-vo", "none", "-ao", "none", "2>&1", "|grep",
                    "ID_LENGTH"}),
            "error: no source file given");
  EXPECT_EQ(Source({"|grep", "a.wma"}), "error: no source file given");
  EXPECT_EQ(Source({"-quiet"}), "error: no source file given");
  EXPECT_EQ(Source({"a.wma", "-vo"}), "error: option -vo needs a value");
  EXPECT_EQ(Source({"a.wma", "-ao", "2>&1"}), "error: option -ao needs a value");
  EXPECT_EQ(Source({"a.wma", "-msglevel", "|grep", "x"}), "error: option -msglevel needs a value");
  EXPECT_EQ(Source({"a.wma", "b.wma"}), "error: more than one source file given (a.wma, b.wma)");
  EXPECT_EQ(Source({"a.wma", "--", "b.wma"}),
            "error: more than one source file given (a.wma, b.wma)");
}

TEST(ProbeCommandLine, EmptyArgumentIsASource) {
  // An empty quoted path reaches the file opener, which reports it.
  EXPECT_EQ(Source({"-vo", "none", ""}), "");
}

}  // namespace
