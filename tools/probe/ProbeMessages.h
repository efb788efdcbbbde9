// The lines the probe prints. Its reader merges standard output and standard
// error and looks for "id_length=" in any case, so the result line is the only
// one that may ever contain that text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace probe {

// "ID_LENGTH=215.73"
std::string LengthLine(std::uint64_t length_100ns);

// "mplayer: <path>: <reason>". Text taken from the command line (a file could
// be named "x ID_LENGTH=99.wma") has its "=" after the marker replaced, so a
// failure can never be read as a length.
std::string ErrorLine(std::string_view path, std::string_view reason);

// "mplayer: <problem> (try -help)"
std::string UsageErrorLine(std::string_view problem);

// Replaces the "=" of every "id_length=" (any case) by "_"; also drops line
// breaks so the message stays one line.
std::string Defuse(std::string_view text);

}  // namespace probe
