#pragma once
// TFont: the font of a control as its published "Font" property shows it:
// the window's font handle (borrowed: the form owns the font its controls
// share) and the colour texts are drawn in. clDefault takes the colour of
// the parent's font, so the texts of a container's children follow it.
#include <windows.h>

#include "framework/Graphics.h"
#include "framework/Persistent.h"

class TFont : public TPersistent {
 public:
  HFONT Handle = nullptr;
  TColor Color = clDefault;

  void DescribeProperties(TPropertyTable& table) override {
    table.Int(
        "Color", [this] { return Color; },
        [this](std::int64_t v) { Color = static_cast<TColor>(v); });
  }
};
