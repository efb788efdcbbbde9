#pragma once
// TStringList: an ordered list of 8-bit strings, each with an associated
// integer value ("object"). Lookups by text fold ASCII letters only, which is
// how the program compares skin names, sections and keys.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TStringList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }

  // Accessors raise EListError for an index outside 0..Count()-1.
  const std::string& Strings(int index) const;
  const std::string& operator[](int index) const { return Strings(index); }
  void SetString(int index, std::string text);
  std::intptr_t Objects(int index) const;
  void SetObject(int index, std::intptr_t value);

  int Add(std::string text, std::intptr_t object = 0);
  void Insert(int index, std::string text, std::intptr_t object = 0);
  void Delete(int index);
  void Move(int from, int to);
  void Clear();

  // First index whose text equals `text`, ASCII letters compared without
  // case; -1 when there is none.
  int IndexOf(std::string_view text) const;
  // Same, compared exactly.
  int IndexOfExact(std::string_view text) const;

  // All lines joined, each followed by CR LF.
  std::string Text() const;
  // Replaces the content with the lines of `text`: breaks are CR LF, CR or
  // LF; a break at the very end adds no empty line.
  void SetText(std::string_view text);

  // Update batching: kept as a counter for callers that bracket many changes.
  void BeginUpdate() { ++update_count_; }
  void EndUpdate() {
    if (update_count_ > 0) --update_count_;
  }
  bool Updating() const { return update_count_ > 0; }

  std::vector<std::string> Lines() const;

 private:
  struct Item {
    std::string text;
    std::intptr_t object = 0;
  };
  void CheckIndex(int index) const;

  std::vector<Item> items_;
  int update_count_ = 0;
};

// ASCII-only case folding and comparison, shared by the string list and the
// skin readers.
std::string AsciiLower(std::string_view text);
std::string AsciiUpper(std::string_view text);
bool AsciiEqualNoCase(std::string_view a, std::string_view b);
