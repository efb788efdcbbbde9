#include "skin/data/SkinColours.h"

#include "framework/StrUtils.h"
#include "skin/packages/QuickIni.h"

TColor ParseColour(std::string_view text, TColor default_colour) {
  if (text.empty()) return default_colour;
  const std::string trimmed = Trim(text);
  int parts[3] = {0, 0, 0};
  int taken = 0;
  size_t i = 0;
  while (i < trimmed.size() && taken < 3) {
    if (trimmed[i] < '0' || trimmed[i] > '9') {
      ++i;
      continue;
    }
    // Only the low 8 bits are kept, so long numbers cannot overflow.
    int value = 0;
    while (i < trimmed.size() && trimmed[i] >= '0' && trimmed[i] <= '9') {
      value = (value * 10 + (trimmed[i] - '0')) & 0xFF;
      ++i;
    }
    if (i < trimmed.size() || taken == 2) parts[taken++] = value;
  }
  return RGBColour(parts[0], parts[1], parts[2]);
}

void TSkinColours::Read(const TQuickIni& ini) {
  struct TKey {
    const char* key;
    TColor TSkinColours::*field;
    TColor fallback;
  };
  // "Menubar" falls back to ButtonFace, which is read before it.
  static constexpr TKey kKeys[] = {
      {"WindowText", &TSkinColours::WindowText, clWindowText},
      {"ButtonFace", &TSkinColours::ButtonFace, clBtnFace},
      {"Scrollbar", &TSkinColours::Scrollbar, clScrollBar},
      {"HilightText", &TSkinColours::HilightText, clHighlightText},
      {"Hilight", &TSkinColours::Hilight, clHighlight},
      {"Menubar", &TSkinColours::Menubar, clNone},
      {"Menu", &TSkinColours::Menu, clMenu},
      {"MenuText", &TSkinColours::MenuText, clMenuText},
      {"ButtonText", &TSkinColours::ButtonText, clBtnText},
      {"ButtonHilight", &TSkinColours::ButtonHilight, clBtnHighlight},
      {"Buttonlight", &TSkinColours::Buttonlight, clBtnHighlight},
      {"ButtonShadow", &TSkinColours::ButtonShadow, clBtnShadow},
      {"ButtonDkShadow", &TSkinColours::ButtonDkShadow, cl3DDkShadow},
      {"MenuBarText", &TSkinColours::MenuBarText, clMenuText},
      {"TitleTextActive", &TSkinColours::TitleTextActive, clCaptionText},
      {"TitleTextNoActive", &TSkinColours::TitleTextNoActive, clInactiveCaptionText},
      {"Window", &TSkinColours::Window, clWindow},
  };
  for (const TKey& k : kKeys) {
    const TColor fallback = k.field == &TSkinColours::Menubar ? ButtonFace : k.fallback;
    this->*k.field = ParseColour(ini.ReadString("Colours", k.key, ""), fallback);
  }
}
