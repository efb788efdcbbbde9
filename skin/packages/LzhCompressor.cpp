#include "skin/packages/LzhCompressor.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

using namespace lzh;

// --- TLzhEncoder

void TLzhEncoder::PutBits(std::uint32_t value, int count) {
  pending_ = (pending_ << count) | value;
  pending_count_ += count;
  while (pending_count_ >= 8) {
    pending_count_ -= 8;
    out_.push_back(static_cast<std::uint8_t>(pending_ >> pending_count_));
  }
  pending_ &= (std::uint64_t{1} << pending_count_) - 1;
}

void TLzhEncoder::PutSymbol(int symbol) {
  // The code is the path from the root to the symbol's leaf; it is found
  // from the leaf upwards and written from the root down.
  std::uint8_t path[T];
  int depth = 0;
  for (int k = tree_.LeafOf(symbol); k != R;) {
    const int parent = tree_.Parent(k);
    path[depth++] = static_cast<std::uint8_t>(k - tree_.Son(parent));
    k = parent;
  }
  while (depth > 0) PutBits(path[--depth], 1);
  tree_.Update(symbol);
}

int TLzhEncoder::CodeLength(int symbol) const {
  int depth = 0;
  for (int k = tree_.LeafOf(symbol); k != R; k = tree_.Parent(k)) ++depth;
  return depth;
}

void TLzhEncoder::PutLiteral(std::uint8_t byte) {
  PutSymbol(byte);
}

void TLzhEncoder::PutMatch(int length, int distance) {
  if (length < THRESHOLD + 1 || length > F || distance < 1 || distance > N) {
    throw std::invalid_argument("LZH match out of range");
  }
  PutSymbol(256 + length - THRESHOLD - 1);
  const unsigned position = static_cast<unsigned>(distance - 1);
  const unsigned upper = position >> 6;
  PutBits(kPositionTables.p_code[upper], kPositionTables.p_len[upper]);
  PutBits(position & 0x3F, 6);
}

int TLzhEncoder::LiteralCost(std::uint8_t byte) const {
  return CodeLength(byte);
}

int TLzhEncoder::MatchCost(int length, int distance) const {
  const unsigned upper = static_cast<unsigned>(distance - 1) >> 6;
  return CodeLength(256 + length - THRESHOLD - 1) + kPositionTables.p_len[upper] + 6;
}

std::vector<std::uint8_t> TLzhEncoder::Finish() {
  if (pending_count_ > 0) {
    out_.push_back(static_cast<std::uint8_t>(pending_ << (8 - pending_count_)));
    pending_ = 0;
    pending_count_ = 0;
  }
  return std::move(out_);
}

// --- match finding

namespace {

struct Match {
  int length = 0;
  int distance = 0;
};

// Finds the longest match for a position among the previous N bytes, the
// nearest one among equally long ones (near positions have shorter codes).
// The text is kept behind the N - F spaces that the expander's window starts
// with, so the first bytes can match those spaces too.
class MatchFinder {
 public:
  explicit MatchFinder(std::span<const std::uint8_t> data)
      : text_(static_cast<size_t>(kSpaceFill), ' '), head_(kHashSize, -1) {
    text_.insert(text_.end(), data.begin(), data.end());
    prev_.assign(text_.size(), -1);
  }

  size_t Start() const { return kSpaceFill; }
  size_t End() const { return text_.size(); }
  std::uint8_t At(size_t pos) const { return text_[pos]; }

  Match Find(size_t pos) {
    InsertUpTo(pos);
    Match best;
    const size_t max_length = std::min<size_t>(F, text_.size() - pos);
    if (max_length < THRESHOLD + 1) return best;
    const std::int64_t limit = static_cast<std::int64_t>(pos) - N;
    const std::uint8_t* const here = text_.data() + pos;
    int chain = kMaxChain;
    for (std::int64_t q = head_[Hash(pos)]; q >= 0 && q >= limit && chain-- > 0;
         q = prev_[static_cast<size_t>(q)]) {
      const std::uint8_t* const there = text_.data() + q;
      const size_t best_length = static_cast<size_t>(best.length);
      if (best_length > 0 && there[best_length] != here[best_length]) continue;
      size_t length = 0;
      while (length < max_length && there[length] == here[length]) ++length;
      if (length > best_length && length >= THRESHOLD + 1) {
        best.length = static_cast<int>(length);
        best.distance = static_cast<int>(static_cast<std::int64_t>(pos) - q);
        if (length == max_length) break;
      }
    }
    return best;
  }

 private:
  static constexpr size_t kHashSize = size_t{1} << 15;
  // Longest chain walked per position: the whole window, so the longest
  // match is always found.
  static constexpr int kMaxChain = N;

  size_t Hash(size_t pos) const {
    const std::uint32_t v = static_cast<std::uint32_t>(text_[pos]) << 16 |
                            static_cast<std::uint32_t>(text_[pos + 1]) << 8 | text_[pos + 2];
    return (v * 2654435761u) >> 17;
  }
  void InsertUpTo(size_t pos) {
    const size_t last = std::min(pos, text_.size() >= 3 ? text_.size() - 2 : 0);
    for (; inserted_ < last; ++inserted_) {
      const size_t h = Hash(inserted_);
      prev_[inserted_] = head_[h];
      head_[h] = static_cast<std::int64_t>(inserted_);
    }
  }

  std::vector<std::uint8_t> text_;
  std::vector<std::int64_t> head_;
  std::vector<std::int64_t> prev_;
  size_t inserted_ = 0;
};

}  // namespace

// --- TLzhCompressor

std::vector<std::uint8_t> TLzhCompressor::Compress(std::span<const std::uint8_t> data) const {
  if (data.size() > static_cast<size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw std::length_error("Data too large for an LZH stream");
  }
  const std::uint32_t size = static_cast<std::uint32_t>(data.size());
  std::vector<std::uint8_t> out = {
      static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8),
      static_cast<std::uint8_t>(size >> 16), static_cast<std::uint8_t>(size >> 24)};
  if (data.empty()) return out;

  MatchFinder finder(data);
  TLzhEncoder encoder;
  const bool lazy = matching_ == TLzhMatching::lmLazy;
  size_t pos = finder.Start();
  const size_t end = finder.End();
  Match current = finder.Find(pos);
  while (pos < end) {
    if (lazy && current.length == THRESHOLD + 1) {
      // A short, far match can cost more than its bytes as literals.
      const int as_literals = encoder.LiteralCost(finder.At(pos)) +
                              encoder.LiteralCost(finder.At(pos + 1)) +
                              encoder.LiteralCost(finder.At(pos + 2));
      if (as_literals <= encoder.MatchCost(current.length, current.distance)) current = Match{};
    }
    if (current.length == 0) {
      encoder.PutLiteral(finder.At(pos));
      ++pos;
      if (pos < end) current = finder.Find(pos);
      continue;
    }
    if (lazy && current.length < F && pos + 1 < end) {
      const Match next = finder.Find(pos + 1);
      if (next.length > current.length) {
        // The byte goes out as a literal; the longer match starts one later.
        encoder.PutLiteral(finder.At(pos));
        ++pos;
        current = next;
        continue;
      }
    }
    encoder.PutMatch(current.length, current.distance);
    pos += static_cast<size_t>(current.length);
    if (pos < end) current = finder.Find(pos);
  }
  const std::vector<std::uint8_t> bits = encoder.Finish();
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}
