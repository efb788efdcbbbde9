// Feeds arbitrary argument lists (NUL-separated) to the probe's command line
// parser: it must pick an existing argument that is neither shell syntax nor
// an option's value, or report an error that prints as one line.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tools/probe/ProbeCommandLine.h"
#include "tools/probe/ProbeMessages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> args;
  std::size_t start = 0;
  while (start <= input.size()) {
    const std::size_t end = std::min(input.find('\0', start), input.size());
    args.push_back(input.substr(start, end - start));
    start = end + 1;
  }
  const probe::ProbeCommand command = probe::ParseProbeCommandLine(args);
  switch (command.kind) {
    case probe::ProbeCommand::Kind::kProbe: {
      if (command.source_index >= args.size()) std::abort();
      const std::string_view source = args[command.source_index];
      if (!source.empty() && source.front() == '|') std::abort();
      for (std::size_t i = 0; i < command.source_index; ++i) {
        if (!args[i].empty() && args[i].front() == '|') std::abort();  // after a pipe
      }
      if (command.source_index > 0) {
        const std::string_view before = args[command.source_index - 1];
        if (before == "-vo" || before == "-ao" || before == "-msglevel") {
          // Only an option's value if that option was not itself a value.
          bool is_value = true;
          for (std::size_t i = command.source_index - 1; i > 0; --i) {
            const std::string_view prev = args[i - 1];
            if (prev == "-vo" || prev == "-ao" || prev == "-msglevel") {
              is_value = !is_value;
            } else {
              break;
            }
          }
          if (is_value) std::abort();
        }
      }
      break;
    }
    case probe::ProbeCommand::Kind::kUsageError: {
      // What is printed must be one line that never reads as a length.
      if (command.error.empty()) std::abort();
      std::string line = probe::UsageErrorLine(command.error);
      if (line.find_first_of("\r\n") != std::string::npos) std::abort();
      for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
      if (line.find("id_length=") != std::string::npos) std::abort();
      break;
    }
    case probe::ProbeCommand::Kind::kHelp:
      break;
  }
  return 0;
}
