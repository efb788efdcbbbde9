#pragma once
// Conversions between UTF-8 (the program's internal 8-bit text for messages
// and file names handed between layers) and UTF-16 (what the wide Win32 API
// takes). Invalid input becomes U+FFFD rather than failing.
#include <string>
#include <string_view>

std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
