#include "tests/native/skins/OpenedSkin.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/Streams.h"
#include "framework/StringList.h"

std::string PackagePath(const std::string& stem) {
  return std::string(TONMILL_SKINS_DIR) + "/" + stem + ".skn";
}

bool ParseRgb(const std::string& text, Rgb& out) {
  std::vector<int> parts;
  int value = -1;
  for (char c : text + " ") {
    if (c >= '0' && c <= '9') {
      value = (value < 0 ? 0 : value * 10) + (c - '0');
      if (value > 255) return false;
    } else if (value >= 0) {
      parts.push_back(value);
      value = -1;
    }
  }
  if (parts.size() != 3) return false;
  out = {parts[0], parts[1], parts[2]};
  return true;
}

OpenedSkin::OpenedSkin(const std::string& path) {
  TMemoryStream file;
  file.LoadFromFile(path);
  package_size = file.Size();
  loaded = reader.Load(file);
  if (!loaded) return;
  TMemoryStream definition;
  reader.FindFile(".ini", definition, definition_name);
  ini.LoadFromStream(&definition);
}

std::string OpenedSkin::Value(const std::string& section, const std::string& key) const {
  return ini.ReadString(section, key, "");
}

int OpenedSkin::Int(const std::string& section, const std::string& key, int fallback) const {
  return ini.ReadInteger(section, key, fallback);
}

Rgb OpenedSkin::Colour(const std::string& key, const std::string& section) const {
  Rgb c;
  EXPECT_TRUE(ParseRgb(Value(section, key), c)) << section << "/" << key;
  return c;
}

std::optional<SkinBitmap> OpenedSkin::Bitmap(const std::string& section,
                                             const std::string& key) const {
  const std::string name = Value(section, key);
  if (name.empty()) return std::nullopt;
  TMemoryStream member;
  reader.ExtractFile(name, member);
  return DecodeSkinBitmap(member.Bytes());
}

std::vector<std::string> OpenedSkin::CaptionButtons() const {
  TStringList sections;
  ini.ReadSections(sections);
  std::vector<std::string> out;
  for (int i = 0; i < sections.Count(); ++i) {
    std::string upper = sections[i];
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    if (upper.rfind("BUTTON", 0) == 0 && upper != "BUTTON" && upper != "BUTTONS" &&
        upper != "BUTTON.RADIO" && upper != "BUTTON.CHECKBOX") {
      out.push_back(sections[i]);
    }
  }
  return out;
}
