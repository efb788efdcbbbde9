#pragma once
// File names compared as the Windows file system compares them: ordinally,
// ignoring case over all of Unicode ("Ärger" and "ärger" name one file).
#include <string>

// Negative, zero or positive, as a comes before, equals or follows b.
int CompareFileNames(const std::wstring& a, const std::wstring& b);

// The order in which an add takes the files of a folder: path by path, each
// level compared as above (so a folder's files and subfolders interleave by
// name), an exact comparison deciding between names that differ only in case.
bool PathLess(const std::wstring& a, const std::wstring& b);
