// Runs the built mplayer exactly as the main window does, on WMA files that
// the native ffmpeg makes at test time, and checks its answer against ffprobe.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "tests/native/probe/Subprocess.h"

namespace {

namespace fs = std::filesystem;
using probetest::Capture;
using probetest::RunProgram;
using probetest::RunResult;

const fs::path kMediaDir = TONMILL_PROBE_MEDIA_DIR;
const std::string kProbe = TONMILL_PROBE_EXE;

// Our line carries hundredths rounded to the nearest (off by at most 0.005 s);
// ffprobe reads the same header fields and prints them to the millisecond
// (ASF timestamps are milliseconds), off by less than 0.001 s. Any larger
// difference means one of the two reads the header differently.
constexpr double kToleranceSeconds = 0.006;

// The main window's command line, split into arguments as Windows does.
RunResult Probe(const fs::path& source, Capture capture = Capture::kMerged) {
  return RunProgram({kProbe, "-msglevel", "identify=6", "-vo", "none", "-ao", "none",
                     source.string(), "2>&1", "|grep", "ID_LENGTH"},
                    capture);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

// What the main window would take as a length: it lower-cases the output and
// looks for "id_length=".
bool ReadsAsLength(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text.find("id_length=") != std::string::npos;
}

fs::path MediaPath(const std::string& name) {
  fs::create_directories(kMediaDir);
  return kMediaDir / name;
}

// ffmpeg options that make `seconds` of test signal into the given codec.
std::vector<std::string> EncodeArgs(const std::string& source, const std::string& codec,
                                    int channels) {
  return {"ffmpeg",
          "-nostdin",
          "-v",
          "error",
          "-y",
          "-f",
          "lavfi",
          "-i",
          source,
          "-ac",
          std::to_string(channels),
          "-c:a",
          codec};
}

testing::AssertionResult Encode(std::vector<std::string> args, const fs::path& out) {
  args.push_back(out.string());
  const RunResult r = RunProgram(args);
  if (r.exit_code != 0) {
    return testing::AssertionFailure() << "ffmpeg failed (" << r.exit_code << "): " << r.out;
  }
  return testing::AssertionSuccess();
}

testing::AssertionResult MakeWma(const fs::path& out, const std::string& codec = "wmav2",
                                 int channels = 2, double seconds = 1.0) {
  return Encode(
      EncodeArgs("sine=frequency=440:sample_rate=22050:duration=" + std::to_string(seconds), codec,
                 channels),
      out);
}

double FfprobeSeconds(const fs::path& file) {
  const RunResult r = RunProgram({"ffprobe", "-v", "error", "-show_entries", "format=duration",
                                  "-of", "default=noprint_wrappers=1:nokey=1", file.string()},
                                 Capture::kSeparate);
  EXPECT_EQ(r.exit_code, 0) << r.err;
  return std::strtod(r.out.c_str(), nullptr);
}

// The seconds of a success line, or a failure naming what was printed.
testing::AssertionResult IsLengthLine(const RunResult& r, double* seconds) {
  static const std::regex kLine(R"(ID_LENGTH=([0-9]+\.[0-9]{2})\n)");
  std::smatch m;
  if (r.exit_code != 0 || !std::regex_match(r.out, m, kLine)) {
    return testing::AssertionFailure() << "exit " << r.exit_code << ", printed [" << r.out << "]";
  }
  *seconds = std::strtod(m[1].str().c_str(), nullptr);
  return testing::AssertionSuccess();
}

void ExpectOneErrorLine(const RunResult& r, int exit_code, const std::string& mentions) {
  EXPECT_EQ(r.exit_code, exit_code);
  const std::vector<std::string> lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 1u) << r.out;
  EXPECT_EQ(lines[0].rfind("mplayer: ", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(mentions), std::string::npos) << lines[0];
  EXPECT_FALSE(ReadsAsLength(r.out)) << r.out;
}

struct MediaCase {
  const char* name;
  const char* codec;
  int channels;
  int sample_rate;
  const char* generator;  // lavfi source
  double seconds;
};

std::ostream& operator<<(std::ostream& os, const MediaCase& c) {
  return os << c.name;
}

class ProbeOnWma : public testing::TestWithParam<MediaCase> {};

TEST_P(ProbeOnWma, AgreesWithFfprobe) {
  const MediaCase& c = GetParam();
  const fs::path file = MediaPath(std::string(c.name) + ".wma");
  const std::string source =
      std::string(c.generator) + "=sample_rate=" + std::to_string(c.sample_rate) + ":" +
      (std::string(c.generator) == "sine" ? "duration=" : "d=") + std::to_string(c.seconds);
  ASSERT_TRUE(Encode(EncodeArgs(source, c.codec, c.channels), file));

  double ours = 0;
  ASSERT_TRUE(IsLengthLine(Probe(file), &ours));
  const double theirs = FfprobeSeconds(file);
  EXPECT_NEAR(ours, theirs, kToleranceSeconds);
  // Both could misread the same way; the encoder pads the signal to whole
  // frames of at most 2048 samples, so the file is that much longer at most.
  EXPECT_GE(ours, c.seconds - 0.005);
  EXPECT_LE(ours, c.seconds + 2048.0 / c.sample_rate + 0.005);
}

// Long files at low rates keep the encoding quick (well under a second each).
INSTANTIATE_TEST_SUITE_P(
    Generated, ProbeOnWma,
    testing::Values(MediaCase{"wmav1_mono_1s", "wmav1", 1, 22050, "sine", 1.0},
                    MediaCase{"wmav1_stereo_1s", "wmav1", 2, 44100, "sine", 1.0},
                    MediaCase{"wmav2_mono_1s", "wmav2", 1, 44100, "sine", 1.0},
                    MediaCase{"wmav2_stereo_1s", "wmav2", 2, 22050, "sine", 1.0},
                    MediaCase{"wmav1_mono_37s", "wmav1", 1, 8000, "anoisesrc", 37.4},
                    MediaCase{"wmav1_stereo_37s", "wmav1", 2, 22050, "sine", 37.4},
                    MediaCase{"wmav2_mono_37s", "wmav2", 1, 22050, "anoisesrc", 37.4},
                    MediaCase{"wmav2_stereo_37s", "wmav2", 2, 8000, "sine", 37.4},
                    MediaCase{"wmav1_mono_10min", "wmav1", 1, 8000, "sine", 600.0},
                    MediaCase{"wmav1_stereo_10min", "wmav1", 2, 11025, "sine", 600.0},
                    MediaCase{"wmav2_mono_10min", "wmav2", 1, 11025, "sine", 600.0},
                    MediaCase{"wmav2_stereo_10min", "wmav2", 2, 8000, "sine", 600.0}),
    [](const testing::TestParamInfo<MediaCase>& info) { return std::string(info.param.name); });

TEST(ProbeRun, ChineseFileNameWithSpaces) {
  const fs::path file = MediaPath("测试 音乐 歌曲.wma");
  ASSERT_TRUE(MakeWma(file, "wmav2", 2, 2.5));
  double ours = 0;
  ASSERT_TRUE(IsLengthLine(Probe(file), &ours));
  EXPECT_NEAR(ours, FfprobeSeconds(file), kToleranceSeconds);
}

TEST(ProbeRun, LengthGoesToStandardOutputAlone) {
  const fs::path file = MediaPath("stdout_only.wma");
  ASSERT_TRUE(MakeWma(file));
  const RunResult r = Probe(file, Capture::kSeparate);
  double ours = 0;
  EXPECT_TRUE(IsLengthLine(r, &ours));
  EXPECT_EQ(r.err, "");
}

TEST(ProbeRun, MissingFile) {
  const fs::path file = MediaPath("no such file 没有.wma");
  fs::remove(file);
  ExpectOneErrorLine(Probe(file), 1, file.string() + ": cannot open");
}

TEST(ProbeRun, NotAsf) {
  const fs::path file = MediaPath("not_asf.wma");
  std::ofstream(file, std::ios::binary) << "RIFF....WAVEfmt this is no ASF file at all\n";
  ExpectOneErrorLine(Probe(file), 1, "not a WMA/ASF file");
  // A file named like a result line must still not read as one.
  const fs::path tricky = MediaPath("ID_LENGTH=99.wma");
  fs::copy_file(file, tricky, fs::copy_options::overwrite_existing);
  ExpectOneErrorLine(Probe(tricky), 1, "not a WMA/ASF file");
}

TEST(ProbeRun, TruncatedHeader) {
  const fs::path whole = MediaPath("to_truncate.wma");
  ASSERT_TRUE(MakeWma(whole));
  const fs::path cut = MediaPath("truncated.wma");
  fs::copy_file(whole, cut, fs::copy_options::overwrite_existing);
  fs::resize_file(cut, 100);  // inside the file properties object
  ExpectOneErrorLine(Probe(cut), 1, "truncated");
}

TEST(ProbeRun, BroadcastFileHasNoLength) {
  // Written to a pipe, ffmpeg cannot go back to fill in the length and marks
  // the file as a broadcast.
  std::vector<std::string> args = EncodeArgs("sine=sample_rate=8000:duration=1", "wmav2", 1);
  args.insert(args.end(), {"-f", "asf", "pipe:1"});
  const RunResult r = RunProgram(args, Capture::kSeparate);
  ASSERT_EQ(r.exit_code, 0) << r.err;
  const fs::path file = MediaPath("broadcast.wma");
  std::ofstream(file, std::ios::binary) << r.out;
  ExpectOneErrorLine(Probe(file), 1, "broadcast");
}

TEST(ProbeRun, DirectoryIsNotAFile) {
  fs::create_directories(kMediaDir / "a_folder.wma");
  ExpectOneErrorLine(Probe(kMediaDir / "a_folder.wma"), 1, "cannot open");
}

TEST(ProbeRun, NoSourceIsAUsageError) {
  ExpectOneErrorLine(RunProgram({kProbe, "-msglevel", "identify=6", "-vo", "none", "-ao", "none",
                                 "2>&1", "|grep", "ID_LENGTH"}),
                     2, "no source file given");
}

}  // namespace
