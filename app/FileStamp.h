#pragma once
// What a file looked like before an encoder run, so a failed or stopped run
// removes only what it wrote itself and never an earlier run's finished file.
#include <windows.h>

#include <string>

struct TFileStamp {
  bool exists = false;
  FILETIME written{};
  ULONGLONG size = 0;
};

inline TFileStamp StampOf(const std::wstring& path) {
  TFileStamp stamp;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
      !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    stamp.exists = true;
    stamp.written = data.ftLastWriteTime;
    stamp.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  }
  return stamp;
}

inline bool SameStamp(const TFileStamp& a, const TFileStamp& b) {
  return a.exists == b.exists && a.size == b.size && CompareFileTime(&a.written, &b.written) == 0;
}
