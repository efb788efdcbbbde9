#include "skin/menu/MenuFont.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "framework/Dpi.h"
#include "framework/Form.h"
#include "framework/GdiObjects.h"

namespace {

// An ideograph every CJK face has; captions of the program's menus are
// Chinese.
constexpr wchar_t kProbeIdeograph = L'\u7F16';  // 编

std::uint32_t BigEndian(const std::uint8_t* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes; ++i) value = (value << 8) | p[i];
  return value;
}

// Whether `font` draws the probe ideograph from a hand-drawn bitmap at its
// pixel size (the face's embedded bitmap strikes, "EBLC"), not from its
// outline. Unsmoothed, an outline without hinting for that size loses the
// thin strokes of ideographs; a bitmap strike keeps them all.
bool HasIdeographBitmap(const LOGFONTW& font) {
  if (font.lfHeight >= 0) return false;
  TOwnedFont handle(CreateFontIndirectW(&font));
  TOwnedMemoryDC dc(nullptr);
  if (!handle || !dc.Get()) return false;
  TSelectObject select(dc.Get(), handle.Get());
  WORD glyph = 0xFFFF;
  if (GetGlyphIndicesW(dc.Get(), &kProbeIdeograph, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) != 1 ||
      glyph == 0xFFFF) {
    return false;  // drawn by another face, whichever the system falls back on
  }
  constexpr DWORD kTable = 'E' | ('B' << 8) | ('L' << 16) | ('C' << 24);
  constexpr int kHeader = 8, kSizeEntry = 48;
  std::array<std::uint8_t, kHeader> header{};
  if (GetFontData(dc.Get(), kTable, 0, header.data(), kHeader) != kHeader) return false;
  const std::uint32_t strikes = std::min<std::uint32_t>(BigEndian(header.data() + 4, 4), 64);
  std::vector<std::uint8_t> sizes(static_cast<size_t>(strikes) * kSizeEntry);
  if (sizes.empty() || GetFontData(dc.Get(), kTable, kHeader, sizes.data(),
                                   static_cast<DWORD>(sizes.size())) != sizes.size()) {
    return false;
  }
  const int ppem = -font.lfHeight;
  for (std::uint32_t i = 0; i < strikes; ++i) {
    const std::uint8_t* entry = sizes.data() + static_cast<size_t>(i) * kSizeEntry;
    const auto first = BigEndian(entry + 40, 2), last = BigEndian(entry + 42, 2);
    if (entry[45] == ppem && glyph >= first && glyph <= last) return true;
  }
  return false;
}

// Where text is drawn unsmoothed and the system's menu face would draw the
// captions' ideographs from an outline at this size (strokes missing), the
// captions take the face of the program's own text when that face has
// hand-drawn bitmaps for the size: menus then read as whole as the rest of
// the window.
LOGFONTW WithWholeIdeographs(LOGFONTW font) {
  BOOL smoothing = TRUE;
  if (!SystemParametersInfoW(SPI_GETFONTSMOOTHING, 0, &smoothing, 0) || smoothing) return font;
  if (HasIdeographBitmap(font)) return font;
  const TFormStyle form;
  LOGFONTW own = font;
  own.lfCharSet = form.font_charset;
  own.lfFaceName[form.font_face.copy(own.lfFaceName, LF_FACESIZE - 1)] = L'\0';
  return HasIdeographBitmap(own) ? own : font;
}

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
  return WithWholeIdeographs(AtLeastNinePoints(SystemMenuLogFont(dpi), dpi));
}

TOwnedFont MakeMenuFont(int dpi, bool bold) {
  LOGFONTW font = MenuLogFontForDpi(dpi);
  if (bold) font.lfWeight = FW_BOLD;
  return TOwnedFont(CreateFontIndirectW(&font));
}

HFONT TMenuFontPair::Get(int dpi, bool bold) {
  if (dpi != dpi_) {
    fonts_[0].Reset();
    fonts_[1].Reset();
    dpi_ = dpi;
  }
  TOwnedFont& font = fonts_[bold ? 1 : 0];
  if (!font) font = MakeMenuFont(dpi, bold);
  return font.Get();
}
