// The BMP reader against hand-made files, the writer, the bitmap's own
// drawing and the image list.
#include <gtest/gtest.h>

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "framework/Bitmap.h"
#include "framework/BmpReader.h"
#include "framework/BmpWriter.h"
#include "framework/Exceptions.h"
#include "framework/ImageList.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(Bytes& b, std::uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// A 40-byte info header.
Bytes InfoHeader(int w, int h, int bpp, std::uint32_t compression = 0,
                 std::uint32_t colours_used = 0) {
  Bytes b;
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(w));
  Put32(b, static_cast<std::uint32_t>(h));
  Put16(b, 1);
  Put16(b, static_cast<std::uint32_t>(bpp));
  Put32(b, compression);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, colours_used);
  Put32(b, 0);
  return b;
}

// A file: header + table (any bytes) + bits, with the offset of the bits
// pointing right after the table.
Bytes File(const Bytes& header, const Bytes& table, const Bytes& bits) {
  Bytes b{'B', 'M'};
  const std::uint32_t off = static_cast<std::uint32_t>(14 + header.size() + table.size());
  Put32(b, off + static_cast<std::uint32_t>(bits.size()));
  Put32(b, 0);
  Put32(b, off);
  b.insert(b.end(), header.begin(), header.end());
  b.insert(b.end(), table.begin(), table.end());
  b.insert(b.end(), bits.begin(), bits.end());
  return b;
}

// Colour table entries (blue, green, red, reserved).
Bytes Table(std::initializer_list<TColor> colours) {
  Bytes b;
  for (TColor c : colours) Put32(b, TBitmap::ToPixel(c));
  return b;
}

TBitmap Read(const Bytes& file) {
  TBitmap b;
  EXPECT_TRUE(ReadBmp(file, b));
  return b;
}

TEST(BmpReader, ReadsPalettedRowsBottomUpAndTopDown) {
  // 1 bit, 10 x 2: bottom row first, each row padded to 4 bytes.
  const Bytes bits1 = {0b10100000, 0b01000000, 0, 0, 0b01010101, 0b11000000, 0, 0};
  const TBitmap one = Read(File(InfoHeader(10, 2, 1), Table({clRed, clBlue}), bits1));
  ASSERT_EQ(one.Width(), 10);
  ASSERT_EQ(one.Height(), 2);
  EXPECT_EQ(one.BitCount(), 1);
  EXPECT_EQ(one.Pixel(0, 1), clBlue);  // first stored row is the bottom one
  EXPECT_EQ(one.Pixel(1, 1), clRed);
  EXPECT_EQ(one.Pixel(9, 1), clBlue);
  EXPECT_EQ(one.Pixel(0, 0), clRed);
  EXPECT_EQ(one.Pixel(9, 0), clBlue);

  // 4 bits with a table of 3 entries: index 5 lies past it and reads black.
  const Bytes bits4 = {0x01, 0x25, 0x00, 0x00};
  const TBitmap four =
      Read(File(InfoHeader(3, 1, 4, 0, 3), Table({clWhite, clLime, clNavy}), bits4));
  EXPECT_EQ(four.Pixel(0, 0), clWhite);
  EXPECT_EQ(four.Pixel(1, 0), clLime);
  EXPECT_EQ(four.Pixel(2, 0), clNavy);
  const Bytes bits4b = {0x50, 0x00, 0x00, 0x00};
  EXPECT_EQ(
      Read(File(InfoHeader(1, 1, 4, 0, 3), Table({clWhite, clLime, clNavy}), bits4b)).Pixel(0, 0),
      clBlack);

  // 8 bits top-down (negative height): the first stored row is the top one.
  const Bytes bits8 = {1, 0, 0, 0, 0, 1, 0, 0};
  const TBitmap eight = Read(File(InfoHeader(2, -2, 8, 0, 2), Table({clYellow, clTeal}), bits8));
  EXPECT_EQ(eight.Pixel(0, 0), clTeal);
  EXPECT_EQ(eight.Pixel(1, 0), clYellow);
  EXPECT_EQ(eight.Pixel(1, 1), clTeal);
}

TEST(BmpReader, ReadsDirectColourDepths) {
  // 24 bits, 2 x 2, rows padded from 6 to 8 bytes; the last row's padding
  // may be missing.
  const Bytes bits24 = {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12};
  const TBitmap c24 = Read(File(InfoHeader(2, 2, 24), {}, bits24));
  EXPECT_EQ(c24.Pixel(0, 1), RGBColour(3, 2, 1));
  EXPECT_EQ(c24.Pixel(1, 1), RGBColour(6, 5, 4));
  EXPECT_EQ(c24.Pixel(0, 0), RGBColour(9, 8, 7));
  EXPECT_EQ(c24.Pixel(1, 0), RGBColour(12, 11, 10));

  // 32 bits: the fourth byte is not colour.
  const Bytes bits32 = {10, 20, 30, 0xFF, 40, 50, 60, 0x7F};
  const TBitmap c32 = Read(File(InfoHeader(2, 1, 32), {}, bits32));
  EXPECT_EQ(c32.Pixel(0, 0), RGBColour(30, 20, 10));
  EXPECT_EQ(c32.Pixel(1, 0), RGBColour(60, 50, 40));
  EXPECT_EQ(c32.BitCount(), 32);

  // 16 bits 5-5-5 without masks, and 5-6-5 through bit-field masks after a
  // 40-byte header. Full channels scale to 255.
  const Bytes bits555 = {0x1F, 0x7C, 0xE0, 0x03};  // 0x7C1F magenta, 0x03E0 green
  const TBitmap c555 = Read(File(InfoHeader(2, 1, 16), {}, bits555));
  EXPECT_EQ(c555.Pixel(0, 0), clFuchsia);
  EXPECT_EQ(c555.Pixel(1, 0), clLime);
  Bytes masks;
  Put32(masks, 0xF800);
  Put32(masks, 0x07E0);
  Put32(masks, 0x001F);
  const Bytes bits565 = {0x00, 0xF8, 0x10, 0x04};  // red; green 32/63
  const TBitmap c565 = Read(File(InfoHeader(2, 1, 16, 3), masks, bits565));
  EXPECT_EQ(c565.Pixel(0, 0), clRed);
  EXPECT_EQ(c565.Pixel(1, 0), RGBColour(0, 130, 132));
}

TEST(BmpReader, ReadsRunLengthCodedImages) {
  // RLE8, 6 x 3: a run, an absolute stretch padded to 16 bits, end of line,
  // a delta that skips pixels, end of bitmap. Skipped pixels keep index 0.
  const Bytes rle8 = {3, 1,              // 1 1 1
                      0, 3, 2, 3, 1, 0,  // absolute 2 3 1 + pad
                      0, 0,              // end of line
                      0, 2, 2, 1,        // delta right 2, up 1 (to row 2)
                      2, 3,              // 3 3 at x 2, 3 of row 2
                      0, 1};
  const TBitmap r8 =
      Read(File(InfoHeader(6, 3, 8, 1), Table({clBlack, clRed, clLime, clBlue}), rle8));
  ASSERT_EQ(r8.Height(), 3);
  const TColor bottom[6] = {clRed, clRed, clRed, clLime, clBlue, clRed};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(r8.Pixel(x, 2), bottom[x]) << x;
  for (int x = 0; x < 6; ++x) EXPECT_EQ(r8.Pixel(x, 1), clBlack) << x;  // skipped row
  EXPECT_EQ(r8.Pixel(1, 0), clBlack);
  EXPECT_EQ(r8.Pixel(2, 0), clBlue);
  EXPECT_EQ(r8.Pixel(3, 0), clBlue);
  EXPECT_EQ(r8.Pixel(4, 0), clBlack);

  // RLE4, 5 x 1: a run alternates the two nibbles of its byte; an absolute
  // stretch of 3 nibbles takes 2 bytes.
  const Bytes rle4 = {2, 0x12, 0, 3, 0x13, 0x00, 0, 1};
  const TBitmap r4 =
      Read(File(InfoHeader(5, 1, 4, 2), Table({clBlack, clRed, clLime, clBlue}), rle4));
  const TColor row[5] = {clRed, clLime, clRed, clBlue, clBlack};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(r4.Pixel(x, 0), row[x]) << x;
  // An absolute stretch of 5 nibbles takes 3 bytes and a pad byte.
  const Bytes rle4b = {0, 5, 0x12, 0x31, 0x20, 0, 0, 1};
  const TBitmap r4b =
      Read(File(InfoHeader(5, 1, 4, 2), Table({clBlack, clRed, clLime, clBlue}), rle4b));
  const TColor row5[5] = {clRed, clLime, clBlue, clRed, clLime};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(r4b.Pixel(x, 0), row5[x]) << x;

  // Runs past the right edge are cut; data without the end code is kept.
  const Bytes wide = {9, 1, 0, 0, 2, 2};
  const TBitmap cut = Read(File(InfoHeader(4, 2, 8, 1), Table({clBlack, clRed, clLime}), wide));
  EXPECT_EQ(cut.Pixel(3, 1), clRed);
  EXPECT_EQ(cut.Pixel(0, 0), clLime);
  EXPECT_EQ(cut.Pixel(2, 0), clBlack);
}

TEST(BmpReader, ReadsCoreHeadersAndPackedDibs) {
  // 12-byte header with 3-byte table entries.
  Bytes core;
  Put32(core, 12);
  Put16(core, 2);
  Put16(core, 1);
  Put16(core, 1);
  Put16(core, 8);
  const Bytes table = {0, 0, 255, 255, 0, 0};  // red, blue
  const TBitmap c = Read(File(core, table, {1, 0, 0, 0}));
  EXPECT_EQ(c.Pixel(0, 0), clBlue);
  EXPECT_EQ(c.Pixel(1, 0), clRed);

  // A resource bitmap: header, table and bits in a row, no file header.
  Bytes dib = InfoHeader(1, 1, 8, 0, 2);
  const Bytes t = Table({clGreen, clMaroon});
  dib.insert(dib.end(), t.begin(), t.end());
  dib.insert(dib.end(), {1, 0, 0, 0});
  TBitmap d;
  ASSERT_TRUE(ReadPackedDib(dib, d));
  EXPECT_EQ(d.Pixel(0, 0), clMaroon);
}

TEST(BmpReader, RefusesMalformedFilesWithAnEmptyBitmap) {
  const Bytes good = File(InfoHeader(2, 2, 24), {}, Bytes(16, 0x40));
  TBitmap probe;
  ASSERT_TRUE(ReadBmp(good, probe));

  std::vector<Bytes> bad;
  bad.push_back({});
  bad.push_back({'B', 'M'});
  Bytes wrong_magic = good;
  wrong_magic[0] = 'X';
  bad.push_back(wrong_magic);
  bad.push_back(Bytes(good.begin(), good.end() - 4));     // pixels cut short
  bad.push_back(Bytes(good.begin(), good.begin() + 40));  // header cut short
  bad.push_back(File(InfoHeader(0, 2, 24), {}, Bytes(16)));
  bad.push_back(File(InfoHeader(2, 0, 24), {}, Bytes(16)));
  bad.push_back(File(InfoHeader(40000, 1, 1), {}, Bytes(5000)));
  bad.push_back(File(InfoHeader(20000, 20000, 8, 1), {}, Bytes(16)));    // too many pixels
  bad.push_back(File(InfoHeader(2, 2, 7), {}, Bytes(16)));               // no such depth
  bad.push_back(File(InfoHeader(2, 2, 24, 1), {}, Bytes(16)));           // RLE8 needs 8 bits
  bad.push_back(File(InfoHeader(2, 2, 24, 4), {}, Bytes(16)));           // JPEG inside
  bad.push_back(File(InfoHeader(2, -2, 8, 1), Table({clRed}), {0, 1}));  // top-down RLE
  bad.push_back(File(InfoHeader(2, 2, 8), {}, Bytes(8)));                // paletted without a table
  bad.push_back(File(InfoHeader(4, 1, 8, 1), Table({clRed}), {0, 4, 1, 1}));  // run cut
  bad.push_back(File(InfoHeader(4, 1, 8, 1), Table({clRed}), {0, 2, 1}));     // delta cut
  bad.push_back(File(InfoHeader(4, 1, 8, 1), Table({clRed}), {4}));           // code cut
  Bytes gap_mask;
  Put32(gap_mask, 0xF0F0);
  Put32(gap_mask, 0x0F00);
  Put32(gap_mask, 0x000F);
  bad.push_back(File(InfoHeader(1, 1, 16, 3), gap_mask, {0, 0, 0, 0}));
  Bytes offset_past_end = good;
  offset_past_end[10] = 0xFF;
  bad.push_back(offset_past_end);
  Bytes header_size = good;
  header_size[14] = 41;
  bad.push_back(header_size);
  Bytes huge_table = InfoHeader(1, 1, 8, 0, 0xFFFFFFFF);
  TBitmap dib;
  dib.SetSize(3, 3);
  EXPECT_FALSE(ReadPackedDib(huge_table, dib));
  EXPECT_TRUE(dib.Empty());

  for (size_t i = 0; i < bad.size(); ++i) {
    TBitmap b(3, 3, clRed);
    EXPECT_FALSE(ReadBmp(bad[i], b)) << i;
    EXPECT_TRUE(b.Empty()) << i;
  }
}

TEST(BmpWriter, WritesEveryDepthSoThatTheReaderGetsThePixelsBack) {
  TBitmap b(13, 5);
  const TColor colours[4] = {clRed, clLime, clBlue, clFuchsia};
  for (int y = 0; y < 5; ++y) {
    // Mixed pixels first (absolute stretches when run-length coded), runs
    // after them.
    for (int x = 0; x < 13; ++x) b.SetPixel(x, y, colours[(x < 6 ? x + y : x / 3 + y) % 4]);
  }
  for (int bits : {4, 8, 24, 32}) {
    for (bool rle : {false, true}) {
      for (bool top_down : {false, true}) {
        if (rle && (bits > 8 || top_down)) continue;
        TBmpWriteOptions o;
        o.bit_count = bits;
        o.rle = rle;
        o.top_down = top_down;
        TBitmap back;
        ASSERT_TRUE(ReadBmp(WriteBmp(b, o), back)) << bits << rle << top_down;
        EXPECT_TRUE(back.SamePixels(b)) << bits << rle << top_down;
        EXPECT_EQ(back.BitCount(), bits);
      }
    }
  }
  // Two colours fit one bit; the table keeps the order given.
  TBitmap mono(9, 2, clWhite);
  mono.SetPixel(8, 1, clBlack);
  TBmpWriteOptions o1;
  o1.bit_count = 1;
  o1.palette = {clBlack, clWhite};
  const Bytes file = WriteBmp(mono, o1);
  TBitmap back;
  ASSERT_TRUE(ReadBmp(file, back));
  EXPECT_TRUE(back.SamePixels(mono));
  EXPECT_EQ(file[54], 0);  // first table entry black
  EXPECT_EQ(file[58], 255);

  // Refusals.
  EXPECT_THROW(WriteBmp(TBitmap()), std::invalid_argument);
  EXPECT_THROW(WriteBmp(b, o1), std::invalid_argument);  // colours not in the table
  TBmpWriteOptions rle24;
  rle24.rle = true;
  EXPECT_THROW(WriteBmp(b, rle24), std::invalid_argument);
  TBitmap many(20, 1);
  for (int x = 0; x < 20; ++x) many.SetPixel(x, 0, RGBColour(x, 0, 0));
  TBmpWriteOptions o4;
  o4.bit_count = 4;
  EXPECT_THROW(WriteBmp(many, o4), std::invalid_argument);
}

TEST(BitmapDrawing, CopiesStretchesAndLeavesOutTheKeyColour) {
  TBitmap src(2, 1);
  src.SetPixel(0, 0, clRed);
  src.SetPixel(1, 0, clFuchsia);
  TBitmap dst(6, 2, clWhite);
  dst.CopyRect({0, 0, 4, 2}, src, src.BoundsRect());  // doubled
  EXPECT_EQ(dst.Pixel(0, 0), clRed);
  EXPECT_EQ(dst.Pixel(1, 1), clRed);
  EXPECT_EQ(dst.Pixel(2, 0), clFuchsia);
  EXPECT_EQ(dst.Pixel(3, 1), clFuchsia);
  EXPECT_EQ(dst.Pixel(4, 0), clWhite);
  TBitmap t(3, 1, clWhite);
  t.Draw(1, 0, src, true);
  EXPECT_EQ(t.Pixel(1, 0), clRed);
  EXPECT_EQ(t.Pixel(2, 0), clWhite);
  // Clipped at the edges of both bitmaps.
  t.Draw(-1, 0, src);
  EXPECT_EQ(t.Pixel(0, 0), clFuchsia);
  t.CopyRect({0, 0, 3, 1}, src, {1, 0, 4, 1});
  EXPECT_EQ(t.Pixel(0, 0), clFuchsia);
  EXPECT_EQ(t.Pixel(-1, 0), -1);
  EXPECT_EQ(t.Pixel(3, 0), -1);
  // Shrinking takes the pixel under each target pixel's centre.
  TBitmap wide(4, 1);
  wide.SetPixel(1, 0, clRed);
  wide.SetPixel(3, 0, clBlue);
  TBitmap narrow(2, 1);
  narrow.CopyRect(narrow.BoundsRect(), wide, wide.BoundsRect());
  EXPECT_EQ(narrow.Pixel(0, 0), clRed);
  EXPECT_EQ(narrow.Pixel(1, 0), clBlue);
  // System colours are resolved when filled.
  TBitmap face(1, 1, clBtnFace);
  EXPECT_EQ(face.Pixel(0, 0), ColorToRGB(clBtnFace));
}

TEST(ImageList, CutsStripsIntoCellsWithTheirMask) {
  TImageList list(4, 2);
  TBitmap strip(10, 3, clWhite);
  strip.SetPixel(0, 0, clBlack);
  strip.SetPixel(5, 1, clRed);
  strip.SetPixel(9, 0, clBlue);  // in the dropped partial cell
  EXPECT_EQ(list.AddMasked(strip, clWhite), 0);
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Image(1).Width(), 4);
  EXPECT_EQ(list.Image(1).Height(), 2);
  EXPECT_TRUE(list.Opaque(0, 0, 0));
  EXPECT_FALSE(list.Opaque(0, 1, 0));
  EXPECT_TRUE(list.Opaque(1, 1, 1));
  EXPECT_EQ(list.MaskColor(1), clWhite);
  EXPECT_EQ(list.AddMasked(TBitmap(3, 2), clWhite), -1);  // narrower than a cell
  EXPECT_THROW(list.Image(2), EListError);
  EXPECT_THROW(list.Opaque(-1, 0, 0), EListError);
}

}  // namespace
