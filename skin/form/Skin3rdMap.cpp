#include "skin/form/Skin3rdMap.h"

std::optional<std::string> Skin3rdKind(const TStringList& lines, std::string_view class_name) {
  const std::string key = AsciiLower(class_name) + "=";
  for (int i = 0; i < lines.Count(); ++i) {
    const std::string line = AsciiLower(lines[i]);
    if (line.compare(0, key.size(), key) != 0) continue;
    const size_t equals = line.find('=');
    return line.substr(equals + 1, 50);
  }
  return std::nullopt;
}
