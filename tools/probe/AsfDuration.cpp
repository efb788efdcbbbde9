#include "tools/probe/AsfDuration.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

namespace probe {
namespace {

using Guid = std::array<std::uint8_t, 16>;

// GUIDs as they are stored in the file (the first three fields little-endian).
// 75B22630-668E-11CF-A6D9-00AA0062CE6C
constexpr Guid kHeaderObjectGuid = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                    0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
// 8CABDCA1-A947-11CF-8EE4-00C00C205365
constexpr Guid kFilePropertiesGuid = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                      0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};

// Header Object: GUID, size (8), object count (4), two reserved bytes.
constexpr std::uint64_t kHeaderObjectHeadSize = 30;
// Every object: GUID and size.
constexpr std::uint64_t kObjectHeadSize = 24;
// File Properties Object up to and including its last field (maximum bitrate).
constexpr std::uint64_t kFilePropertiesSize = 104;
// Field offsets within the File Properties Object.
constexpr std::size_t kPlayDurationOffset = 64;
constexpr std::size_t kPrerollOffset = 80;
constexpr std::size_t kFlagsOffset = 88;
constexpr std::uint32_t kBroadcastFlag = 0x1;

constexpr std::uint64_t k100nsPerMs = 10'000;
constexpr std::uint64_t k100nsPerHundredth = 100'000;

std::uint64_t LoadU64(const std::uint8_t* p) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | p[i];
  return v;
}

std::uint32_t LoadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool IsGuid(const std::uint8_t* p, const Guid& guid) {
  return std::memcmp(p, guid.data(), guid.size()) == 0;
}

AsfDuration Fail(AsfError error) {
  return AsfDuration{error, 0};
}

// Rounded to the nearest hundredth of a second, without overflowing near the top.
std::uint64_t ToHundredths(std::uint64_t length_100ns) {
  return length_100ns / k100nsPerHundredth +
         (length_100ns % k100nsPerHundredth >= k100nsPerHundredth / 2 ? 1 : 0);
}

AsfDuration LengthFromFileProperties(const std::uint8_t* props) {
  const std::uint64_t play_duration = LoadU64(props + kPlayDurationOffset);
  const std::uint64_t preroll_ms = LoadU64(props + kPrerollOffset);
  const std::uint32_t flags = LoadU32(props + kFlagsOffset);

  // A broadcast file's duration fields are not valid (the writer did not know
  // the end), so any number taken from them would be wrong.
  if (flags & kBroadcastFlag) return Fail(AsfError::kBroadcast);
  if (play_duration == 0) return Fail(AsfError::kNoDuration);
  // preroll_ms * 10000 could wrap; compare in milliseconds first.
  if (preroll_ms > play_duration / k100nsPerMs) return Fail(AsfError::kPrerollExceedsLength);
  const std::uint64_t length = play_duration - preroll_ms * k100nsPerMs;
  if (length == 0) return Fail(AsfError::kNoDuration);

  // The reader of our output keeps whole seconds in a 32-bit signed value.
  constexpr std::uint64_t kMaxHundredths =
      static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) * 100 + 99;
  if (ToHundredths(length) > kMaxHundredths) return Fail(AsfError::kDurationTooLong);
  return AsfDuration{AsfError::kNone, length};
}

}  // namespace

std::size_t SpanSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  if (offset >= data_.size()) return 0;
  const std::size_t start = static_cast<std::size_t>(offset);
  const std::size_t n = std::min(out.size(), data_.size() - start);
  std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(start), n, out.begin());
  return n;
}

const char* AsfErrorText(AsfError error) {
  switch (error) {
    case AsfError::kNone:
      return "no error";
    case AsfError::kNotAsf:
      return "not a WMA/ASF file";
    case AsfError::kTruncated:
      return "the file ends inside its header (truncated)";
    case AsfError::kBadHeader:
      return "corrupt header: impossible header size";
    case AsfError::kBadObjectSize:
      return "corrupt header: an object's size is impossible";
    case AsfError::kTooManyObjects:
      return "corrupt header: too many header objects";
    case AsfError::kNoFileProperties:
      return "corrupt header: no file properties object";
    case AsfError::kBadFileProperties:
      return "corrupt header: file properties object too small";
    case AsfError::kBroadcast:
      return "the file is marked as a live broadcast; it records no length";
    case AsfError::kNoDuration:
      return "the file records no play length";
    case AsfError::kPrerollExceedsLength:
      return "corrupt header: preroll longer than the play length";
    case AsfError::kDurationTooLong:
      return "corrupt header: implausibly long play length";
  }
  return "unknown error";
}

AsfDuration ReadAsfDuration(ByteSource& source) {
  std::array<std::uint8_t, kHeaderObjectHeadSize> head{};
  const std::size_t got = source.ReadAt(0, head);
  if (got < sizeof(Guid) || !IsGuid(head.data(), kHeaderObjectGuid)) {
    return Fail(AsfError::kNotAsf);
  }
  if (got < head.size()) return Fail(AsfError::kTruncated);

  // The object count and the reserved bytes are not needed: the children are
  // walked by their sizes, which is what decides where each one lies.
  const std::uint64_t header_end = LoadU64(head.data() + 16);
  if (header_end < kHeaderObjectHeadSize) return Fail(AsfError::kBadHeader);

  std::uint64_t pos = kHeaderObjectHeadSize;
  for (std::size_t visited = 0; pos < header_end; ++visited) {
    if (visited == kMaxHeaderObjects) return Fail(AsfError::kTooManyObjects);
    // pos < header_end, so the subtraction cannot wrap.
    if (header_end - pos < kObjectHeadSize) return Fail(AsfError::kBadObjectSize);

    std::array<std::uint8_t, kFilePropertiesSize> object{};
    if (source.ReadAt(pos, std::span(object).first(kObjectHeadSize)) < kObjectHeadSize) {
      return Fail(AsfError::kTruncated);
    }
    const std::uint64_t size = LoadU64(object.data() + 16);
    // A size below the object head would stall the walk or step backwards.
    if (size < kObjectHeadSize || size > header_end - pos) return Fail(AsfError::kBadObjectSize);

    if (IsGuid(object.data(), kFilePropertiesGuid)) {
      if (size < kFilePropertiesSize) return Fail(AsfError::kBadFileProperties);
      auto rest = std::span(object).subspan(kObjectHeadSize);
      if (source.ReadAt(pos + kObjectHeadSize, rest) < rest.size()) {
        return Fail(AsfError::kTruncated);
      }
      return LengthFromFileProperties(object.data());
    }
    pos += size;  // size <= header_end - pos, so pos stays <= header_end.
  }
  return Fail(AsfError::kNoFileProperties);
}

AsfDuration ReadAsfDuration(std::span<const std::uint8_t> data) {
  SpanSource source(data);
  return ReadAsfDuration(source);
}

std::string FormatSeconds(std::uint64_t length_100ns) {
  const std::uint64_t hundredths = ToHundredths(length_100ns);
  std::string text = std::to_string(hundredths / 100);
  const auto frac = static_cast<unsigned>(hundredths % 100);
  text += '.';
  text += static_cast<char>('0' + frac / 10);
  text += static_cast<char>('0' + frac % 10);
  return text;
}

}  // namespace probe
