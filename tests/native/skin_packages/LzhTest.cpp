// Expansion of hand-made symbol streams, damaged streams and random bit
// streams, checked against the plain reference expander.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "framework/Streams.h"
#include "skin/packages/Lzh.h"
#include "skin/packages/LzhCompressor.h"
#include "skin/packages/LzhTree.h"
#include "tests/native/skin_packages/LzhReference.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ToBytes(const std::string& s) {
  return Bytes(s.begin(), s.end());
}

Bytes Expand(std::int32_t size, const Bytes& bits) {
  return TLZH::ExpandBytes(size, bits);
}

Bytes Reference(std::int32_t size, const Bytes& bits) {
  Bytes out = lzh_reference::Expander().Expand(size, bits);
  if (size >= 0 && out.size() > static_cast<size_t>(size)) out.resize(static_cast<size_t>(size));
  return out;
}

Bytes WithSizeField(std::int32_t size, const Bytes& bits) {
  const auto v = static_cast<std::uint32_t>(size);
  Bytes out = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
               static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}

// A stream that is not a memory stream, so the expander has to read it.
class ChunkedStream : public TStream {
 public:
  explicit ChunkedStream(Bytes bytes) : bytes_(std::move(bytes)) {}
  std::int64_t Read(void* buffer, std::int64_t count) override {
    const std::int64_t n =
        std::min<std::int64_t>({count, 7, static_cast<std::int64_t>(bytes_.size()) - pos_});
    if (n <= 0) return 0;
    std::copy_n(bytes_.begin() + pos_, n, static_cast<std::uint8_t*>(buffer));
    pos_ += n;
    return n;
  }
  std::int64_t Write(const void*, std::int64_t) override { return 0; }
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override {
    const std::int64_t base = origin == TSeekOrigin::soBeginning ? 0
                              : origin == TSeekOrigin::soCurrent
                                  ? pos_
                                  : static_cast<std::int64_t>(bytes_.size());
    pos_ = std::max<std::int64_t>(0, base + offset);
    return pos_;
  }

 private:
  Bytes bytes_;
  std::int64_t pos_ = 0;
};

TEST(LzhPositionCodes, UpperBitsAndCodeLengthsFollowTheByteRanges) {
  const auto& t = lzh::kPositionTables;
  const int bytes[] = {0, 31, 32, 47, 48, 79, 80, 87, 143, 144, 191, 192, 239, 240, 255};
  const int codes[] = {0, 0, 1, 1, 2, 3, 4, 4, 11, 12, 23, 24, 47, 48, 63};
  const int lengths[] = {3, 3, 4, 4, 4, 4, 5, 5, 5, 6, 6, 7, 7, 8, 8};
  for (size_t i = 0; i < std::size(bytes); ++i) {
    EXPECT_EQ(t.d_code[bytes[i]], codes[i]) << "byte " << bytes[i];
    EXPECT_EQ(t.d_len[bytes[i]], lengths[i]) << "byte " << bytes[i];
  }
}

TEST(LzhExpand, SymbolStreamsGiveTheirBytes) {
  {  // literals only reproduce the input
    TLzhEncoder e;
    const std::string text = "Buttons.bmp\r\n\x01\xFF";
    for (char c : text) e.PutLiteral(static_cast<std::uint8_t>(c));
    const Bytes bits = e.Finish();
    EXPECT_EQ(Expand(static_cast<std::int32_t>(text.size()), bits), ToBytes(text));
    EXPECT_EQ(Reference(static_cast<std::int32_t>(text.size()), bits), ToBytes(text));
  }
  {  // a first symbol that is a match copies the spaces the window starts with
    TLzhEncoder e;
    e.PutMatch(10, 100);
    e.PutLiteral('x');
    const Bytes bits = e.Finish();
    EXPECT_EQ(Expand(11, bits), ToBytes("          x"));
    EXPECT_EQ(Reference(11, bits), ToBytes("          x"));
  }
  {  // a length-60 match at distance 1 repeats the previous byte 60 times
    TLzhEncoder e;
    e.PutLiteral('A');
    e.PutMatch(60, 1);
    e.PutLiteral('B');
    const Bytes bits = e.Finish();
    EXPECT_EQ(Expand(62, bits), ToBytes(std::string(61, 'A') + "B"));
  }
  {  // a match overlapping what it produces reads the bytes just written
    TLzhEncoder e;
    for (char c : std::string("abc")) e.PutLiteral(static_cast<std::uint8_t>(c));
    e.PutMatch(10, 3);
    const Bytes bits = e.Finish();
    EXPECT_EQ(Expand(13, bits), ToBytes("abcabcabcabca"));
  }
  {  // the farthest distance reaches back across the whole window
    Bytes data(5000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 7 + i / 13);
    TLzhEncoder e;
    for (std::uint8_t b : data) e.PutLiteral(b);
    e.PutMatch(20, 4096);
    const Bytes bits = e.Finish();
    Bytes expected = data;
    for (size_t k = 0; k < 20; ++k) expected.push_back(expected[expected.size() - 4096]);
    EXPECT_EQ(Expand(5020, bits), expected);
    EXPECT_EQ(Reference(5020, bits), expected);
  }
}

TEST(LzhExpand, EveryDistanceAndLengthDecodesAsTheReference) {
  TLzhEncoder e;
  Bytes expected;
  std::mt19937 rng(7);
  for (int i = 0; i < 300; ++i) expected.push_back(static_cast<std::uint8_t>(rng()));
  for (std::uint8_t b : expected) e.PutLiteral(b);
  for (int distance = 1; distance <= 4096; ++distance) {
    const int length = 3 + distance % 58;
    e.PutMatch(length, distance);
  }
  const Bytes bits = e.Finish();
  // Matches reaching before the output read the window's starting content,
  // so the reference is the judge of the whole stream.
  const std::int32_t size = 300 + [] {
    int n = 0;
    for (int d = 1; d <= 4096; ++d) n += 3 + d % 58;
    return n;
  }();
  const Bytes out = Expand(size, bits);
  ASSERT_EQ(out.size(), static_cast<size_t>(size));
  EXPECT_EQ(out, Reference(size, bits));
  EXPECT_EQ(Bytes(out.begin(), out.begin() + 300), expected);
}

TEST(LzhExpand, RandomBitStreamsDecodeAsTheReferenceIncludingRebuilds) {
  std::mt19937 rng(11);
  for (int round = 0; round < 12; ++round) {
    // 60 KB of random bits hold over 40000 symbols, past the first rebuild.
    Bytes bits(round < 4 ? 60000 : rng() % 3000);
    for (auto& b : bits) b = static_cast<std::uint8_t>(rng());
    const auto size = static_cast<std::int32_t>(
        rng() % static_cast<std::uint32_t>(TLZH::MaxExpandedSize(std::ssize(bits)) + 1));
    EXPECT_EQ(Expand(size, bits), Reference(size, bits)) << "round " << round;
  }
}

TEST(LzhExpand, DamagedAndOddSizes) {
  TLzhEncoder e;
  e.PutLiteral('x');
  e.PutMatch(60, 1);
  const Bytes bits = e.Finish();
  // A last match running past the stated size is cut to it.
  EXPECT_EQ(Expand(10, bits), Bytes(10, 'x'));
  // Zero and negative sizes give nothing.
  EXPECT_TRUE(Expand(0, bits).empty());
  EXPECT_TRUE(Expand(-5, bits).empty());
  // A stream whose tail is missing reads zeros and still gives the stated size.
  Bytes data(3000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i % 251);
  const Bytes full = TLzhCompressor().Compress(data);
  const Bytes cut(full.begin() + 4, full.begin() + 4 + (full.size() - 4) / 2);
  const Bytes out = Expand(3000, cut);
  ASSERT_EQ(out.size(), 3000u);
  EXPECT_EQ(out, Reference(3000, cut));
  EXPECT_NE(out, data);
  // An empty bit stream still expands within the allowance for short streams.
  EXPECT_EQ(Expand(4096, {}).size(), 4096u);
}

TEST(LzhExpand, SizesTheInputCannotJustifyAreRefusedAndNothingIsWritten) {
  const Bytes bits(100, 0x55);
  const std::int64_t limit = TLZH::MaxExpandedSize(100);
  EXPECT_EQ(Expand(static_cast<std::int32_t>(limit), bits).size(), static_cast<size_t>(limit));
  try {
    Expand(static_cast<std::int32_t>(limit + 1), bits);
    FAIL() << "no exception";
  } catch (const ElzhException& ex) {
    EXPECT_EQ(ex.Message(), kLzhSizeRefused);
  }
  // Stream form: a hostile size field of 2 GB on a tiny stream.
  TMemoryStream compressed;
  compressed.Assign(WithSizeField(0x7FFFFFFF, bits));
  TMemoryStream output;
  EXPECT_THROW(LzhExpandStream(compressed, output), ElzhException);
  EXPECT_EQ(output.Size(), 0);
}

TEST(LzhExpand, StreamFormReadsTheSizeFieldAndAnyStream) {
  const Bytes data = ToBytes(std::string(500, 'q') + "tail of the archive");
  const Bytes packed = TLzhCompressor().Compress(data);
  ASSERT_EQ(packed[0] | packed[1] << 8, static_cast<int>(data.size()));
  {
    TMemoryStream compressed;
    compressed.Assign(packed);
    compressed.SetPosition(9);  // the expander starts from the beginning itself
    TMemoryStream output;
    output.WriteBytes(ToBytes("keep"));
    LzhExpandStream(compressed, output);
    EXPECT_EQ(Bytes(output.Bytes().begin(), output.Bytes().end()),
              ToBytes("keep" + std::string(data.begin(), data.end())));
  }
  {
    ChunkedStream compressed(packed);
    TMemoryStream output;
    LzhExpandStream(compressed, output);
    EXPECT_EQ(Bytes(output.Bytes().begin(), output.Bytes().end()), data);
  }
  {  // a stream too short for its size field expands to nothing
    TMemoryStream compressed;
    compressed.Assign(ToBytes("\x05"));
    TMemoryStream output;
    LzhExpandStream(compressed, output);
    EXPECT_EQ(output.Size(), 0);
  }
}

}  // namespace
