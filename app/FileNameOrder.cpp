#include "app/FileNameOrder.h"

#include <windows.h>

#include <string_view>

namespace {

int Compare(std::wstring_view a, std::wstring_view b, bool ignore_case) {
  const int r = CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                     static_cast<int>(b.size()), ignore_case ? TRUE : FALSE);
  return r == CSTR_LESS_THAN ? -1 : r == CSTR_GREATER_THAN ? 1 : 0;
}

// The next level of `path` from `at` on (up to a backslash or the end).
std::wstring_view Level(const std::wstring& path, size_t at) {
  const size_t end = path.find(L'\\', at);
  return std::wstring_view(path).substr(at,
                                        end == std::wstring::npos ? std::wstring::npos : end - at);
}

int CompareByLevels(const std::wstring& a, const std::wstring& b, bool ignore_case) {
  size_t ia = 0, ib = 0;
  while (ia <= a.size() && ib <= b.size()) {
    const std::wstring_view la = Level(a, ia);
    const std::wstring_view lb = Level(b, ib);
    if (const int r = Compare(la, lb, ignore_case); r != 0) return r;
    ia += la.size() + 1;
    ib += lb.size() + 1;
  }
  // One path is a prefix of the other in levels: the shorter comes first.
  return (ia > a.size() ? 0 : 1) - (ib > b.size() ? 0 : 1);
}

}  // namespace

int CompareFileNames(const std::wstring& a, const std::wstring& b) {
  return Compare(a, b, true);
}

bool PathLess(const std::wstring& a, const std::wstring& b) {
  if (const int r = CompareByLevels(a, b, true); r != 0) return r < 0;
  return CompareByLevels(a, b, false) < 0;
}
