#include "skin/controls/SkinDateTimeColours.h"

#include <algorithm>
#include <unordered_map>

namespace {
// How far (squared, summed over the channels) a pixel may lie from the
// line between a pair and still count as drawn in that pair.
constexpr int kNearEnough = 3 * 14 * 14;

struct TRgbF {
  int r, g, b;
};

TRgbF FromColour(TColor colour) {
  return {RedOf(colour), GreenOf(colour), BlueOf(colour)};
}

TRgbF FromWord(std::uint32_t word) {
  return {static_cast<int>((word >> 16) & 0xFF), static_cast<int>((word >> 8) & 0xFF),
          static_cast<int>(word & 0xFF)};
}

std::uint32_t Mix(TRgbF a, TRgbF b, int t, int scale) {
  auto channel = [&](int x, int y) {
    return static_cast<std::uint32_t>(std::clamp(x + (y - x) * t / scale, 0, 255));
  };
  return channel(a.r, b.r) << 16 | channel(a.g, b.g) << 8 | channel(a.b, b.b);
}

// The pixel moved by the pair that explains it best, or itself.
std::uint32_t Move(std::uint32_t word, const std::vector<TColourMove>& moves) {
  const TRgbF p = FromWord(word);
  int best_error = kNearEnough + 1;
  std::uint32_t result = word;
  for (const TColourMove& move : moves) {
    const TRgbF a = FromColour(ColorToRGB(move.from_back));
    const TRgbF b = FromColour(ColorToRGB(move.from_text));
    const TRgbF d{b.r - a.r, b.g - a.g, b.b - a.b};
    const int length = d.r * d.r + d.g * d.g + d.b * d.b;
    // Where along the line from background to text the pixel lies, in
    // 1/1024ths.
    int t = 0;
    if (length > 0) {
      const int along = (p.r - a.r) * d.r + (p.g - a.g) * d.g + (p.b - a.b) * d.b;
      t = std::clamp(static_cast<int>(static_cast<long long>(along) * 1024 / length), 0, 1024);
    }
    const TRgbF q{a.r + d.r * t / 1024, a.g + d.g * t / 1024, a.b + d.b * t / 1024};
    const int error =
        (p.r - q.r) * (p.r - q.r) + (p.g - q.g) * (p.g - q.g) + (p.b - q.b) * (p.b - q.b);
    if (error >= best_error) continue;
    best_error = error;
    result =
        Mix(FromColour(ColorToRGB(move.to_back)), FromColour(ColorToRGB(move.to_text)), t, 1024);
  }
  return result;
}
}  // namespace

void MoveColours(std::span<std::uint32_t> pixels, const std::vector<TColourMove>& moves) {
  if (moves.empty()) return;
  // A field has few colours: each is worked out once.
  std::unordered_map<std::uint32_t, std::uint32_t> seen;
  for (std::uint32_t& pixel : pixels) {
    const std::uint32_t word = pixel & 0xFFFFFF;
    auto found = seen.find(word);
    if (found == seen.end()) found = seen.emplace(word, Move(word, moves)).first;
    pixel = (pixel & 0xFF000000u) | found->second;
  }
}
