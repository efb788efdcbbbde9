#include "bench/skin_packages/SkinBenchData.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// A small deterministic generator (64-bit LCG, upper bits).
class Lcg {
 public:
  explicit Lcg(std::uint64_t seed) : state_(seed) {}
  std::uint32_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<std::uint32_t>(state_ >> 33);
  }
  int Range(int n) { return static_cast<int>(Next() % static_cast<std::uint32_t>(n)); }

 private:
  std::uint64_t state_;
};

struct Rgb {
  int r, g, b;
};

int Clamp(int v) {
  return std::clamp(v, 0, 255);
}

Rgb Mix(Rgb a, Rgb b, double t) {
  return {static_cast<int>(a.r + (b.r - a.r) * t), static_cast<int>(a.g + (b.g - a.g) * t),
          static_cast<int>(a.b + (b.b - a.b) * t)};
}

// A bottom-up 24-bit bitmap file.
class Bitmap {
 public:
  Bitmap(int width, int height) : w_(width), h_(height), px_(static_cast<size_t>(w_ * h_)) {}
  int Width() const { return w_; }
  int Height() const { return h_; }
  void Set(int x, int y, Rgb c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[static_cast<size_t>(y * w_ + x)] = c;
  }
  Rgb Get(int x, int y) const { return px_[static_cast<size_t>(y * w_ + x)]; }

  std::vector<std::uint8_t> File() const {
    const int row = (w_ * 3 + 3) & ~3;
    const int image = row * h_;
    std::vector<std::uint8_t> out;
    auto put16 = [&](int v) {
      out.push_back(static_cast<std::uint8_t>(v));
      out.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    auto put32 = [&](int v) {
      put16(v & 0xFFFF);
      put16((v >> 16) & 0xFFFF);
    };
    out.push_back('B');
    out.push_back('M');
    put32(54 + image);
    put32(0);
    put32(54);
    put32(40);
    put32(w_);
    put32(h_);
    put16(1);
    put16(24);
    put32(0);
    put32(image);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int y = h_ - 1; y >= 0; --y) {
      for (int x = 0; x < w_; ++x) {
        const Rgb c = Get(x, y);
        out.push_back(static_cast<std::uint8_t>(Clamp(c.b)));
        out.push_back(static_cast<std::uint8_t>(Clamp(c.g)));
        out.push_back(static_cast<std::uint8_t>(Clamp(c.r)));
      }
      for (int pad = w_ * 3; pad < row; ++pad) out.push_back(0);
    }
    return out;
  }

 private:
  int w_, h_;
  std::vector<Rgb> px_;
};

constexpr Rgb kMagenta{255, 0, 255};

// Vertical gradient with a light top line and a dark bottom line, noise of
// +-`noise` per channel (anti-aliasing and dithering in real skins).
void Gradient(Bitmap& bmp, int x0, int y0, int w, int h, Rgb top, Rgb bottom, int noise, Lcg& rng) {
  for (int y = 0; y < h; ++y) {
    const Rgb base = Mix(top, bottom, h > 1 ? static_cast<double>(y) / (h - 1) : 0.0);
    for (int x = 0; x < w; ++x) {
      Rgb c = base;
      if (y == 0) c = Mix(c, Rgb{255, 255, 255}, 0.5);
      if (y == h - 1 || x == w - 1) c = Mix(c, Rgb{0, 0, 0}, 0.4);
      if (x == 0) c = Mix(c, Rgb{255, 255, 255}, 0.3);
      if (noise > 0) {
        const int n = rng.Range(2 * noise + 1) - noise;
        c = {c.r + n, c.g + n, c.b + n};
      }
      bmp.Set(x0 + x, y0 + y, c);
    }
  }
}

// Magenta outside rounded corners of radius `r` in the cell at x0.
void RoundCorners(Bitmap& bmp, int x0, int w, int h, int r) {
  for (int y = 0; y < r; ++y) {
    for (int x = 0; x < r; ++x) {
      const double dx = r - x - 0.5, dy = r - y - 0.5;
      if (dx * dx + dy * dy > r * r) {
        bmp.Set(x0 + x, y, kMagenta);
        bmp.Set(x0 + w - 1 - x, y, kMagenta);
        bmp.Set(x0 + x, h - 1 - y, kMagenta);
        bmp.Set(x0 + w - 1 - x, h - 1 - y, kMagenta);
      }
    }
  }
}

// A glyph drawn with anti-aliased edges: a cross, a box, a bar or a tick.
void Glyph(Bitmap& bmp, int cx, int cy, int size, int kind, Rgb ink) {
  for (int y = -size; y <= size; ++y) {
    for (int x = -size; x <= size; ++x) {
      double d = 0;
      switch (kind % 4) {
        case 0:
          d = std::min(std::abs(x - y), std::abs(x + y)) / 1.4;
          break;
        case 1:
          d = std::abs(std::max(std::abs(x), std::abs(y)) - size * 0.7);
          break;
        case 2:
          d = std::abs(y - size * 0.5);
          break;
        default:
          d = std::abs(y - (x < 0 ? -x : x / 2.0) + size * 0.2) / 1.2;
          break;
      }
      const double a = std::clamp(1.6 - d, 0.0, 1.0);
      if (a > 0) bmp.Set(cx + x, cy + y, Mix(bmp.Get(cx + x, cy + y), ink, a));
    }
  }
}

Rgb Shade(Rgb c, int state) {
  const int d = state * 18 - 20;
  return {c.r + d, c.g + d, c.b + d};
}

std::string DefinitionText(const std::vector<std::string>& bitmaps, Lcg& rng) {
  std::string text =
      "; skin definition\r\n[Skin]\r\nName=Bench Skin\r\nAuthor=Tonmill\r\nVersion=2\r\n\r\n"
      "[Colours]\r\nButtonFace=212,208,200\r\nButtonText=0,0,0\r\nButtonShadow=128,128,128\r\n"
      "ButtonHighlight=255,255,255\r\nWindow=255,255,255\r\nWindowText=0,0,0\r\n\r\n";
  static const char* const kKeys[] = {"Image", "Trans",   "Left", "Top",  "Right", "Bottom",
                                      "Frame", "Stretch", "Tile", "Font", "Color", "Offset"};
  for (const std::string& name : bitmaps) {
    text += '[';
    text.append(name, 0, name.size() - 4);  // without ".bmp"
    text += "]\r\nImage=";
    text += name;
    text += "\r\n";
    for (const char* key : kKeys) {
      if (rng.Range(3) == 0) continue;
      text += std::string(key) + "=" + std::to_string(rng.Range(40)) + "\r\n";
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace

void MakeSkinLikeArchive(TSkinArchiveWriter& writer, std::size_t target_bytes) {
  Lcg rng(20000);
  std::vector<std::string> names;
  std::size_t total = 0;
  const Rgb palette[] = {{58, 110, 165}, {90, 140, 60}, {150, 60, 60}, {100, 100, 110}};
  auto add = [&](const std::string& name, const Bitmap& bmp) {
    const std::vector<std::uint8_t> file = bmp.File();
    writer.AddMember(name, file);
    names.push_back(name);
    total += file.size();
  };

  for (int round = 0; total < target_bytes; ++round) {
    const Rgb base = palette[round % 4];
    const std::string suffix = round == 0 ? "" : std::to_string(round);
    {  // caption bar: gradient with a title area and a dithered band
      Bitmap bmp(480, 30);
      Gradient(bmp, 0, 0, 480, 30, Mix(base, {255, 255, 255}, 0.4), base, 1, rng);
      RoundCorners(bmp, 0, 480, 30, 6);
      add("frametop" + suffix + ".bmp", bmp);
    }
    for (const char* side : {"frameleft", "frameright", "framebottom"}) {
      const bool bottom = std::string(side) == "framebottom";
      Bitmap bmp(bottom ? 480 : 6, bottom ? 6 : 400);
      Gradient(bmp, 0, 0, bmp.Width(), bmp.Height(), base, Mix(base, {0, 0, 0}, 0.3), 0, rng);
      add(side + suffix + ".bmp", bmp);
    }
    {  // push button: four states side by side
      Bitmap bmp(4 * 90, 28);
      for (int s = 0; s < 4; ++s) {
        Gradient(bmp, s * 90, 0, 90, 28, Shade({236, 233, 216}, s), Shade({200, 196, 180}, s), 0,
                 rng);
        RoundCorners(bmp, s * 90, 90, 28, 3);
      }
      add("button" + suffix + ".bmp", bmp);
    }
    for (const char* cap : {"close", "max", "min", "restore"}) {
      Bitmap bmp(3 * 21, 21);
      for (int s = 0; s < 3; ++s) {
        Gradient(bmp, s * 21, 0, 21, 21, Shade(base, s + 1), Shade(base, s), 0, rng);
        Glyph(bmp, s * 21 + 10, 10, 5, static_cast<int>(cap[0]), {255, 255, 255});
        RoundCorners(bmp, s * 21, 21, 21, 3);
      }
      add(std::string(cap) + suffix + ".bmp", bmp);
    }
    for (const char* box : {"checkbox", "radio"}) {
      Bitmap bmp(8 * 13, 13);
      for (int s = 0; s < 8; ++s) {
        Gradient(bmp, s * 13, 0, 13, 13, {250, 250, 250}, {220, 220, 215}, 0, rng);
        if (s >= 4) Glyph(bmp, s * 13 + 6, 6, 4, 3, {33, 161, 33});
        if (std::string(box) == "radio") RoundCorners(bmp, s * 13, 13, 13, 6);
      }
      add(box + suffix + ".bmp", bmp);
    }
    for (const char* part : {"scrollup", "scrolldown", "scrollthumb", "progress", "tab"}) {
      Bitmap bmp(4 * 17, 17);
      for (int s = 0; s < 4; ++s) {
        Gradient(bmp, s * 17, 0, 17, 17, Shade(Mix(base, {255, 255, 255}, 0.6), s), Shade(base, s),
                 0, rng);
        Glyph(bmp, s * 17 + 8, 8, 4, static_cast<int>(part[6]), {40, 40, 40});
      }
      add(std::string(part) + suffix + ".bmp", bmp);
    }
    {  // background texture: a soft pattern with dithering
      Bitmap bmp(200, 200);
      for (int y = 0; y < 200; ++y) {
        for (int x = 0; x < 200; ++x) {
          const int v = 200 + static_cast<int>(12 * std::sin(x / 9.0) * std::cos(y / 13.0)) +
                        rng.Range(3) - 1;
          bmp.Set(x, y, {v, v - 4, v - 12});
        }
      }
      add("background" + suffix + ".bmp", bmp);
    }
  }
  const std::string ini = DefinitionText(names, rng);
  writer.AddMember("benchskin.ini",
                   std::span(reinterpret_cast<const std::uint8_t*>(ini.data()), ini.size()));
}
