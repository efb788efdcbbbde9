#pragma once
// The published properties every control has, windowed or windowless:
// caption, bounds, enabled, visible and font, read and set by name.
#include <cstdint>
#include <string>

#include "framework/Persistent.h"
#include "framework/Unicode.h"

template <class Control>
void DescribeCommonControlProperties(TPropertyTable& table, Control& control) {
  table.Text(
      "Caption", [&control] { return WideToUtf8(control.Caption()); },
      [&control](const std::string& v) { control.SetCaption(Utf8ToWide(v)); });
  table.Int("Left", [&control] { return control.Left(); });
  table.Int("Top", [&control] { return control.Top(); });
  table.Int("Width", [&control] { return control.Width(); });
  table.Int("Height", [&control] { return control.Height(); });
  table.Enum(
      "Enabled", {"False", "True"}, [&control] { return control.Enabled() ? 1 : 0; },
      [&control](std::int64_t v) { control.SetEnabled(v != 0); });
  table.Enum(
      "Visible", {"False", "True"}, [&control] { return control.Visible() ? 1 : 0; },
      [&control](std::int64_t v) { control.SetVisible(v != 0); });
  table.Object("Font", [&control]() -> TPersistent* { return &control.FontObject(); });
}
