#include "skin/controls/ContentColours.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "skin/data/SkinColours.h"

namespace {

// Disabled text is greyed only as far as it still reads this well.
constexpr double kDisabledContrast = 7.0;

double Channel(int value) {
  const double s = value / 255.0;
  return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
}

double Luminance(TColor c) {
  return 0.2126 * Channel(RedOf(c)) + 0.7152 * Channel(GreenOf(c)) + 0.0722 * Channel(BlueOf(c));
}

int Distance(TColor a, TColor b) {
  return std::max({std::abs(RedOf(a) - RedOf(b)), std::abs(GreenOf(a) - GreenOf(b)),
                   std::abs(BlueOf(a) - BlueOf(b))});
}

// A background for the other states: towards the face, or, where the face
// is (nearly) the content colour itself, towards the ink, so the state still
// shows.
TColor StateBack(TColor back, TColor face, TColor ink, double amount) {
  const TColor toward_face = MixColours(back, face, amount);
  if (Distance(toward_face, back) >= 10) return toward_face;
  return MixColours(back, ink, amount / 4);
}

}  // namespace

TColor MixColours(TColor a, TColor b, double amount) {
  amount = std::clamp(amount, 0.0, 1.0);
  const auto mix = [amount](int x, int y) {
    return static_cast<int>(std::lround(x + (y - x) * amount));
  };
  return RGBColour(mix(RedOf(a), RedOf(b)), mix(GreenOf(a), GreenOf(b)), mix(BlueOf(a), BlueOf(b)));
}

double ContrastRatio(TColor a, TColor b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TContentLook ContentLook(const TSkinColours& colours, TContentState state) {
  const TColor back = ColorToRGB(colours.Window) & 0xFFFFFF;
  const TColor ink = ColorToRGB(colours.WindowText) & 0xFFFFFF;
  const TColor face = ColorToRGB(colours.ButtonFace) & 0xFFFFFF;
  switch (state) {
    case csNormal:
      return {back, ink};
    case csReadOnly:
      return {StateBack(back, face, ink, 0.5), ink};
    case csDisabled: {
      const TColor grey_back = StateBack(back, face, ink, 0.8);
      // The ink fades towards the background as far as it keeps reading
      // (never below what the skin's own pair reaches).
      const double wanted = std::min(kDisabledContrast, ContrastRatio(ink, grey_back));
      TColor grey = ink;
      for (double fade = 0.05; fade <= 0.6; fade += 0.05) {
        const TColor next = MixColours(ink, grey_back, fade);
        if (ContrastRatio(next, grey_back) < wanted) break;
        grey = next;
      }
      return {grey_back, grey};
    }
  }
  return {back, ink};
}
