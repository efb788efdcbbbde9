#pragma once
// Text helpers shared by the readers of skin definitions: trimming and the
// framework's string-to-integer conversion.
#include <cstdint>
#include <string>
#include <string_view>

// Removes characters with codes up to 32 (spaces and control characters)
// from both ends.
std::string Trim(std::string_view text);

// The framework's integer conversion: an optional sign ('+' or '-') followed
// by decimal digits whose value fits a 32-bit signed integer, or "$" followed
// by at most 32 bits of hexadecimal digits (taken as the 32-bit pattern, so
// "$FFFFFFFF" is -1). Nothing else is accepted: no blanks, no empty digits.
// Returns false and leaves `value` unchanged when the text does not convert.
bool TryStrToInt(std::string_view text, std::int32_t& value);

// TryStrToInt, falling back to `default_value` when the text does not convert.
std::int32_t StrToIntDef(std::string_view text, std::int32_t default_value);
