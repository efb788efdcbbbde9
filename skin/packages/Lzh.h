#pragma once
// TLZH expands compressed skin streams. A compressed stream is a 4-byte
// little-endian signed expanded size followed by an LZHUF bit stream: LZSS
// over a 4096-byte window whose literals, match lengths and the upper bits of
// match positions are coded with an adaptive Huffman tree.
#include <cstdint>
#include <span>
#include <vector>

#include "framework/Exceptions.h"

class TStream;

class ElzhException : public Exception {
 public:
  using Exception::Exception;
};

inline constexpr char kLzhNoMemory[] = "LZH : Cannot get memory for dictionary tables";
// Kept for callers that match on it; the tables are owned by RAII holders
// whose release cannot fail, so this expander never raises it.
inline constexpr char kLzhFreeError[] = "LZH : Error freeing memory for dictionary tables";
// A stated size that the compressed bytes cannot possibly produce.
inline constexpr char kLzhSizeRefused[] = "LZH : Stated size does not fit the compressed data";

class TLZH {
 public:
  // The expander reads the bit stream from `input`'s position to its end and
  // writes the expansion into `output` at its position. Both streams stay
  // owned by the caller and must outlive the expander.
  TLZH(TStream& input, TStream& output) : input_(&input), output_(&output) {}

  // Expands `expanded_size` bytes (the size the caller has read from the
  // stream's first 4 bytes). A size of 0 or below writes nothing. Raises
  // ElzhException when the size exceeds MaxExpandedSize of the input or
  // memory cannot be had; nothing is written then.
  void Expand(std::int32_t expanded_size);

  // The core on plain bytes: `bits` is the bit stream after the size field.
  // Bytes missing at the end of `bits` read as 0. The result has exactly
  // `expanded_size` bytes (a last match running past it is cut).
  static std::vector<std::uint8_t> ExpandBytes(std::int32_t expanded_size,
                                               std::span<const std::uint8_t> bits);

  // The largest expanded size accepted for a bit stream of `input_bytes`
  // bytes. A conforming compressor needs at least 10 bits per 60 output
  // bytes, so 64 times the input leaves room; 4096 more keep short streams
  // whose tail is missing (read as zeros) expandable.
  static std::int64_t MaxExpandedSize(std::int64_t input_bytes) { return input_bytes * 64 + 4096; }

 private:
  TStream* input_;
  TStream* output_;
};

// Positions `compressed` at 0, reads the size field and expands the rest
// into `output` at its position. A stream shorter than the size field
// expands to nothing.
void LzhExpandStream(TStream& compressed, TStream& output);
