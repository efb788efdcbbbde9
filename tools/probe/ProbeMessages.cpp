#include "tools/probe/ProbeMessages.h"

#include <cctype>

#include "tools/probe/AsfDuration.h"

namespace probe {

std::string LengthLine(std::uint64_t length_100ns) {
  return "ID_LENGTH=" + FormatSeconds(length_100ns);
}

std::string Defuse(std::string_view text) {
  constexpr std::string_view kMarker = "id_length=";
  std::string out(text);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  for (std::size_t i = 0; i + kMarker.size() <= out.size(); ++i) {
    bool match = true;
    for (std::size_t k = 0; k < kMarker.size() && match; ++k) {
      match = std::tolower(static_cast<unsigned char>(out[i + k])) == kMarker[k];
    }
    if (match) out[i + kMarker.size() - 1] = '_';
  }
  return out;
}

std::string ErrorLine(std::string_view path, std::string_view reason) {
  std::string line = "mplayer: ";
  line += path;
  line += ": ";
  line += reason;
  return Defuse(line);
}

std::string UsageErrorLine(std::string_view problem) {
  std::string line = "mplayer: ";
  line += problem;
  line += " (try -help)";
  return Defuse(line);
}

}  // namespace probe
