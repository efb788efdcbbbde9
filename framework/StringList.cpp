#include "framework/StringList.h"

#include "framework/Exceptions.h"

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

bool AsciiEqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

void TStringList::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
}

const std::string& TStringList::Strings(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].text;
}

void TStringList::SetString(int index, std::string text) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].text = std::move(text);
}

std::intptr_t TStringList::Objects(int index) const {
  CheckIndex(index);
  return items_[static_cast<size_t>(index)].object;
}

void TStringList::SetObject(int index, std::intptr_t value) {
  CheckIndex(index);
  items_[static_cast<size_t>(index)].object = value;
}

int TStringList::Add(std::string text, std::intptr_t object) {
  items_.push_back(Item{std::move(text), object});
  return Count() - 1;
}

void TStringList::Insert(int index, std::string text, std::intptr_t object) {
  if (index < 0 || index > Count()) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  }
  items_.insert(items_.begin() + index, Item{std::move(text), object});
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
}

void TStringList::Move(int from, int to) {
  CheckIndex(from);
  CheckIndex(to);
  if (from == to) return;
  Item moved = std::move(items_[static_cast<size_t>(from)]);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, std::move(moved));
}

void TStringList::Clear() {
  items_.clear();
}

int TStringList::IndexOf(std::string_view text) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (AsciiEqualNoCase(items_[i].text, text)) return static_cast<int>(i);
  }
  return -1;
}

int TStringList::IndexOfExact(std::string_view text) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].text == text) return static_cast<int>(i);
  }
  return -1;
}

std::string TStringList::Text() const {
  std::string out;
  for (const Item& item : items_) {
    out += item.text;
    out += "\r\n";
  }
  return out;
}

void TStringList::SetText(std::string_view text) {
  items_.clear();
  size_t start = 0;
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      items_.push_back(Item{std::string(text.substr(start, i - start)), 0});
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      ++i;
      start = i;
    } else {
      ++i;
    }
  }
  if (start < text.size()) items_.push_back(Item{std::string(text.substr(start)), 0});
}

std::vector<std::string> TStringList::Lines() const {
  std::vector<std::string> out;
  out.reserve(items_.size());
  for (const Item& item : items_) out.push_back(item.text);
  return out;
}
