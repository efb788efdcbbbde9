#include "framework/StrUtils.h"

std::string Trim(std::string_view text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
  return std::string(text.substr(first, last - first));
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool TryStrToInt(std::string_view text, std::int32_t& value) {
  if (text.empty()) return false;
  if (text[0] == '$') {
    const std::string_view digits = text.substr(1);
    if (digits.empty()) return false;
    std::uint64_t v = 0;
    for (char c : digits) {
      const int d = HexDigit(c);
      if (d < 0) return false;
      v = v * 16 + static_cast<std::uint64_t>(d);
      if (v > 0xFFFFFFFFull) return false;
    }
    value = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    return true;
  }
  bool negative = false;
  std::string_view digits = text;
  if (digits[0] == '+' || digits[0] == '-') {
    negative = digits[0] == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty()) return false;
  // The magnitude may reach 2^31 only for a negative value.
  const std::uint64_t limit = negative ? 0x80000000ull : 0x7FFFFFFFull;
  std::uint64_t v = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + static_cast<std::uint64_t>(c - '0');
    if (v > limit) return false;
  }
  value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(v))
                   : static_cast<std::int32_t>(v);
  return true;
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t default_value) {
  std::int32_t value = default_value;
  return TryStrToInt(text, value) ? value : default_value;
}
