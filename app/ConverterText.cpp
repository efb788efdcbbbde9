#include "app/ConverterText.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

#include "framework/Exceptions.h"

namespace converter {

namespace {

std::wstring Quote(const std::wstring& s) {
  return L"\"" + s + L"\"";
}

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// Parses a whole decimal number ("215.73", ".5", "7."); nothing otherwise.
std::optional<double> ParseNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::wstring ProbeCommandLine(const std::wstring& exe_dir, const std::wstring& source) {
  return Quote(exe_dir + L"mplayer.exe") + L" -msglevel identify=6 -vo none -ao none " +
         Quote(source) + L" 2>&1 |grep ID_LENGTH";
}

std::wstring EncoderCommandLine(const std::wstring& exe_dir, const std::wstring& source,
                                const std::wstring& output) {
  return Quote(exe_dir + L"ffmpeg.exe") + L" -i " + Quote(source) + L" -y -vn -acodec libmp3lame " +
         Quote(output);
}

bool HasDurationMarker(std::string_view output) {
  return Lower(output).find("id_length=") != std::string::npos;
}

int ParseDuration(std::string_view output) {
  const std::string lower = Lower(output);
  const size_t at = lower.find("id_length=");
  if (at == std::string::npos) return 0;
  const std::string_view after = std::string_view(lower).substr(at + 10, 20);
  std::string digits;
  for (char c : after) {
    if (c == '\r' || c == '\n') break;
    if ((c >= '0' && c <= '9') || c == '.') digits.push_back(c);
  }
  if (digits.empty()) return 0;
  const std::optional<double> value = ParseNumber(digits);
  if (!value) throw EConvertError("'" + digits + "' is not a valid floating point value");
  const double truncated = std::trunc(*value);
  if (truncated >= static_cast<double>(INT_MAX)) return INT_MAX;
  return static_cast<int>(truncated);
}

std::optional<double> ParseProgressSeconds(std::string_view line) {
  static constexpr std::string_view kOpen = "ffmpeg_release_time=";
  static constexpr std::string_view kClose = "=ffmpeg_release_time";
  const size_t open = line.find(kOpen);
  if (open != std::string_view::npos) {
    const std::string_view rest = line.substr(open + kOpen.size());
    const size_t close = rest.find(kClose);
    if (close == std::string_view::npos) return std::nullopt;
    return ParseNumber(rest.substr(0, close));
  }
  // The stock encoder rewrites "... time=00:01:02.50 bitrate=..." with CR.
  const size_t t = line.rfind("time=");
  if (t == std::string_view::npos) return std::nullopt;
  std::string_view v = line.substr(t + 5);
  v = v.substr(0, v.find(' '));
  // HH:MM:SS.cc; minutes and seconds have two digits each, so a line that
  // was cut inside the seconds is no timestamp yet.
  const size_t c1 = v.find(':');
  if (c1 == std::string_view::npos) return std::nullopt;
  const size_t c2 = v.find(':', c1 + 1);
  if (c2 == std::string_view::npos) return std::nullopt;
  const std::string_view hours = v.substr(0, c1);
  const std::string_view minutes = v.substr(c1 + 1, c2 - c1 - 1);
  const std::string_view seconds = v.substr(c2 + 1);
  const std::string_view whole_seconds = seconds.substr(0, seconds.find('.'));
  if (!AllDigits(hours) || minutes.size() != 2 || !AllDigits(minutes) ||
      whole_seconds.size() != 2 || !AllDigits(whole_seconds)) {
    return std::nullopt;
  }
  const auto h = ParseNumber(hours);
  const auto m = ParseNumber(minutes);
  const auto s = ParseNumber(seconds);
  if (!h || !m || !s) return std::nullopt;
  return *h * 3600 + *m * 60 + *s;
}

int RoundHalfEven(double value) {
  if (!std::isfinite(value)) return 0;
  double floor_value = std::floor(value);
  const double diff = value - floor_value;
  double r = floor_value;
  if (diff > 0.5) {
    r = floor_value + 1;
  } else if (diff == 0.5) {
    r = std::fmod(floor_value, 2.0) == 0 ? floor_value : floor_value + 1;
  }
  if (r >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (r <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(r);
}

std::wstring ExtractFileName(const std::wstring& path) {
  const size_t at = path.find_last_of(L"\\/:");
  return at == std::wstring::npos ? path : path.substr(at + 1);
}

std::wstring ChangeFileExt(const std::wstring& path, const std::wstring& ext) {
  const size_t name_start = path.find_last_of(L"\\/:");
  const size_t dot = path.find_last_of(L'.');
  if (dot == std::wstring::npos || (name_start != std::wstring::npos && dot < name_start)) {
    return path + ext;
  }
  return path.substr(0, dot) + ext;
}

std::wstring TOutputNames::NameFor(const std::wstring& source) {
  const std::wstring base = ChangeFileExt(ExtractFileName(source), L".mp3");
  std::wstring name = base;
  for (int n = 2; used_.count(name) != 0; ++n) {
    name = ChangeFileExt(base, L"") + L" (" + std::to_wstring(n) + L").mp3";
  }
  used_.insert(name);
  return folder_ + name;
}

std::vector<std::wstring> FolderLevels(const std::wstring& path) {
  std::vector<std::wstring> levels;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == L'\\') levels.push_back(path.substr(0, i));
  }
  levels.push_back(path);
  return levels;
}

std::wstring OutputFolderFromChoice(const std::wstring& chosen) {
  if (chosen.size() > 3) return chosen + L"\\";
  return chosen;
}

std::wstring FolderErrorText(const std::wstring& path) {
  return L"\u5EFA\u7ACB\u76EE\u5F55\uFF1A" + path + L"\u51FA\u9519\uFF01\r\n\r\n" +
         L"\u8BF7\u68C0\u67E5\u76EE\u5F55\u540D\u662F\u5426\u6B63\u786E\u3002";
}

}  // namespace converter
