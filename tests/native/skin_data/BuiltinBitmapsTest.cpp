// The built-in bitmaps: the drawn images, and the resource files beside the
// resource script, which must be what make_builtin_bitmaps writes.
#include "skin/data/BuiltinBitmaps.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/BmpReader.h"
#include "framework/Streams.h"

namespace {

TBitmap Drawn(const std::string& name) {
  TBitmap b;
  EXPECT_TRUE(DrawBuiltinBitmap(name, b)) << name;
  return b;
}

// The image's rows as text: S silver, G grey, H white, # black, ? other.
std::string Rows(const TBitmap& b, int left = 0, int width = -1) {
  if (width < 0) width = b.Width();
  std::string text;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = left; x < left + width; ++x) {
      const TColor c = b.Pixel(x, y);
      text += c == clSilver  ? 'S'
              : c == clGray  ? 'G'
              : c == clWhite ? 'H'
              : c == clBlack ? '#'
                             : '?';
    }
    text += '\n';
  }
  return text;
}

TEST(BuiltinBitmaps, TrackChannelsHaveTheirThreeShades) {
  const TBitmap track = Drawn("TRACK");
  EXPECT_EQ(Rows(track),
            "SSGGGGGGGGGGGGHH\n"
            "SSHHHHHHHHHHHHHH\n"
            "GSHHHHHHHHHHHHHH\n"
            "SSHHHHHHHHHHHHHH\n");
  EXPECT_EQ(track.BitCount(), 4);
  const TBitmap vert = Drawn("TRACKVERT");
  std::string expected = "SSGS\nSSSS\n";
  for (int i = 0; i < 12; ++i) expected += "GHHH\n";
  expected += "HHHH\nHHHH\n";
  EXPECT_EQ(Rows(vert), expected);
}

TEST(BuiltinBitmaps, MenuGlyphsAreBlackOnWhiteInFourCells) {
  const TBitmap glyphs = Drawn("VENEERMENU");
  ASSERT_EQ(glyphs.Width(), 64);
  ASSERT_EQ(glyphs.Height(), 16);
  EXPECT_EQ(glyphs.BitCount(), 1);
  // Maximise: a frame at x 3-12, y 3-12 with a two-pixel top bar.
  const std::string maximise = Rows(glyphs, 16, 16);
  EXPECT_EQ(maximise.substr(3 * 17, 17), "HHH##########HHH\n");
  EXPECT_EQ(maximise.substr(4 * 17, 17), "HHH##########HHH\n");
  EXPECT_EQ(maximise.substr(5 * 17, 17), "HHH#HHHHHHHH#HHH\n");
  EXPECT_EQ(maximise.substr(12 * 17, 17), "HHH##########HHH\n");
  EXPECT_EQ(maximise.substr(13 * 17, 17), "HHHHHHHHHHHHHHHH\n");
  // Minimise: a bar at x 5-11, y 7-8 and nothing else.
  const std::string minimise = Rows(glyphs, 32, 16);
  EXPECT_EQ(minimise.substr(7 * 17, 17), "HHHHH#######HHHH\n");
  EXPECT_EQ(minimise.substr(8 * 17, 17), "HHHHH#######HHHH\n");
  EXPECT_EQ(std::count(minimise.begin(), minimise.end(), '#'), 14);
  // Restore: the front window hides the back one's lower left corner.
  EXPECT_EQ(glyphs.Pixel(5, 4), clBlack);   // back window, top bar
  EXPECT_EQ(glyphs.Pixel(12, 9), clBlack);  // back window, bottom right
  EXPECT_EQ(glyphs.Pixel(5, 9), clWhite);   // under the front window
  EXPECT_EQ(glyphs.Pixel(3, 12), clBlack);  // front window
  EXPECT_EQ(glyphs.Pixel(6, 10), clWhite);  // front window inside
  // Close: both diagonals, and nothing outside x 3-11, y 4-12.
  for (int i = 0; i <= 8; ++i) {
    EXPECT_EQ(glyphs.Pixel(48 + 3 + i, 4 + i), clBlack) << i;
    EXPECT_EQ(glyphs.Pixel(48 + 11 - i, 4 + i), clBlack) << i;
  }
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      if (x < 3 || x > 11 || y < 4 || y > 12) {
        EXPECT_EQ(glyphs.Pixel(48 + x, y), clWhite);
      }
    }
  }
  TBitmap none;
  EXPECT_FALSE(DrawBuiltinBitmap("track", none));
  EXPECT_TRUE(BuiltinBitmapFile("OTHER").empty());
}

// Which pixels of a glyph are drawn (not the olive key).
std::vector<bool> Shape(const TBitmap& b) {
  std::vector<bool> shape;
  for (int y = 0; y < b.Height(); ++y) {
    for (int x = 0; x < b.Width(); ++x) shape.push_back(b.Pixel(x, y) != kMediaGlyphKey);
  }
  return shape;
}

TEST(BuiltinBitmaps, MediaGlyphsShareTheirShapeAcrossVariants) {
  std::vector<std::vector<bool>> shapes;
  for (const char* button : kMediaGlyphNames) {
    const TBitmap enabled = Drawn(std::string("EN_") + button);
    const TBitmap disabled = Drawn(std::string("DI_") + button);
    const TBitmap coloured = Drawn(std::string("CL_") + button);
    ASSERT_EQ(enabled.Width(), 16) << button;
    ASSERT_EQ(enabled.Height(), 16) << button;
    EXPECT_EQ(enabled.BitCount(), 4);
    // The corners are the key colour, so a glyph never fills its cell.
    EXPECT_EQ(enabled.Pixel(0, 15), kMediaGlyphKey) << button;
    EXPECT_EQ(enabled.Pixel(15, 0), kMediaGlyphKey) << button;
    const std::vector<bool> shape = Shape(enabled);
    const auto drawn = std::count(shape.begin(), shape.end(), true);
    EXPECT_GT(drawn, 30) << button;
    EXPECT_EQ(Shape(disabled), shape) << button;
    EXPECT_EQ(Shape(coloured), shape) << button;
    // One ink per variant: black, grey, and a colour that is neither.
    TColor colour = clNone;
    for (int y = 0; y < 16; ++y) {
      for (int x = 0; x < 16; ++x) {
        if (!shape[static_cast<size_t>(y * 16 + x)]) continue;
        EXPECT_EQ(enabled.Pixel(x, y), clBlack) << button;
        EXPECT_EQ(disabled.Pixel(x, y), clGray) << button;
        EXPECT_NE(coloured.Pixel(x, y), clBlack) << button;
        EXPECT_NE(coloured.Pixel(x, y), clGray) << button;
        if (colour == clNone) colour = coloured.Pixel(x, y);
        EXPECT_EQ(coloured.Pixel(x, y), colour) << button;
      }
    }
    shapes.push_back(shape);
  }
  // Nine different pictures.
  for (size_t i = 0; i < shapes.size(); ++i) {
    for (size_t j = i + 1; j < shapes.size(); ++j) EXPECT_NE(shapes[i], shapes[j]) << i << j;
  }
  // Play points right, previous starts with its bar at the left, eject's bar
  // lies under its arrow.
  const TBitmap play = Drawn("EN_MPPLAY");
  EXPECT_EQ(play.Pixel(5, 2), clBlack);
  EXPECT_EQ(play.Pixel(10, 7), clBlack);
  EXPECT_EQ(play.Pixel(10, 3), kMediaGlyphKey);
  const TBitmap prev = Drawn("EN_MPPREV");
  EXPECT_EQ(prev.Pixel(1, 2), clBlack);
  EXPECT_EQ(prev.Pixel(14, 2), clBlack);
  EXPECT_EQ(prev.Pixel(13, 2), kMediaGlyphKey);
  const TBitmap eject = Drawn("EN_MPEJECT");
  EXPECT_EQ(eject.Pixel(2, 12), clBlack);
  EXPECT_EQ(eject.Pixel(2, 9), kMediaGlyphKey);  // the gap
  EXPECT_EQ(eject.Pixel(7, 3), clBlack);
  TBitmap none;
  EXPECT_FALSE(DrawBuiltinBitmap("XX_MPPLAY", none));
  EXPECT_FALSE(DrawBuiltinBitmap("EN_MPFLY", none));
  EXPECT_TRUE(none.Empty());
}

TEST(BuiltinBitmaps, ResourceFilesAreTheGeneratorsOutput) {
  for (const char* name : kBuiltinBitmapNames) {
    TMemoryStream file;
    file.LoadFromFile(std::string(TONMILL_RESOURCES_DIR) + "/" + name + ".bmp");
    const std::vector<std::uint8_t> bytes(file.Bytes().begin(), file.Bytes().end());
    EXPECT_EQ(bytes, BuiltinBitmapFile(name))
        << name << ".bmp differs: run make_builtin_bitmaps skin/data/resources";
    TBitmap read;
    ASSERT_TRUE(ReadBmp(bytes, read)) << name;
    EXPECT_TRUE(read.SamePixels(Drawn(name))) << name;
    EXPECT_EQ(read.BitCount(), std::string(name) == "VENEERMENU" ? 1 : 4);
  }
}

}  // namespace
