// Loading skin archives: the first byte chooses between an expanded archive
// (the rest as is) and a compressed package; then every member is taken out.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/Streams.h"
#include "skin/packages/SkinMessages.h"
#include "skin/packages/SkinReader.h"

namespace {

class Quiet : public TSkinMessageSink {
 public:
  void ShowMessage(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  Quiet quiet;
  TSkinReader reader(&quiet);
  const std::span<const std::uint8_t> rest(data + 1, size - 1);
  bool loaded = false;
  if (data[0] & 1) {
    loaded = reader.LoadArchive(rest);
  } else {
    TBytesStream compressed(rest);
    loaded = reader.Load(compressed);
  }
  if (!loaded) {
    if (reader.EntryCount() != 0) std::abort();  // a refused archive leaves the reader empty
    return 0;
  }
  TMemoryStream target;
  std::int64_t total = 0;
  for (int i = 0; i < reader.EntryCount(); ++i) {
    reader.ExtractMember(i, target);
    if (target.Size() != reader.MemberSize(i)) std::abort();
    total += target.Size();
    reader.ExtractFile(reader.Names()[i], target);
  }
  if (total > static_cast<std::int64_t>(reader.Data().Bytes().size())) std::abort();
  std::string found;
  reader.FindFile(".ini", target, found);
  reader.FindFile("bmp", target, found);
  return 0;
}
