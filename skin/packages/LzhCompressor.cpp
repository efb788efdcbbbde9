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

  // The longest match at `pos` that ends by `limit`. With `steps`, every
  // match longer than all nearer ones is recorded too (nearest first), so
  // the cheapest distance for any length can be looked up.
  Match Find(size_t pos, size_t limit, std::vector<Match>* steps = nullptr) {
    InsertUpTo(pos);
    if (steps) steps->clear();
    Match best;
    const size_t max_length = std::min<size_t>(F, std::min(limit, text_.size()) - pos);
    if (max_length < THRESHOLD + 1) return best;
    const std::int64_t oldest = static_cast<std::int64_t>(pos) - N;
    const std::uint8_t* const here = text_.data() + pos;
    int chain = kMaxChain;
    for (std::int64_t q = head_[Hash(pos)]; q >= 0 && q >= oldest && chain-- > 0;
         q = prev_[static_cast<size_t>(q)]) {
      const std::uint8_t* const there = text_.data() + q;
      const size_t best_length = static_cast<size_t>(best.length);
      if (best_length > 0 && there[best_length] != here[best_length]) continue;
      size_t length = 0;
      while (length < max_length && there[length] == here[length]) ++length;
      if (length > best_length && length >= THRESHOLD + 1) {
        best.length = static_cast<int>(length);
        best.distance = static_cast<int>(static_cast<std::int64_t>(pos) - q);
        if (steps) steps->push_back(best);
        if (length == max_length) break;
      }
    }
    return best;
  }
  Match Find(size_t pos) { return Find(pos, text_.size()); }

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

// --- parsing

namespace {

// The longest match at every step (the plain way of this method).
void ParseGreedy(MatchFinder& finder, TLzhEncoder& encoder) {
  const size_t end = finder.End();
  for (size_t pos = finder.Start(); pos < end;) {
    const Match m = finder.Find(pos);
    if (m.length == 0) {
      encoder.PutLiteral(finder.At(pos));
      ++pos;
    } else {
      encoder.PutMatch(m.length, m.distance);
      pos += static_cast<size_t>(m.length);
    }
  }
}

// Cheapest path through each block of input: every position may go on by a
// literal or by a match of any length up to the longest, priced with the
// code lengths of the tree as it stands at the start of the block (the tree
// changes slowly, so the prices hold well for one block).
void ParseOptimal(MatchFinder& finder, TLzhEncoder& encoder) {
  constexpr size_t kBlock = 16384;
  const size_t end = finder.End();
  std::vector<std::uint32_t> cost(kBlock + 1);
  std::vector<Match> step(kBlock + 1);  // how each position is best reached
  std::vector<Match> found;
  std::vector<Match> path;
  int literal_cost[256];
  int length_cost[F + 1];
  int upper_cost[64];
  for (int u = 0; u < 64; ++u) upper_cost[u] = kPositionTables.p_len[u] + 6;

  for (size_t start = finder.Start(); start < end;) {
    const size_t n = std::min(kBlock, end - start);
    for (int b = 0; b < 256; ++b)
      literal_cost[b] = encoder.LiteralCost(static_cast<std::uint8_t>(b));
    for (int l = THRESHOLD + 1; l <= F; ++l)
      length_cost[l] = encoder.MatchCost(l, 1) - upper_cost[0];
    std::fill(cost.begin(), cost.begin() + static_cast<std::ptrdiff_t>(n) + 1, UINT32_MAX);
    cost[0] = 0;
    for (size_t i = 0; i < n; ++i) {
      const std::uint32_t here = cost[i];
      const std::uint32_t lit =
          here + static_cast<std::uint32_t>(literal_cost[finder.At(start + i)]);
      if (lit < cost[i + 1]) {
        cost[i + 1] = lit;
        step[i + 1] = Match{1, 0};
      }
      finder.Find(start + i, start + n, &found);
      int length = THRESHOLD + 1;
      for (const Match& m : found) {
        // Lengths up to m.length not reached by a nearer match use m.
        const std::uint32_t distance_cost =
            static_cast<std::uint32_t>(upper_cost[(m.distance - 1) >> 6]);
        for (; length <= m.length; ++length) {
          const std::uint32_t c =
              here + static_cast<std::uint32_t>(length_cost[length]) + distance_cost;
          if (c < cost[i + static_cast<size_t>(length)]) {
            cost[i + static_cast<size_t>(length)] = c;
            step[i + static_cast<size_t>(length)] = Match{length, m.distance};
          }
        }
      }
    }
    path.clear();
    for (size_t i = n; i > 0; i -= static_cast<size_t>(step[i].length)) path.push_back(step[i]);
    size_t pos = start;
    for (auto it = path.rbegin(); it != path.rend(); ++it) {
      if (it->length == 1) {
        encoder.PutLiteral(finder.At(pos));
      } else {
        encoder.PutMatch(it->length, it->distance);
      }
      pos += static_cast<size_t>(it->length);
    }
    start += n;
  }
}

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
  if (matching_ == TLzhMatching::lmOptimal) {
    ParseOptimal(finder, encoder);
  } else {
    ParseGreedy(finder, encoder);
  }
  const std::vector<std::uint8_t> bits = encoder.Finish();
  out.insert(out.end(), bits.begin(), bits.end());
  return out;
}
