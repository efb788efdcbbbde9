// The BMP reader on any bytes, as a file and as a resource bitmap. What it
// accepts must survive being written and read again unchanged.
#include <cstdint>
#include <cstdlib>

#include "framework/Bitmap.h"
#include "framework/BmpReader.h"
#include "framework/BmpWriter.h"

namespace {

void CheckDecoded(bool ok, const TBitmap& bitmap) {
  if (!ok) {
    if (!bitmap.Empty()) std::abort();  // refused files leave no pixels
    return;
  }
  if (bitmap.Empty() ||
      static_cast<std::int64_t>(bitmap.Width()) * bitmap.Height() > kMaxBmpPixels) {
    std::abort();
  }
  // Large images (run-length codes can claim them with few bytes) are only
  // decoded, to keep the runs quick.
  if (static_cast<std::int64_t>(bitmap.Width()) * bitmap.Height() > 65536) return;
  TBitmap again;
  if (!ReadBmp(WriteBmp(bitmap), again) || !again.SamePixels(bitmap)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  TBitmap file(2, 2);
  CheckDecoded(ReadBmp(bytes, file), file);
  TBitmap dib;
  CheckDecoded(ReadPackedDib(bytes, dib), dib);
  return 0;
}
