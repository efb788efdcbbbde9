#include "skin/menu/MenuFont.h"

#include "framework/Dpi.h"

LOGFONTW MenuLogFontForDpi(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersForDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, dpi)) {
    return metrics.lfMenuFont;
  }
  // Older systems know the font at their own DPI only.
  LOGFONTW font{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0)) {
    font = metrics.lfMenuFont;
  } else {
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  }
  const int system = SystemDpi();
  if (dpi > 0 && system > 0 && dpi != system) font.lfHeight = MulDiv(font.lfHeight, dpi, system);
  return font;
}

TOwnedFont MakeMenuFont(int dpi, bool bold) {
  LOGFONTW font = MenuLogFontForDpi(dpi);
  if (bold) font.lfWeight = FW_BOLD;
  return TOwnedFont(CreateFontIndirectW(&font));
}

int PopupMenuDpi() {
  return WindowDpi(GetActiveWindow());
}
