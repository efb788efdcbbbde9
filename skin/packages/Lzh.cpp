#include "skin/packages/Lzh.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "framework/Streams.h"
#include "skin/packages/LzhTree.h"

namespace {

using namespace lzh;

// Room behind the stated size for a last match that runs past it, plus the
// wide copy below, which may write up to 7 bytes beyond a match.
constexpr size_t kOverrun = F + 8;

// Reads the bit stream most significant bit first. Bytes past the end read
// as 0, so a short stream still decodes to the stated size.
class BitInput {
 public:
  explicit BitInput(std::span<const std::uint8_t> bytes)
      : next_(bytes.data()), end_(bytes.data() + bytes.size()) {}

  // Tops the buffer up to at least 57 valid bits.
  void Refill() {
    while (count_ <= 56) {
      const std::uint64_t byte = next_ < end_ ? *next_++ : 0;
      bits_ |= byte << (56 - count_);
      count_ += 8;
    }
  }
  unsigned Bit() {
    if (count_ == 0) Refill();
    const unsigned bit = static_cast<unsigned>(bits_ >> 63);
    bits_ <<= 1;
    --count_;
    return bit;
  }
  // `n` bits (at most 8) as a number; the caller has refilled.
  unsigned Bits(int n) {
    const unsigned value = static_cast<unsigned>(bits_ >> (64 - n));
    bits_ <<= n;
    count_ -= n;
    return value;
  }
  int Count() const { return count_; }

 private:
  const std::uint8_t* next_;
  const std::uint8_t* end_;
  std::uint64_t bits_ = 0;
  int count_ = 0;
};

}  // namespace

std::vector<std::uint8_t> TLZH::ExpandBytes(std::int32_t expanded_size,
                                            std::span<const std::uint8_t> bits) {
  if (expanded_size <= 0) return {};
  if (expanded_size > MaxExpandedSize(static_cast<std::int64_t>(bits.size()))) {
    throw ElzhException(kLzhSizeRefused);
  }
  // The output buffer starts with the window as it is before the first
  // symbol, so every match is a plain copy from `distance` bytes back:
  // N - F spaces right before the output, and before them the F window
  // places that only output would fill (zero here).
  std::vector<std::uint8_t> out;
  try {
    out.resize(static_cast<size_t>(N) + static_cast<size_t>(expanded_size) + kOverrun);
  } catch (const std::bad_alloc&) {
    throw ElzhException(kLzhNoMemory);
  }
  std::memset(out.data() + F, ' ', kSpaceFill);

  TLzhTree tree;
  BitInput in(bits);
  std::uint8_t* const base = out.data();
  std::uint8_t* o = base + N;
  std::uint8_t* const end = o + expanded_size;
  const PositionTables& pt = kPositionTables;

  while (o < end) {
    in.Refill();
    int c = tree.Son(R);
    while (c < T) c = tree.Son(c + static_cast<int>(in.Bit()));
    c -= T;
    tree.Update(c);
    if (c < 256) {
      *o++ = static_cast<std::uint8_t>(c);
      continue;
    }
    // The match position: 8 bits give the upper 6 bits and the length of
    // their code; the rest of the code and the lower 6 bits follow.
    if (in.Count() < 14) in.Refill();
    unsigned b = in.Bits(8);
    const unsigned upper = pt.d_code[b];
    const int more = pt.d_len[b] - 2;
    b = (b << more) | in.Bits(more);
    const size_t distance = ((upper << 6) | (b & 0x3F)) + 1;
    const int length = c - 256 + THRESHOLD + 1;
    const std::uint8_t* src = o - distance;
    if (distance >= 8) {
      // Source and target never overlap within one 8-byte step.
      for (int k = 0; k < length; k += 8) std::memcpy(o + k, src + k, 8);
    } else if (distance == 1) {
      std::memset(o, *src, static_cast<size_t>(length));
    } else {
      for (int k = 0; k < length; ++k) o[k] = src[k];
    }
    o += length;
  }
  return std::vector<std::uint8_t>(base + N, end);
}

void TLZH::Expand(std::int32_t expanded_size) {
  if (expanded_size <= 0) return;
  std::vector<std::uint8_t> held;
  std::span<const std::uint8_t> bits;
  if (auto* memory = dynamic_cast<TCustomMemoryStream*>(input_)) {
    bits = memory->Remaining();
  } else {
    const std::int64_t left = input_->Size() - input_->Position();
    // Refused before the bytes are read, so a hostile size costs nothing.
    if (expanded_size > MaxExpandedSize(std::max<std::int64_t>(left, 0))) {
      throw ElzhException(kLzhSizeRefused);
    }
    held = ReadToEnd(*input_);
    bits = held;
  }
  const std::vector<std::uint8_t> out = ExpandBytes(expanded_size, bits);
  output_->WriteBytes(out);
}

void LzhExpandStream(TStream& compressed, TStream& output) {
  compressed.SetPosition(0);
  std::uint8_t field[4] = {0, 0, 0, 0};
  // A stream too short to hold its size field holds nothing.
  if (compressed.Read(field, 4) < 4) return;
  const std::int32_t size = static_cast<std::int32_t>(
      static_cast<std::uint32_t>(field[0]) | static_cast<std::uint32_t>(field[1]) << 8 |
      static_cast<std::uint32_t>(field[2]) << 16 | static_cast<std::uint32_t>(field[3]) << 24);
  TLZH(compressed, output).Expand(size);
}
