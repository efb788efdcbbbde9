#pragma once
// TQuickIni holds one skin definition (an ini-style text) in memory and
// answers string and integer lookups by section and key. Only ASCII letters
// are folded where case does not matter. It never writes.
#include <cstdint>
#include <string>

#include "framework/StringList.h"

class TStream;

class TQuickIni {
 public:
  // Reads the text from `stream`'s position to its end and replaces the
  // content; a null stream changes nothing. A NUL character ends the text.
  void LoadFromStream(TStream* stream);
  // Same, from text in memory.
  void LoadFromText(std::string_view text);

  // The value of the first line with `key` (any case) in the first section
  // named `section` (any case); the default when the section, the key or
  // the value is missing.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& default_value) const;
  // ReadString converted to an integer ("0x" counts as "$", hexadecimal);
  // the default when the text does not convert.
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t default_value) const;
  // The section names, in file order.
  void ReadSections(TStringList& target) const;

  // Meaningful lines (trimmed, no blanks or comments) and the section header
  // lines, each with its index in IniLines as the associated value.
  const TStringList& IniLines() const { return ini_lines_; }
  const TStringList& SectionLines() const { return section_lines_; }

 private:
  int FindSection(const std::string& section) const;

  TStringList ini_lines_;
  TStringList section_lines_;
};
