#include "skin/menu/MenuFont.h"

#include "framework/Dpi.h"

namespace {

// Menu captions are 9 points high at the least (12 pixels at 96 DPI, the
// size of the form's own text): some systems name a smaller menu font, and
// CJK captions break up at 11 pixels in fonts whose small sizes are
// hand-drawn bitmaps.
LOGFONTW AtLeastNinePoints(LOGFONTW font, int dpi) {
  const int least = MulDiv(12, dpi > 0 ? dpi : kDefaultDpi, kDefaultDpi);
  if (font.lfHeight < 0 && -font.lfHeight < least) {
    font.lfHeight = -least;
    font.lfWidth = 0;
  }
  return font;
}

}  // namespace

LOGFONTW MenuLogFontForDpi(int dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersForDpi(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, dpi)) {
    return AtLeastNinePoints(metrics.lfMenuFont, dpi);
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
  return AtLeastNinePoints(font, dpi);
}

TOwnedFont MakeMenuFont(int dpi, bool bold) {
  LOGFONTW font = MenuLogFontForDpi(dpi);
  if (bold) font.lfWeight = FW_BOLD;
  return TOwnedFont(CreateFontIndirectW(&font));
}

int PopupMenuDpi() {
  return WindowDpi(GetActiveWindow());
}
