#include "skins/generator/Raster.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace skingen {

namespace {

float Clamp01(float v) {
  return std::clamp(v, 0.0f, 1.0f);
}

// Coverage of a pixel by a shape whose edge is `d` pixels from its centre.
float Coverage(float d) {
  return Clamp01(0.5f - d);
}

double Linear(float channel) {
  const double c = std::clamp(std::round(channel), 0.0f, 255.0f) / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::uint8_t ToByte(float v) {
  return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

}  // namespace

TRgb Rgb(int r, int g, int b) {
  return TRgb{static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
}

TRgb Hex(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') throw std::invalid_argument("colour " + text);
  const auto part = [&](int at) {
    size_t used = 0;
    const int v = std::stoi(text.substr(at, 2), &used, 16);
    if (used != 2) throw std::invalid_argument("colour " + text);
    return v;
  };
  return Rgb(part(1), part(3), part(5));
}

TRgb Mix(TRgb a, TRgb b, float t) {
  return TRgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
TRgb Lighter(TRgb c, float t) {
  return Mix(c, Rgb(255, 255, 255), t);
}
TRgb Darker(TRgb c, float t) {
  return Mix(c, Rgb(0, 0, 0), t);
}

double Luminance(TRgb c) {
  return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b);
}

double ContrastRatio(TRgb a, TRgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TRgb TPaint::At(float x, float y) const {
  if (!gradient) return a;
  const float p = vertical ? y : x;
  const float t = to == from ? 0.0f : Clamp01((p - from) / (to - from));
  return Mix(a, b, t);
}

TShape RoundRect(float x0, float y0, float x1, float y1, float tl, float tr, float br, float bl) {
  const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
  return [=](float x, float y) {
    const float px = x - cx, py = y - cy;
    const float r = px > 0 ? (py > 0 ? br : tr) : (py > 0 ? bl : tl);
    const float qx = std::fabs(px) - (hx - r), qy = std::fabs(py) - (hy - r);
    const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
  };
}

TShape RoundRect(float x0, float y0, float x1, float y1, float radius) {
  return RoundRect(x0, y0, x1, y1, radius, radius, radius, radius);
}

TShape Circle(float cx, float cy, float radius) {
  return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

TShape Capsule(float x0, float y0, float x1, float y1, float width) {
  return [=](float x, float y) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 == 0 ? 0 : Clamp01(((x - x0) * dx + (y - y0) * dy) / len2);
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - width / 2;
  };
}

TShape Polygon(std::vector<std::pair<float, float>> points) {
  return [points = std::move(points)](float x, float y) {
    float best = 1e9f;
    bool inside = false;
    const size_t n = points.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const auto [xi, yi] = points[i];
      const auto [xj, yj] = points[j];
      const float dx = xj - xi, dy = yj - yi;
      const float len2 = dx * dx + dy * dy;
      const float t = len2 == 0 ? 0 : Clamp01(((x - xi) * dx + (y - yi) * dy) / len2);
      best = std::min(best, std::hypot(x - (xi + t * dx), y - (yi + t * dy)));
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) inside = !inside;
    }
    return inside ? -best : best;
  };
}

TShape Union(TShape a, TShape b) {
  return
      [a = std::move(a), b = std::move(b)](float x, float y) { return std::min(a(x, y), b(x, y)); };
}

TShape Intersect(TShape a, TShape b) {
  return
      [a = std::move(a), b = std::move(b)](float x, float y) { return std::max(a(x, y), b(x, y)); };
}

TShape Above(float y) {
  return [y](float, float py) { return py - y; };
}

TShape Inset(TShape shape, float by) {
  return [shape = std::move(shape), by](float x, float y) { return shape(x, y) + by; };
}

TImage::TImage(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3, 0) {}

bool TImage::IsKey(int x, int y) const {
  const std::uint8_t* p = Pixel(x, y);
  return p[0] == kKeyR && p[1] == kKeyG && p[2] == kKeyB;
}

void TImage::Paste(const TImage& src, int x, int y) {
  for (int sy = 0; sy < src.height; ++sy) {
    const int ty = y + sy;
    if (ty < 0 || ty >= height) continue;
    for (int sx = 0; sx < src.width; ++sx) {
      const int tx = x + sx;
      if (tx < 0 || tx >= width) continue;
      std::copy_n(src.Pixel(sx, sy), 3, Pixel(tx, ty));
    }
  }
}

TImage TImage::Crop(int x, int y, int w, int h) const {
  TImage out(w, h);
  for (int ty = 0; ty < h; ++ty) {
    for (int tx = 0; tx < w; ++tx) std::copy_n(Pixel(x + tx, y + ty), 3, out.Pixel(tx, ty));
  }
  return out;
}

TRaster::TRaster(int width, int height)
    : width_(width), height_(height), px_(static_cast<size_t>(width) * height) {}

void TRaster::Over(int x, int y, TRgb c, float alpha) {
  if (alpha <= 0) return;
  Px& p = px_[static_cast<size_t>(y) * width_ + x];
  p.r = c.r * alpha + p.r * (1 - alpha);
  p.g = c.g * alpha + p.g * (1 - alpha);
  p.b = c.b * alpha + p.b * (1 - alpha);
  p.a = alpha + p.a * (1 - alpha);
}

void TRaster::Fill(const TShape& shape, const TPaint& paint, float opacity) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const float cx = x + 0.5f, cy = y + 0.5f;
      Over(x, y, paint.At(cx, cy), Coverage(shape(cx, cy)) * opacity);
    }
  }
}

void TRaster::Stroke(const TShape& shape, float width, const TPaint& paint, float opacity) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const float cx = x + 0.5f, cy = y + 0.5f;
      const float d = shape(cx, cy);
      const float band = Coverage(d) - Coverage(d + width);
      Over(x, y, paint.At(cx, cy), std::max(band, 0.0f) * opacity);
    }
  }
}

void TRaster::FillAll(const TPaint& paint) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) Over(x, y, paint.At(x + 0.5f, y + 0.5f), 1.0f);
  }
}

void TRaster::Erase(const TShape& shape) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const float keep = 1 - Coverage(shape(x + 0.5f, y + 0.5f));
      Px& p = px_[static_cast<size_t>(y) * width_ + x];
      p.r *= keep;
      p.g *= keep;
      p.b *= keep;
      p.a *= keep;
    }
  }
}

TImage TRaster::ToImage(const TPaint& paint, float cut) const {
  TImage out(width_, height_);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const Px& p = px_[static_cast<size_t>(y) * width_ + x];
      std::uint8_t* o = out.Pixel(x, y);
      const TRgb backdrop = paint.At(x + 0.5f, y + 0.5f);
      if (p.a < cut) {
        o[0] = kKeyR, o[1] = kKeyG, o[2] = kKeyB;
        continue;
      }
      o[0] = ToByte(p.r + backdrop.r * (1 - p.a));
      o[1] = ToByte(p.g + backdrop.g * (1 - p.a));
      o[2] = ToByte(p.b + backdrop.b * (1 - p.a));
      // A drawn pixel must never read as the key: the window outline treats
      // green up to 1 as the key too.
      if (o[0] == 255 && o[1] <= 1 && o[2] == 255) o[0] = 254;
    }
  }
  return out;
}

std::vector<std::uint8_t> TRaster::ToRgba() const {
  std::vector<std::uint8_t> out(static_cast<size_t>(width_) * height_ * 4);
  for (size_t i = 0; i < px_.size(); ++i) {
    const Px& p = px_[i];
    std::uint8_t* o = &out[i * 4];
    if (p.a <= 0) continue;
    o[0] = ToByte(p.r / p.a);
    o[1] = ToByte(p.g / p.a);
    o[2] = ToByte(p.b / p.a);
    o[3] = ToByte(p.a * 255);
  }
  return out;
}

TImage JoinCells(const std::vector<TImage>& cells, bool stacked) {
  if (cells.empty()) return TImage();
  const int w = cells[0].width, h = cells[0].height;
  const int n = static_cast<int>(cells.size());
  TImage out(stacked ? w : w * n, stacked ? h * n : h);
  for (int i = 0; i < n; ++i) {
    if (cells[i].width != w || cells[i].height != h) {
      throw std::invalid_argument("cells of one strip differ in size");
    }
    out.Paste(cells[i], stacked ? 0 : w * i, stacked ? h * i : 0);
  }
  return out;
}

}  // namespace skingen
