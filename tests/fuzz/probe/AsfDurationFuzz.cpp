// Feeds arbitrary bytes to the ASF header reader. Besides the sanitizers'
// checks, the reader must stay within its read budget and give a length only
// together with success.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/probe/AsfDuration.h"

namespace {

class CountingSource final : public probe::ByteSource {
 public:
  explicit CountingSource(std::span<const std::uint8_t> data) : inner_(data) {}
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override {
    requested += out.size();
    return inner_.ReadAt(offset, out);
  }
  std::uint64_t requested = 0;

 private:
  probe::SpanSource inner_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  CountingSource source(std::span(data, size));
  const probe::AsfDuration result = probe::ReadAsfDuration(source);
  if (source.requested > 30 + probe::kMaxHeaderObjects * 24 + 104) std::abort();
  if (result.error == probe::AsfError::kNone) {
    if (result.length_100ns == 0) std::abort();
    const std::string text = probe::FormatSeconds(result.length_100ns);
    // Whole seconds must fit the reader's 32-bit signed count.
    if (std::stoll(text.substr(0, text.find('.'))) > 2147483647LL) std::abort();
  } else if (result.length_100ns != 0) {
    std::abort();
  }
  return 0;
}
