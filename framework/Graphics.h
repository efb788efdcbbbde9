#pragma once
// Colours and rectangles of the framework's drawing code. A TColor is a
// COLORREF-style value (red in bits 0-7, green 8-15, blue 16-23); a system
// colour is 0xFF000000 plus its COLOR_... index, a negative value as a
// signed 32-bit number, and is resolved to RGB only when drawn.
#include <algorithm>
#include <cstdint>

using TColor = std::int32_t;

inline constexpr TColor kSystemColourFlag = static_cast<TColor>(0xFF000000u);

constexpr TColor SystemColour(int index) {
  return static_cast<TColor>(0xFF000000u | static_cast<std::uint32_t>(index & 0xFF));
}
constexpr bool IsSystemColour(TColor colour) {
  return colour < 0;
}

constexpr TColor RGBColour(int red, int green, int blue) {
  return static_cast<TColor>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}
constexpr int RedOf(TColor colour) {
  return colour & 0xFF;
}
constexpr int GreenOf(TColor colour) {
  return (colour >> 8) & 0xFF;
}
constexpr int BlueOf(TColor colour) {
  return (colour >> 16) & 0xFF;
}

// Plain colours.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
// "No colour" and "the control's default colour".
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// System colours, by their COLOR_... index.
inline constexpr TColor clScrollBar = SystemColour(0);
inline constexpr TColor clBackground = SystemColour(1);
inline constexpr TColor clActiveCaption = SystemColour(2);
inline constexpr TColor clInactiveCaption = SystemColour(3);
inline constexpr TColor clMenu = SystemColour(4);
inline constexpr TColor clWindow = SystemColour(5);
inline constexpr TColor clWindowFrame = SystemColour(6);
inline constexpr TColor clMenuText = SystemColour(7);
inline constexpr TColor clWindowText = SystemColour(8);
inline constexpr TColor clCaptionText = SystemColour(9);
inline constexpr TColor clActiveBorder = SystemColour(10);
inline constexpr TColor clInactiveBorder = SystemColour(11);
inline constexpr TColor clAppWorkSpace = SystemColour(12);
inline constexpr TColor clHighlight = SystemColour(13);
inline constexpr TColor clHighlightText = SystemColour(14);
inline constexpr TColor clBtnFace = SystemColour(15);
inline constexpr TColor clBtnShadow = SystemColour(16);
inline constexpr TColor clGrayText = SystemColour(17);
inline constexpr TColor clBtnText = SystemColour(18);
inline constexpr TColor clInactiveCaptionText = SystemColour(19);
inline constexpr TColor clBtnHighlight = SystemColour(20);
inline constexpr TColor cl3DDkShadow = SystemColour(21);
inline constexpr TColor cl3DLight = SystemColour(22);
inline constexpr TColor clInfoText = SystemColour(23);
inline constexpr TColor clInfoBk = SystemColour(24);
inline constexpr TColor clHotLight = SystemColour(26);
inline constexpr TColor clGradientActiveCaption = SystemColour(27);
inline constexpr TColor clGradientInactiveCaption = SystemColour(28);
inline constexpr TColor clMenuHighlight = SystemColour(29);
inline constexpr TColor clMenuBar = SystemColour(30);

// The RGB value of system colour `index` (0..30): the system's current value
// on Windows, the default colours of a fresh Windows 10 desktop elsewhere.
TColor SystemColourRGB(int index);

// A system colour resolved to RGB; any other colour as it is.
inline TColor ColorToRGB(TColor colour) {
  return IsSystemColour(colour) ? SystemColourRGB(colour & 0xFF) : colour;
}

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint&, const TPoint&) = default;
};

// A rectangle whose right and bottom edges lie outside it, as in GDI.
struct TRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Empty() const { return right <= left || bottom <= top; }
  bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  TRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
  friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Bounds(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

// The common part of two rectangles; empty (all zero) when they do not meet.
inline TRect Intersect(const TRect& a, const TRect& b) {
  const TRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                std::min(a.bottom, b.bottom)};
  return r.Empty() ? TRect{} : r;
}
