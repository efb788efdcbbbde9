// A whole skin load: package, archive, definition text and skin objects.
// The first byte chooses what the rest is: a compressed package as stored
// (the expander's input), or an archive that is compressed here first, so
// that mutations reach the archive index, the definition and the bitmaps.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/Streams.h"
#include "skin/data/RecordingSkinManager.h"
#include "skin/data/WinSkinData.h"
#include "skin/packages/LzhCompressor.h"

namespace {

void StoreAndLoad(TSkinData& data, const std::vector<std::uint8_t>& package) {
  TMemoryStream value;
  const auto n = static_cast<std::uint32_t>(package.size());
  const std::uint8_t count[4] = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                                 static_cast<std::uint8_t>(n >> 16),
                                 static_cast<std::uint8_t>(n >> 24)};
  value.WriteBuffer(count, 4);
  value.WriteBytes(package);
  value.SetPosition(0);
  data.ReadSkinStream(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, size_t size) {
  if (size < 1) return 0;
  const std::vector<std::uint8_t> rest(bytes + 1, bytes + size);
  const std::vector<std::uint8_t> package =
      bytes[0] & 1 ? rest : TLzhCompressor(TLzhMatching::lmGreedy).Compress(rest);
  TSkinEnvironment environment(std::make_unique<TPortableSkinPlatform>(),
                               [] { return std::make_unique<TRecordingSkinManager>(); });
  auto data = MakeComponent<TSkinData>(environment);
  StoreAndLoad(*data, package);
  if (!data->NotReady()) {
    // A skin that was read has its three MDI buttons and its built images.
    if (data->CaptionButtons().size() < 3 || !data->Object(ssToolbar) ||
        !data->Object(ssComboxArrow) || !data->Object(ssTrack)) {
      std::abort();
    }
  }
  return 0;
}
