#pragma once
// TSkinArchiveWriter builds a skin archive (the layout TSkinReader reads)
// from named members, and the compressed skin package made from it.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/Exceptions.h"
#include "skin/packages/LzhCompressor.h"

class ESkinArchiveError : public Exception {
 public:
  using Exception::Exception;
};

class TSkinArchiveWriter {
 public:
  // Adds a member. Names must be non-empty printable ASCII without folder
  // separators and unique in any letter case (only the first of two equal
  // names could ever be found); at most 1001 members. ESkinArchiveError
  // otherwise, and the member is not added.
  void AddMember(const std::string& name, std::span<const std::uint8_t> bytes);
  int Count() const { return static_cast<int>(members_.size()); }

  // The archive: header (magic 20000, name text length, member count and the
  // total size of the members), names with CR LF, sizes, member bytes.
  std::vector<std::uint8_t> Build() const;
  // The compressed skin package of Build().
  std::vector<std::uint8_t> BuildCompressed(TLzhMatching matching = TLzhMatching::lmOptimal) const;

 private:
  struct Member {
    std::string name;
    std::vector<std::uint8_t> bytes;
  };
  std::vector<Member> members_;
};
