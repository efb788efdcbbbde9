// Compression followed by expansion gives the input back, for inputs of many
// kinds and sizes (0 bytes to 2 MB), with both ways of choosing matches.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "skin/packages/Lzh.h"
#include "skin/packages/LzhCompressor.h"
#include "tests/native/skin_packages/LzhReference.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes RandomBytes(size_t n, std::mt19937& rng) {
  Bytes out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>(rng());
  return out;
}

Bytes Text(size_t n, std::mt19937& rng) {
  static const char* const kWords[] = {"[Buttons]", "Trans", "=", "1", "Left", "frameleft.bmp",
                                       "the",       "skin",  ";", " ", "\r\n", "0x1F"};
  Bytes out;
  while (out.size() < n) {
    const std::string w = kWords[rng() % std::size(kWords)];
    out.insert(out.end(), w.begin(), w.end());
  }
  out.resize(n);
  return out;
}

// Rows of a 24-bit picture: gradients, flat runs and a little noise.
Bytes Bitmap(size_t n, std::mt19937& rng) {
  Bytes out(n);
  for (size_t i = 0; i < n; ++i) {
    const size_t row = i / 960;
    const size_t col = i % 960;
    int v = static_cast<int>((row * 3 + col / 40) % 256);
    if (col % 3 == 2) v = 255 - v;
    if (rng() % 16 == 0) v += static_cast<int>(rng() % 5) - 2;
    out[i] = static_cast<std::uint8_t>(v);
  }
  return out;
}

Bytes Runs(size_t n, std::mt19937& rng) {
  Bytes out;
  while (out.size() < n) out.insert(out.end(), 1 + rng() % 300, static_cast<std::uint8_t>(rng()));
  out.resize(n);
  return out;
}

void ExpectRoundTrip(const Bytes& data, TLzhMatching matching, bool with_reference) {
  const Bytes packed = TLzhCompressor(matching).Compress(data);
  ASSERT_GE(packed.size(), 4u);
  const std::int32_t size =
      static_cast<std::int32_t>(packed[0] | packed[1] << 8 | packed[2] << 16 | packed[3] << 24);
  ASSERT_EQ(size, static_cast<std::int32_t>(data.size()));
  const Bytes bits(packed.begin() + 4, packed.end());
  ASSERT_EQ(TLZH::ExpandBytes(size, bits), data) << "size " << data.size();
  if (with_reference) {
    // The reference expander writes exactly the stated size when the
    // stream comes from a conforming compressor.
    ASSERT_EQ(lzh_reference::Expander().Expand(size, bits), data) << "size " << data.size();
  }
}

TEST(LzhRoundTrip, SmallAndEdgeSizes) {
  std::mt19937 rng(1);
  for (size_t n : {0, 1, 2, 3, 4, 59, 60, 61, 62, 4035, 4036, 4096, 4097}) {
    for (auto m : {TLzhMatching::lmGreedy, TLzhMatching::lmOptimal}) {
      ExpectRoundTrip(RandomBytes(n, rng), m, true);
      ExpectRoundTrip(Bytes(n, ' '), m, true);
      ExpectRoundTrip(Bytes(n, 0), m, true);
      ExpectRoundTrip(Runs(n, rng), m, true);
    }
  }
}

TEST(LzhRoundTrip, RandomKindsAndSizes) {
  std::mt19937 rng(2);
  for (int round = 0; round < 24; ++round) {
    const size_t n = rng() % 70000;
    Bytes data;
    switch (round % 4) {
      case 0:
        data = RandomBytes(n, rng);
        break;
      case 1:
        data = Text(n, rng);
        break;
      case 2:
        data = Bitmap(n, rng);
        break;
      default:
        data = Runs(n, rng);
        break;
    }
    const auto m = round % 2 ? TLzhMatching::lmGreedy : TLzhMatching::lmOptimal;
    ExpectRoundTrip(data, m, true);
  }
}

TEST(LzhRoundTrip, LongInputsThroughManyTreeRebuilds) {
  std::mt19937 rng(3);
  // Incompressible bytes are all literals: 300 KB pass the rebuild point
  // (32768 symbols) nine times.
  ExpectRoundTrip(RandomBytes(300000, rng), TLzhMatching::lmOptimal, true);
  ExpectRoundTrip(Text(600000, rng), TLzhMatching::lmGreedy, false);
  ExpectRoundTrip(Bitmap(2 * 1024 * 1024, rng), TLzhMatching::lmOptimal, false);
  ExpectRoundTrip(Runs(2 * 1024 * 1024, rng), TLzhMatching::lmGreedy, false);
  ExpectRoundTrip(RandomBytes(2 * 1024 * 1024, rng), TLzhMatching::lmGreedy, false);
}

TEST(LzhRoundTrip, CompressionShrinksWhatRepeats) {
  std::mt19937 rng(4);
  const Bytes text = Text(200000, rng);
  const size_t greedy = TLzhCompressor(TLzhMatching::lmGreedy).Compress(text).size();
  const size_t optimal = TLzhCompressor(TLzhMatching::lmOptimal).Compress(text).size();
  EXPECT_LT(greedy, text.size() / 3);
  EXPECT_LE(optimal, greedy);
  // Incompressible input grows by little more than its literal codes.
  const Bytes noise = RandomBytes(100000, rng);
  EXPECT_LT(TLzhCompressor().Compress(noise).size(), noise.size() * 103 / 100);
}

}  // namespace
