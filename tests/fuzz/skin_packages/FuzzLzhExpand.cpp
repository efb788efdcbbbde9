// Expansion of arbitrary compressed streams: the first 4 bytes are the size
// field, the rest the bit stream. Whatever the input, expansion stays within
// its buffers and gives exactly the stated size or refuses.
#include <cstdint>
#include <cstdlib>

#include "framework/Streams.h"
#include "skin/packages/Lzh.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  TBytesStream compressed(std::span(data, size));
  TMemoryStream output;
  try {
    LzhExpandStream(compressed, output);
  } catch (const ElzhException&) {
    if (output.Size() != 0) std::abort();  // a refusal writes nothing
    return 0;
  }
  if (size >= 4) {
    const std::int32_t stated = static_cast<std::int32_t>(
        data[0] | data[1] << 8 | data[2] << 16 | static_cast<std::uint32_t>(data[3]) << 24);
    if (output.Size() != (stated > 0 ? stated : 0)) std::abort();
  } else if (output.Size() != 0) {
    std::abort();
  }
  return 0;
}
