#pragma once
// A small floating-point drawing surface for the skin generator. Shapes are
// described by signed distance functions (negative inside), so their edges
// come out anti-aliased; a pixel carries a colour and a coverage. When a
// surface is turned into a bitmap, pixels with little coverage become the
// transparent key colour (magenta) and the rest are laid over a backdrop.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace skingen {

// A colour with channels 0..255 (fractional while drawing).
struct TRgb {
  float r = 0, g = 0, b = 0;
};

TRgb Rgb(int r, int g, int b);
// "#rrggbb" → colour; anything else raises std::invalid_argument.
TRgb Hex(const std::string& text);
// a + (b - a) * t, per channel.
TRgb Mix(TRgb a, TRgb b, float t);
TRgb Lighter(TRgb c, float t);  // toward white
TRgb Darker(TRgb c, float t);   // toward black
// Relative luminance and contrast ratio as the web accessibility guidelines
// compute them, on 8-bit channels.
double Luminance(TRgb c);
double ContrastRatio(TRgb a, TRgb b);

// What fills a shape: one colour, or a linear ramp between two colours
// along y (vertical) or x from `from` to `to` (pixel coordinates).
struct TPaint {
  TRgb a;
  TRgb b;
  bool gradient = false;
  bool vertical = true;
  float from = 0, to = 1;

  static TPaint Solid(TRgb c) { return TPaint{c, c}; }
  static TPaint Vertical(TRgb top, TRgb bottom, float y0, float y1) {
    return TPaint{top, bottom, true, true, y0, y1};
  }
  static TPaint Horizontal(TRgb left, TRgb right, float x0, float x1) {
    return TPaint{left, right, true, false, x0, x1};
  }
  TRgb At(float x, float y) const;
};

// Signed distance of a pixel centre to a shape (negative inside).
using TShape = std::function<float(float x, float y)>;

// Rounded rectangle from (x0, y0) to (x1, y1) (edges, not pixel centres) with
// its own radius per corner: top-left, top-right, bottom-right, bottom-left.
TShape RoundRect(float x0, float y0, float x1, float y1, float tl, float tr, float br, float bl);
TShape RoundRect(float x0, float y0, float x1, float y1, float radius);
TShape Circle(float cx, float cy, float radius);
// A thick line with round ends.
TShape Capsule(float x0, float y0, float x1, float y1, float width);
// Convex or concave polygon (even-odd), corners in order.
TShape Polygon(std::vector<std::pair<float, float>> points);
TShape Union(TShape a, TShape b);
TShape Intersect(TShape a, TShape b);
// The half plane above the line y = `y` (everything with a smaller y).
TShape Above(float y);
TShape Inset(TShape shape, float by);  // the shape shrunk by `by` pixels

// An 8-bit RGB bitmap, rows top to bottom; the key colour is (255, 0, 255).
struct TImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // width * height * 3, R G B order

  TImage() = default;
  TImage(int w, int h);
  std::uint8_t* Pixel(int x, int y) { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
  const std::uint8_t* Pixel(int x, int y) const {
    return &rgb[(static_cast<size_t>(y) * width + x) * 3];
  }
  bool IsKey(int x, int y) const;
  // Copies `src` with its top-left corner at (x, y); pixels outside are cut.
  void Paste(const TImage& src, int x, int y);
  TImage Crop(int x, int y, int w, int h) const;
};

inline constexpr std::uint8_t kKeyR = 255, kKeyG = 0, kKeyB = 255;

class TRaster {
 public:
  TRaster(int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // Lays `paint` over every pixel by the shape's coverage times `opacity`.
  void Fill(const TShape& shape, const TPaint& paint, float opacity = 1.0f);
  // A band `width` pixels wide just inside the shape's edge.
  void Stroke(const TShape& shape, float width, const TPaint& paint, float opacity = 1.0f);
  // Fills the whole surface (no anti-aliasing needed).
  void FillAll(const TPaint& paint);
  // Makes pixels inside the shape transparent again (coverage removed).
  void Erase(const TShape& shape);

  // Pixels whose coverage is below `cut` become the key colour; the rest are
  // laid over `backdrop` (what the image will be drawn on). A cut of 0 keeps
  // every pixel (an image drawn without transparency).
  TImage ToImage(const TPaint& backdrop, float cut = 0.5f) const;
  TImage ToImage(TRgb backdrop, float cut = 0.5f) const {
    return ToImage(TPaint::Solid(backdrop), cut);
  }
  // The pixels with their coverage as alpha (straight, not premultiplied):
  // width * height * 4 bytes, R G B A order, rows top to bottom.
  std::vector<std::uint8_t> ToRgba() const;

 private:
  struct Px {
    float r = 0, g = 0, b = 0, a = 0;  // colour premultiplied by coverage
  };
  void Over(int x, int y, TRgb c, float alpha);

  int width_;
  int height_;
  std::vector<Px> px_;
};

// Cells side by side (or stacked) into one strip; every cell has the size
// of the first.
TImage JoinCells(const std::vector<TImage>& cells, bool stacked = false);

}  // namespace skingen
