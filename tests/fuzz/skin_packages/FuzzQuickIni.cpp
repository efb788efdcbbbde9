// Parsing skin definitions and reading every section with keys taken from
// the text itself.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/Streams.h"
#include "framework/StringList.h"
#include "skin/packages/QuickIni.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  TBytesStream stream(std::span(data, size));
  TQuickIni ini;
  ini.LoadFromStream(&stream);
  TStringList sections;
  ini.ReadSections(sections);
  if (sections.Count() != ini.SectionLines().Count()) std::abort();
  for (int s = 0; s < sections.Count() && s < 50; ++s) {
    const std::string section = sections[s];
    const int header = static_cast<int>(ini.SectionLines().Objects(s));
    for (int i = header + 1; i < ini.IniLines().Count() && i < header + 50; ++i) {
      const std::string& line = ini.IniLines()[i];
      const std::string key = line.substr(0, line.find('='));
      ini.ReadString(section, key, "default");
      ini.ReadInteger(section, key, -7);
    }
    ini.ReadString(section, "", "d");
  }
  ini.ReadInteger("", "", 0);
  return 0;
}
