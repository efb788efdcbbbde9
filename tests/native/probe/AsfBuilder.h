// Builds ASF headers byte by byte for the parser tests: the Header Object with
// its children, File Properties Objects with chosen fields, and filler objects.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace asftest {

using Bytes = std::vector<std::uint8_t>;
using Guid = std::array<std::uint8_t, 16>;

// 75B22630-668E-11CF-A6D9-00AA0062CE6C, in file byte order.
inline constexpr Guid kHeaderGuid = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                     0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
// 8CABDCA1-A947-11CF-8EE4-00C00C205365
inline constexpr Guid kFilePropertiesGuid = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                             0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
// B7DC0791-A9B7-11CF-8EE6-00C00C205365 (Stream Properties Object)
inline constexpr Guid kStreamPropertiesGuid = {0x91, 0x07, 0xDC, 0xB7, 0xB7, 0xA9, 0xCF, 0x11,
                                               0x8E, 0xE6, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
// 75B22636-668E-11CF-A6D9-00AA0062CE6C (Data Object, which follows the header)
inline constexpr Guid kDataGuid = {0x36, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                   0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};

inline void PutU32(Bytes& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}
inline void PutU64(Bytes& out, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// GUID, size (24 + body unless `size` is given), body.
inline Bytes Object(const Guid& guid, const Bytes& body,
                    std::optional<std::uint64_t> size = std::nullopt) {
  Bytes out(guid.begin(), guid.end());
  PutU64(out, size.value_or(24 + body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

// Fields of a File Properties Object; set with the chained setters.
struct FileProps {
  std::uint64_t play_duration_100ns = 405'400'000;  // 40.54 s
  std::uint64_t preroll_ms = 3'100;
  std::uint32_t flags = 0x2;          // seekable
  std::size_t extra_bytes = 0;        // appended after the last field
  std::optional<std::uint64_t> size;  // overrides the object size field

  FileProps& Play(std::uint64_t v) {
    play_duration_100ns = v;
    return *this;
  }
  FileProps& Preroll(std::uint64_t v) {
    preroll_ms = v;
    return *this;
  }
  FileProps& Flags(std::uint32_t v) {
    flags = v;
    return *this;
  }
  FileProps& Extra(std::size_t v) {
    extra_bytes = v;
    return *this;
  }
  FileProps& Size(std::uint64_t v) {
    size = v;
    return *this;
  }
};

inline Bytes FileProperties(const FileProps& p) {
  Bytes body(16, 0x11);     // file id
  PutU64(body, 1'000'000);  // file size
  PutU64(body, 0);          // creation date
  PutU64(body, 100);        // data packets
  PutU64(body, p.play_duration_100ns);
  PutU64(body, p.play_duration_100ns);  // send duration
  PutU64(body, p.preroll_ms);
  PutU32(body, p.flags);
  PutU32(body, 3200);     // min packet size
  PutU32(body, 3200);     // max packet size
  PutU32(body, 128'000);  // max bitrate
  body.insert(body.end(), p.extra_bytes, 0);
  return Object(kFilePropertiesGuid, body, p.size);
}

// A filler object of `total` bytes (at least 24) with an unknown GUID.
inline Bytes Filler(std::uint64_t total) {
  Guid guid{};
  guid.fill(0xEE);
  return Object(guid, Bytes(static_cast<std::size_t>(total - 24), 0xAB));
}

// The Header Object holding `children`; its size counts them unless given.
inline Bytes Header(const std::vector<Bytes>& children,
                    std::optional<std::uint64_t> size = std::nullopt) {
  Bytes body;
  PutU32(body, static_cast<std::uint32_t>(children.size()));
  body.push_back(0x01);
  body.push_back(0x02);
  for (const Bytes& child : children) body.insert(body.end(), child.begin(), child.end());
  return Object(kHeaderGuid, body, size);
}

}  // namespace asftest
