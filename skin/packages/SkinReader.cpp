#include "skin/packages/SkinReader.h"

#include <string_view>

#include "framework/Exceptions.h"
#include "skin/packages/Lzh.h"
#include "skin/packages/SkinMessages.h"

namespace {

std::int32_t Int32At(std::span<const std::uint8_t> bytes, size_t offset) {
  std::uint32_t v = 0;
  for (size_t k = 0; k < 4; ++k) {
    const std::uint32_t byte = offset + k < bytes.size() ? bytes[offset + k] : 0;
    v |= byte << (8 * k);
  }
  return static_cast<std::int32_t>(v);
}

}  // namespace

bool TSkinReader::Load(TStream& compressed) {
  TMemoryStream archive;
  try {
    LzhExpandStream(compressed, archive);
  } catch (const ElzhException&) {
    // A stream that cannot be expanded is treated like a missing skin.
    return false;
  }
  return LoadArchive(archive.Bytes());
}

bool TSkinReader::LoadArchive(std::span<const std::uint8_t> archive) {
  // The magic is checked first; a short archive reads as zeros there, like
  // any archive of an older format.
  TSkinArchiveHeader header;
  header.magic = Int32At(archive, 0);
  if (header.magic != kSkinArchiveMagic) {
    if (messages_) messages_->ShowMessage(kOlderSkinMessage);
    return false;
  }
  const std::int64_t total = static_cast<std::int64_t>(archive.size());
  if (total < 16) return false;
  header.name_length = Int32At(archive, 4);
  header.reserved1 = Int32At(archive, 8);
  header.reserved2 = Int32At(archive, 12);
  if (header.name_length < 0 || header.name_length > total - 16) return false;

  const auto* text = reinterpret_cast<const char*>(archive.data() + 16);
  TStringList names;
  names.SetText(AsciiLower(std::string_view(text, static_cast<size_t>(header.name_length))));
  const int count = names.Count();
  if (count > kSkinArchiveMaxMembers) return false;

  const std::int64_t sizes_at = 16 + std::int64_t{header.name_length};
  const std::int64_t data_at = sizes_at + 4 * std::int64_t{count};
  if (data_at > total) return false;
  std::array<std::int32_t, kSkinArchiveMaxMembers> sizes{};
  std::int64_t sum = 0;
  for (int i = 0; i < count; ++i) {
    sizes[static_cast<size_t>(i)] = Int32At(archive, static_cast<size_t>(sizes_at + 4 * i));
    if (sizes[static_cast<size_t>(i)] < 0) return false;
    sum += sizes[static_cast<size_t>(i)];
  }
  if (sum > total - data_at) return false;

  header_ = header;
  names_ = std::move(names);
  entry_count_ = count;
  sizes_ = sizes;
  data_.Assign(archive.subspan(static_cast<size_t>(data_at)));
  return true;
}

std::int32_t TSkinReader::MemberSize(int index) const {
  if (index < 0 || index >= entry_count_) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return sizes_[static_cast<size_t>(index)];
}

void TSkinReader::CopyMember(int index, TMemoryStream& target) const {
  std::int64_t offset = 0;
  for (int i = 0; i < index; ++i) offset += sizes_[static_cast<size_t>(i)];
  // Load checked that every member lies within the data.
  target.WriteBytes(data_.Bytes().subspan(static_cast<size_t>(offset),
                                          static_cast<size_t>(sizes_[static_cast<size_t>(index)])));
  target.SetPosition(0);
}

void TSkinReader::ExtractMember(int index, TMemoryStream& target) const {
  MemberSize(index);  // range check
  target.Clear();
  CopyMember(index, target);
}

void TSkinReader::ExtractFile(const std::string& name, TMemoryStream& target) const {
  target.Clear();
  const std::string wanted = AsciiLower(name);
  for (int i = 0; i < entry_count_; ++i) {
    if (names_[i] == wanted) {
      CopyMember(i, target);
      return;
    }
  }
}

void TSkinReader::FindFile(const std::string& part, TMemoryStream& target,
                           std::string& found_name) const {
  target.Clear();
  // Empty text names no member.
  if (part.empty()) return;
  for (int i = 0; i < entry_count_; ++i) {
    if (names_[i].find(part) != std::string::npos) {
      CopyMember(i, target);
      found_name = names_[i];
      return;
    }
  }
}
