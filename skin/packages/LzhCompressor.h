#pragma once
// The writing side of the LZH stream, used by the tools that make skin
// packages: TLzhEncoder writes single symbols (literals and matches) in the
// bit-stream form that TLZH reads; TLzhCompressor chooses the literals and
// matches that make up a whole stream.
#include <cstdint>
#include <span>
#include <vector>

#include "skin/packages/LzhTree.h"

class TLzhEncoder {
 public:
  void PutLiteral(std::uint8_t byte);
  // `length` 3..60 bytes copied from `distance` 1..4096 bytes back (the
  // caller checks the ranges; others raise std::invalid_argument).
  void PutMatch(int length, int distance);
  // Bits the symbol would take now (code lengths change as symbols go by).
  int LiteralCost(std::uint8_t byte) const;
  int MatchCost(int length, int distance) const;
  // The bit stream so far, the last byte padded with zero bits.
  std::vector<std::uint8_t> Finish();

 private:
  void PutSymbol(int symbol);
  void PutBits(std::uint32_t value, int count);
  int CodeLength(int symbol) const;

  lzh::TLzhTree tree_;
  std::vector<std::uint8_t> out_;
  std::uint64_t pending_ = 0;  // bits not yet written, right-aligned
  int pending_count_ = 0;
};

enum class TLzhMatching {
  lmGreedy,  // always the longest match at the current byte
  lmOptimal  // the cheapest mix of literals and matches under the current codes
};

class TLzhCompressor {
 public:
  explicit TLzhCompressor(TLzhMatching matching = TLzhMatching::lmOptimal) : matching_(matching) {}

  // The whole compressed stream: 4-byte little-endian size, then the bit
  // stream. Inputs over 2^31 - 1 bytes raise std::length_error.
  std::vector<std::uint8_t> Compress(std::span<const std::uint8_t> data) const;

 private:
  TLzhMatching matching_;
};
