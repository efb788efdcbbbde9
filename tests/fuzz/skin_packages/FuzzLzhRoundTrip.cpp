// Any input compresses and expands back to itself, with both ways of
// choosing matches.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "skin/packages/Lzh.h"
#include "skin/packages/LzhCompressor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  for (auto matching : {TLzhMatching::lmGreedy, TLzhMatching::lmOptimal}) {
    const std::vector<std::uint8_t> packed = TLzhCompressor(matching).Compress(input);
    const std::vector<std::uint8_t> back =
        TLZH::ExpandBytes(static_cast<std::int32_t>(size), std::span(packed).subspan(4));
    if (back.size() != size || !std::equal(back.begin(), back.end(), data)) std::abort();
  }
  return 0;
}
