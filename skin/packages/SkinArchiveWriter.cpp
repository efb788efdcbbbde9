#include "skin/packages/SkinArchiveWriter.h"

#include <limits>

#include "framework/StringList.h"
#include "skin/packages/SkinReader.h"

namespace {

void PutInt32(std::vector<std::uint8_t>& out, std::int64_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int k = 0; k < 4; ++k) out.push_back(static_cast<std::uint8_t>(v >> (8 * k)));
}

bool IsPlainName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u > 126 || c == '/' || c == '\\' || c == ':') return false;
  }
  return true;
}

}  // namespace

void TSkinArchiveWriter::AddMember(const std::string& name, std::span<const std::uint8_t> bytes) {
  if (!IsPlainName(name)) {
    throw ESkinArchiveError("Member name \"" + name +
                            "\" is not a plain file name of printable ASCII characters");
  }
  for (const Member& m : members_) {
    if (AsciiEqualNoCase(m.name, name)) {
      throw ESkinArchiveError("Member name \"" + name + "\" is already used");
    }
  }
  if (Count() >= kSkinArchiveMaxMembers) {
    throw ESkinArchiveError("A skin archive holds at most " +
                            std::to_string(kSkinArchiveMaxMembers) + " members");
  }
  if (bytes.size() > static_cast<size_t>(std::numeric_limits<std::int32_t>::max())) {
    throw ESkinArchiveError("Member \"" + name + "\" is too large");
  }
  members_.push_back(Member{name, std::vector<std::uint8_t>(bytes.begin(), bytes.end())});
}

std::vector<std::uint8_t> TSkinArchiveWriter::Build() const {
  std::string names;
  std::int64_t total = 0;
  for (const Member& m : members_) {
    names += m.name;
    names += "\r\n";
    total += static_cast<std::int64_t>(m.bytes.size());
  }
  const std::int64_t archive_size =
      16 + static_cast<std::int64_t>(names.size()) + 4 * std::int64_t{Count()} + total;
  if (archive_size > std::numeric_limits<std::int32_t>::max()) {
    throw ESkinArchiveError("The skin archive would exceed 2 GB");
  }
  std::vector<std::uint8_t> out;
  out.reserve(static_cast<size_t>(archive_size));
  PutInt32(out, kSkinArchiveMagic);
  PutInt32(out, static_cast<std::int64_t>(names.size()));
  PutInt32(out, Count());
  PutInt32(out, total);
  out.insert(out.end(), names.begin(), names.end());
  for (const Member& m : members_) PutInt32(out, static_cast<std::int64_t>(m.bytes.size()));
  for (const Member& m : members_) out.insert(out.end(), m.bytes.begin(), m.bytes.end());
  return out;
}

std::vector<std::uint8_t> TSkinArchiveWriter::BuildCompressed(TLzhMatching matching) const {
  return TLzhCompressor(matching).Compress(Build());
}
