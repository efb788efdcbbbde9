// Reads the play length of a WMA/ASF file from its header objects, without
// touching the audio. Win32-free.
//
// An ASF file starts with the Header Object (GUID, 64-bit size, object count,
// two reserved bytes), followed by its child objects, each a GUID and a 64-bit
// size that includes the 24 bytes of GUID and size. The File Properties Object
// among them holds the play duration (100-ns units) and the preroll
// (milliseconds); the audible length is the difference.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace probe {

// Random access to the bytes of a file (or of a buffer). ReadAt fills `out`
// from `offset` on and returns how many bytes it could read; fewer than
// out.size() means the data ends there (or could not be read).
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) = 0;
};

// A ByteSource over memory that the caller keeps alive.
class SpanSource final : public ByteSource {
 public:
  explicit SpanSource(std::span<const std::uint8_t> data) : data_(data) {}
  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

 private:
  std::span<const std::uint8_t> data_;
};

enum class AsfError {
  kNone,
  kNotAsf,                // does not start with the ASF Header Object
  kTruncated,             // the data ends inside the header objects
  kBadHeader,             // the Header Object's own size is impossible
  kBadObjectSize,         // a child object is smaller than its 24-byte head or overruns the header
  kTooManyObjects,        // more child objects than any real file has before its file properties
  kNoFileProperties,      // the header holds no File Properties Object
  kBadFileProperties,     // the File Properties Object is too small to hold its fields
  kBroadcast,             // the file is marked as a live broadcast: its length is not recorded
  kNoDuration,            // the recorded play duration is zero (or only the preroll)
  kPrerollExceedsLength,  // the preroll is longer than the play duration
  kDurationTooLong,       // more seconds than a 32-bit signed count holds
};

// A fixed English sentence for the error (no trailing period or newline).
const char* AsfErrorText(AsfError error);

struct AsfDuration {
  AsfError error = AsfError::kNone;
  // Audible length in 100-ns units (play duration minus preroll); 0 on error.
  std::uint64_t length_100ns = 0;
};

// Walks the child objects of the Header Object until it finds the File
// Properties Object. Reads only object heads and that object, at most
// kMaxHeaderObjects of them, so a large header (cover art, metadata) costs
// nothing and a hostile one cannot make it read much: at most
// 30 + kMaxHeaderObjects * 24 + 104 bytes. Every size and offset is checked
// before use, with no arithmetic that can wrap.
inline constexpr std::size_t kMaxHeaderObjects = 1024;
AsfDuration ReadAsfDuration(ByteSource& source);

// Convenience for buffers.
AsfDuration ReadAsfDuration(std::span<const std::uint8_t> data);

// Seconds with two decimals, rounded to the nearest hundredth ("215.73"),
// formatted without the C locale so the decimal point is always ".".
std::string FormatSeconds(std::uint64_t length_100ns);

}  // namespace probe
