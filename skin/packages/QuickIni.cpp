#include "skin/packages/QuickIni.h"

#include <vector>

#include "framework/StrUtils.h"
#include "framework/Streams.h"

namespace {

bool IsHeader(const std::string& line) {
  return line.size() >= 2 && line.front() == '[' && line.back() == ']';
}

}  // namespace

void TQuickIni::LoadFromStream(TStream* stream) {
  if (!stream) return;
  const std::vector<std::uint8_t> text = ReadToEnd(*stream);
  LoadFromText(std::string_view(reinterpret_cast<const char*>(text.data()), text.size()));
}

void TQuickIni::LoadFromText(std::string_view text) {
  const size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  ini_lines_.BeginUpdate();
  section_lines_.BeginUpdate();
  ini_lines_.Clear();
  section_lines_.Clear();
  TStringList raw;
  raw.SetText(text);
  for (int i = 0; i < raw.Count(); ++i) {
    std::string line = Trim(raw[i]);
    if (line.empty() || line.front() == ';') continue;
    const int index = ini_lines_.Add(line);
    if (IsHeader(line)) section_lines_.Add(std::move(line), index);
  }
  section_lines_.EndUpdate();
  ini_lines_.EndUpdate();
}

int TQuickIni::FindSection(const std::string& section) const {
  const int i = section_lines_.IndexOf("[" + section + "]");
  return i < 0 ? -1 : static_cast<int>(section_lines_.Objects(i));
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& default_value) const {
  if (ini_lines_.Empty()) return default_value;
  const int header = FindSection(section);
  if (header < 0) return default_value;
  const std::string wanted = AsciiLower(key);
  for (int i = header + 1; i < ini_lines_.Count(); ++i) {
    const std::string& line = ini_lines_[i];
    if (IsHeader(line)) break;
    // A line without "=" has no key and never matches.
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (AsciiLower(Trim(std::string_view(line).substr(0, eq))) != wanted) continue;
    // The first line with the key ends the search, even with an empty value.
    std::string value = Trim(std::string_view(line).substr(eq + 1));
    return value.empty() ? default_value : value;
  }
  return default_value;
}

std::int32_t TQuickIni::ReadInteger(const std::string& section, const std::string& key,
                                    std::int32_t default_value) const {
  std::string text = ReadString(section, key, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text[1] = '$';
    text.erase(0, 1);
  }
  return StrToIntDef(text, default_value);
}

void TQuickIni::ReadSections(TStringList& target) const {
  target.Clear();
  for (int i = 0; i < section_lines_.Count(); ++i) {
    const std::string line = Trim(section_lines_[i]);
    target.Add(Trim(std::string_view(line).substr(1, line.size() - 2)));
  }
}
