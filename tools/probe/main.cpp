// mplayer: the duration probe run beside Tonmill.exe. Prints the play length of
// one WMA/ASF file as "ID_LENGTH=<seconds>" and exits 0, or prints one error
// line and exits non-zero.
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/probe/AsfDuration.h"
#include "tools/probe/FileSource.h"
#include "tools/probe/ProbeCommandLine.h"
#include "tools/probe/ProbeMessages.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr int kExitOk = 0;
constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;

#ifdef _WIN32
std::string ToUtf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.pop_back();  // the terminating NUL
  return out;
}
#else
std::string ToUtf8(const char* text) {
  return text;
}
#endif

void PrintLine(std::FILE* stream, const std::string& line) {
  std::fputs(line.c_str(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

int Run(int argc, const probe::NativePathChar* const* argv) {
  // UTF-8 copies of the arguments after the program name, for parsing and messages.
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(ToUtf8(argv[i]));
  const std::vector<std::string_view> views(args.begin(), args.end());

  const probe::ProbeCommand command = probe::ParseProbeCommandLine(views);
  if (command.kind == probe::ProbeCommand::Kind::kHelp) {
    std::fputs(probe::ProbeUsage(), stdout);
    return kExitOk;
  }
  if (command.kind == probe::ProbeCommand::Kind::kUsageError) {
    PrintLine(stderr, probe::UsageErrorLine(command.error));
    return kExitUsage;
  }

  // The file is opened through the original argument, not the UTF-8 copy.
  const std::string& shown_path = args[command.source_index];
  std::string reason;
  std::optional<probe::FileSource> source =
      probe::FileSource::Open(argv[command.source_index + 1], reason);
  if (!source) {
    PrintLine(stderr, probe::ErrorLine(shown_path, "cannot open: " + reason));
    return kExitUnreadable;
  }
  const probe::AsfDuration duration = probe::ReadAsfDuration(*source);
  if (duration.error != probe::AsfError::kNone) {
    PrintLine(stderr, probe::ErrorLine(shown_path, probe::AsfErrorText(duration.error)));
    return kExitUnreadable;
  }
  PrintLine(stdout, probe::LengthLine(duration.length_100ns));
  return kExitOk;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  return Run(argc, argv);
}
#else
int main(int argc, char** argv) {
  return Run(argc, argv);
}
#endif
