// The probe's command line. The main window starts the probe directly (no
// shell) with
//   "<dir>mplayer.exe" -msglevel identify=6 -vo none -ao none "<source>" 2>&1 |grep ID_LENGTH
// so the redirection and the filter arrive as ordinary arguments. Win32-free:
// arguments are UTF-8 here, and the source is returned by its position so the
// caller can open the original (wide) argument without a round trip.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace probe {

struct ProbeCommand {
  enum class Kind { kProbe, kHelp, kUsageError };
  Kind kind = Kind::kUsageError;
  // kProbe: index of the source path in the arguments given to the parser.
  std::size_t source_index = 0;
  // kUsageError: what is wrong. It may quote arguments, which can hold any
  // character; UsageErrorLine makes the printable line of it.
  std::string error;
};

// `args` are the arguments after the program name.
//  - "-msglevel", "-vo" and "-ao" take the next argument as their value.
//  - "-h", "-help", "--help", "-?" and "/?" ask for the usage text.
//  - An argument starting with "|" begins a pipeline: it and everything after
//    it are ignored. Redirections ("2>&1", ">nul", "<in") are ignored.
//  - "--" ends the options; later arguments are never taken as options.
//  - Any other "-x" is an unknown option. It takes the next argument as its
//    value unless that argument is the last one that could be the source, so
//    both "-x value file" and "-flag file" leave "file" as the source.
//  - Exactly one source must remain.
ProbeCommand ParseProbeCommandLine(std::span<const std::string_view> args);

// The usage text, several lines each ending in "\n".
const char* ProbeUsage();

}  // namespace probe
