// A ByteSource over a file opened for reading. On Windows the path is UTF-16
// and opened with _wfopen so any file name works; elsewhere it is a byte path.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "tools/probe/AsfDuration.h"

namespace probe {

#ifdef _WIN32
using NativePathChar = wchar_t;
#else
using NativePathChar = char;
#endif

class FileSource final : public ByteSource {
 public:
  // Returns nothing and sets `error` (a short reason such as "No such file or
  // directory") when the file cannot be opened as a regular file.
  static std::optional<FileSource> Open(const NativePathChar* path, std::string& error);

  std::size_t ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) override;

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  using FilePtr = std::unique_ptr<std::FILE, Closer>;
  explicit FileSource(FilePtr file) : file_(std::move(file)) {}
  FilePtr file_;
};

}  // namespace probe
