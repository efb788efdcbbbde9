#pragma once
// One built skin package opened the way the skin data component opens it
// (archive reader, then the first ".ini" member through the ini reader),
// with the colours and images its definition names.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "skin/packages/QuickIni.h"
#include "skin/packages/SkinReader.h"
#include "tests/native/skins/SkinBitmap.h"

// A skin of the store and the contrast its texts must reach.
struct StoredSkin {
  int item;
  const char* stem;
  double min_contrast;  // 7:1 for the high-contrast skin
};

inline const StoredSkin kSkins[] = {{0, "meadow", 4.5},
                                    {1, "nightfall", 4.5},
                                    {2, "daylight", 4.5},
                                    {3, "contrast", 7.0},
                                    {4, "ember", 4.5}};

inline void PrintTo(const StoredSkin& skin, std::ostream* os) {
  *os << skin.stem;
}

// Where the build left the package of `stem`.
std::string PackagePath(const std::string& stem);

struct Rgb {
  int r = 0, g = 0, b = 0;
};

// "r g b" with any separators, as the skin colours are written.
bool ParseRgb(const std::string& text, Rgb& out);

inline double Contrast(Rgb a, Rgb b) {
  return ContrastRatio(a.r, a.g, a.b, b.r, b.g, b.b);
}

class OpenedSkin {
 public:
  explicit OpenedSkin(const std::string& path);

  std::string Value(const std::string& section, const std::string& key) const;
  int Int(const std::string& section, const std::string& key, int fallback) const;
  // A colour text of the definition; black (and a test failure) when unreadable.
  Rgb Colour(const std::string& key, const std::string& section = "Colours") const;
  // The bitmap a key names; nothing when it is missing or not a 24-bit BMP.
  std::optional<SkinBitmap> Bitmap(const std::string& section, const std::string& key) const;
  // Section names that are caption buttons (those the engine reads).
  std::vector<std::string> CaptionButtons() const;

  TSkinReader reader;
  TQuickIni ini;
  std::string definition_name;
  bool loaded = false;
  std::int64_t package_size = 0;
};
