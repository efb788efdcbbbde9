#include "tools/probe/FileSource.h"

#include <cerrno>
#include <cstring>
#include <limits>

#include <sys/stat.h>
#include <sys/types.h>

namespace probe {
namespace {

#ifdef _WIN32
std::FILE* OpenForReading(const wchar_t* path) {
  return _wfopen(path, L"rb");
}
int SeekTo(std::FILE* file, std::int64_t offset) {
  return _fseeki64(file, offset, SEEK_SET);
}
bool IsDirectory(std::FILE* file) {
  struct _stat64 info;
  return _fstat64(_fileno(file), &info) == 0 && (info.st_mode & _S_IFDIR) != 0;
}
#else
std::FILE* OpenForReading(const char* path) {
  return std::fopen(path, "rb");
}
int SeekTo(std::FILE* file, std::int64_t offset) {
  return fseeko(file, static_cast<off_t>(offset), SEEK_SET);
}
bool IsDirectory(std::FILE* file) {
  struct stat info;
  return fstat(fileno(file), &info) == 0 && S_ISDIR(info.st_mode);
}
#endif

}  // namespace

std::optional<FileSource> FileSource::Open(const NativePathChar* path, std::string& error) {
  errno = 0;
  FilePtr file(OpenForReading(path));
  if (!file) {
    error = errno != 0 ? std::strerror(errno) : "cannot open the file";
    return std::nullopt;
  }
  // fopen succeeds on a directory on some systems; reading it then fails in
  // ways that would be reported as a truncated file.
  if (IsDirectory(file.get())) {
    error = "is a directory";
    return std::nullopt;
  }
  return FileSource(std::move(file));
}

std::size_t FileSource::ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) {
  // Offsets come from the file's own header and may be anything.
  if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) return 0;
  if (SeekTo(file_.get(), static_cast<std::int64_t>(offset)) != 0) return 0;
  return std::fread(out.data(), 1, out.size(), file_.get());
}

}  // namespace probe
