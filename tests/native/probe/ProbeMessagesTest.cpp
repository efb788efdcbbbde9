#include "tools/probe/ProbeMessages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

namespace {

// The main window lower-cases the probe's output and looks for this text.
bool ReadsAsLength(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text.find("id_length=") != std::string::npos;
}

TEST(ProbeMessages, LengthLine) {
  EXPECT_EQ(probe::LengthLine(2'157'300'000), "ID_LENGTH=215.73");
  EXPECT_EQ(probe::LengthLine(10'000'000), "ID_LENGTH=1.00");
}

TEST(ProbeMessages, ErrorLinesNeverReadAsALength) {
  const std::string paths[] = {"D:\\x ID_LENGTH=99.wma", "id_length=5", "Id_LeNgTh=1 ID_LENGTH=2",
                               "ID_LENGTH==3"};
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    const std::string line = probe::ErrorLine(path, "not a WMA/ASF file");
    EXPECT_FALSE(ReadsAsLength(line)) << line;
    EXPECT_EQ(line.rfind("mplayer: ", 0), 0u);
    EXPECT_NE(line.find(": not a WMA/ASF file"), std::string::npos);
    EXPECT_FALSE(
        ReadsAsLength(probe::UsageErrorLine("more than one source file given (" + path + ")")));
  }
  EXPECT_EQ(probe::ErrorLine("D:\\x ID_LENGTH=99.wma", "r"), "mplayer: D:\\x ID_LENGTH_99.wma: r");
}

TEST(ProbeMessages, ErrorLineIsOneLineAndKeepsUtf8) {
  const std::string line = probe::ErrorLine("/tmp/a\nb\r.wma", "cannot open");
  EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos);
  EXPECT_EQ(probe::ErrorLine("D:\\音乐\\歌.wma", "cannot open: No such file or directory"),
            "mplayer: D:\\音乐\\歌.wma: cannot open: No such file or directory");
}

}  // namespace
