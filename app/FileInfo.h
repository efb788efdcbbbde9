#pragma once
// TFileInfo: one conversion job. The main window's JobList owns its records;
// the list's order is the conversion order.
#include <cstdint>
#include <string>

struct TFileInfo {
  std::int32_t Duration = 0;  // whole seconds of the source, 0 when unknown
  std::wstring Status;        // shown in the list's second column
  std::wstring FileName;      // full path of the source
};
