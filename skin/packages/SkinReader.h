#pragma once
// TSkinReader expands a compressed skin stream and indexes the skin archive
// inside it, then hands out single member files. The archive holds:
//   magic 20000, L (length of the name text), two values readers ignore
//   (all 32-bit little-endian), the name text (each name followed by CR LF),
//   one signed 32-bit size per name, then the members' bytes in name order.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "framework/Streams.h"
#include "framework/StringList.h"

class TSkinMessageSink;

inline constexpr std::int32_t kSkinArchiveMagic = 20000;
inline constexpr int kSkinArchiveMaxMembers = 1001;
inline constexpr char kOlderSkinMessage[] =
    "This is Older Skin File\rPlease update to new version !";

struct TSkinArchiveHeader {
  std::int32_t magic = 0;
  std::int32_t name_length = 0;
  std::int32_t reserved1 = 0;
  std::int32_t reserved2 = 0;
};

class TSkinReader {
 public:
  // `messages` receives the message about skins of an older format; it may
  // be null (no one told) and must outlive the reader otherwise.
  explicit TSkinReader(TSkinMessageSink* messages = nullptr) : messages_(messages) {}
  TSkinReader(const TSkinReader&) = delete;
  TSkinReader& operator=(const TSkinReader&) = delete;

  // Expands `compressed` (read from its start) and indexes the archive.
  // Returns false, keeping the earlier content, when the archive is of an
  // older format (the user is told) or the stream or archive is damaged:
  // a stated size the data cannot produce, more than 1001 members, negative
  // sizes, or names and sizes that run past the data.
  bool Load(TStream& compressed);
  // Indexes an archive that is already expanded; same results as Load.
  bool LoadArchive(std::span<const std::uint8_t> archive);

  // Copies the member named `name` (any letter case) into `target` and
  // rewinds it; `target` stays empty when there is no such member.
  void ExtractFile(const std::string& name, TMemoryStream& target) const;
  // Copies the first member whose stored (lower-case) name contains `part`
  // (compared as given) into `target`, rewinds it and sets `found_name`.
  // Without such a member `target` stays empty and `found_name` unchanged.
  void FindFile(const std::string& part, TMemoryStream& target, std::string& found_name) const;

  const TStringList& Names() const { return names_; }
  int EntryCount() const { return entry_count_; }
  std::int32_t MemberSize(int index) const;
  // Copies member `index` into `target` (rewound); EListError when out of range.
  void ExtractMember(int index, TMemoryStream& target) const;
  const TSkinArchiveHeader& Header() const { return header_; }
  const TMemoryStream& Data() const { return data_; }

 private:
  void CopyMember(int index, TMemoryStream& target) const;

  TSkinMessageSink* messages_;
  TStringList names_;
  int entry_count_ = 0;
  std::array<std::int32_t, kSkinArchiveMaxMembers> sizes_{};
  TMemoryStream data_;
  TSkinArchiveHeader header_;
};
