#include "framework/Streams.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

constexpr std::int64_t kCopyChunk = 64 * 1024;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// Opens a file named by a UTF-8 path; on Windows the name goes through
// UTF-16 so that any file name can be reached.
FilePtr OpenFile(const std::string& utf8_path, bool for_writing) {
  const std::filesystem::path path(std::u8string(utf8_path.begin(), utf8_path.end()));
#ifdef _WIN32
  return FilePtr(_wfopen(path.c_str(), for_writing ? L"wb" : L"rb"));
#else
  return FilePtr(std::fopen(path.c_str(), for_writing ? "wb" : "rb"));
#endif
}

}  // namespace

// --- TStream

void TStream::SetSize(std::int64_t) {
  throw EStreamError("Stream size cannot be changed");
}

std::int64_t TStream::Size() {
  const std::int64_t here = Seek(0, TSeekOrigin::soCurrent);
  const std::int64_t end = Seek(0, TSeekOrigin::soEnd);
  Seek(here, TSeekOrigin::soBeginning);
  return end;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count < 0) throw EReadError("Stream read error");
  // A stream may hand out its bytes in pieces.
  auto* at = static_cast<std::uint8_t*>(buffer);
  while (count > 0) {
    const std::int64_t n = Read(at, count);
    if (n <= 0) throw EReadError("Stream read error");
    at += n;
    count -= n;
  }
}

std::vector<std::uint8_t> ReadToEnd(TStream& stream) {
  const std::int64_t left = stream.Size() - stream.Position();
  std::vector<std::uint8_t> bytes(static_cast<size_t>(std::max<std::int64_t>(left, 0)));
  size_t got = 0;
  while (got < bytes.size()) {
    const std::int64_t n =
        stream.Read(bytes.data() + got, static_cast<std::int64_t>(bytes.size() - got));
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count < 0 || (count > 0 && Write(buffer, count) != count)) {
    throw EWriteError("Stream write error");
  }
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  if (count < 0) throw EReadError("Stream read error");
  std::vector<std::uint8_t> chunk(static_cast<size_t>(std::min(count, kCopyChunk)));
  std::int64_t left = count;
  while (left > 0) {
    const std::int64_t n = std::min(left, kCopyChunk);
    source.ReadBuffer(chunk.data(), n);
    WriteBuffer(chunk.data(), n);
    left -= n;
  }
  return count;
}

// --- TCustomMemoryStream

void TCustomMemoryStream::SetPointer(std::uint8_t* data, std::int64_t size) {
  data_ = data;
  size_ = size;
}

std::int64_t TCustomMemoryStream::Read(void* buffer, std::int64_t count) {
  if (count <= 0 || position_ >= size_) return 0;
  const std::int64_t n = std::min(count, size_ - position_);
  std::memcpy(buffer, data_ + position_, static_cast<size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TCustomMemoryStream::Write(const void*, std::int64_t) {
  return 0;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  std::int64_t base = 0;
  switch (origin) {
    case TSeekOrigin::soBeginning:
      base = 0;
      break;
    case TSeekOrigin::soCurrent:
      base = position_;
      break;
    case TSeekOrigin::soEnd:
      base = size_;
      break;
  }
  position_ = std::max<std::int64_t>(0, base + offset);
  return position_;
}

std::span<const std::uint8_t> TCustomMemoryStream::Remaining() const {
  if (position_ >= size_) return {};
  return Bytes().subspan(static_cast<size_t>(position_));
}

void TCustomMemoryStream::SaveToStream(TStream& target) const {
  target.WriteBytes(Bytes());
}

void TCustomMemoryStream::SaveToFile(const std::string& path) const {
  FilePtr file = OpenFile(path, true);
  if (!file) throw EFCreateError("Cannot create file \"" + path + "\"");
  const std::span<const std::uint8_t> bytes = Bytes();
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    throw EWriteError("Stream write error");
  }
  if (std::fclose(file.release()) != 0) throw EWriteError("Stream write error");
}

// --- TBytesStream

TBytesStream::TBytesStream(std::span<const std::uint8_t> bytes) {
  // The view never writes, so dropping const here does not let anyone change
  // the caller's bytes.
  SetPointer(const_cast<std::uint8_t*>(bytes.data()), static_cast<std::int64_t>(bytes.size()));
}

// --- TMemoryStream

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (count <= 0) return 0;
  const std::int64_t end = position_ + count;
  std::vector<std::uint8_t> held;
  if (end > static_cast<std::int64_t>(buffer_.size())) {
    // Growing may move the block; bytes taken from the block itself are
    // copied out first.
    const auto* from = static_cast<const std::uint8_t*>(buffer);
    if (!buffer_.empty() && from >= buffer_.data() && from < buffer_.data() + buffer_.size()) {
      held.assign(from, from + count);
      buffer = held.data();
    }
    SetSize(end);
  }
  std::memmove(buffer_.data() + position_, buffer, static_cast<size_t>(count));
  position_ = end;
  return count;
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0) throw EStreamError("Invalid stream size");
  buffer_.resize(static_cast<size_t>(size), 0);
  SetPointer(buffer_.data(), size);
  position_ = std::min(position_, size);
}

void TMemoryStream::Clear() {
  buffer_.clear();
  SetPointer(buffer_.data(), 0);
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
  source.SetPosition(0);
  const std::int64_t size = source.Size();
  std::vector<std::uint8_t> bytes(static_cast<size_t>(size));
  source.ReadBuffer(bytes.data(), size);
  buffer_.swap(bytes);
  SetPointer(buffer_.data(), size);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& path) {
  FilePtr file = OpenFile(path, false);
  if (!file) throw EFOpenError("Cannot open file \"" + path + "\"");
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[64 * 1024];
  for (;;) {
    const size_t n = std::fread(chunk, 1, sizeof chunk, file.get());
    bytes.insert(bytes.end(), chunk, chunk + n);
    if (n < sizeof chunk) break;
  }
  if (std::ferror(file.get())) throw EReadError("Stream read error");
  buffer_.swap(bytes);
  SetPointer(buffer_.data(), static_cast<std::int64_t>(buffer_.size()));
  position_ = 0;
}

void TMemoryStream::Assign(std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> copy(bytes.begin(), bytes.end());
  buffer_.swap(copy);
  SetPointer(buffer_.data(), static_cast<std::int64_t>(buffer_.size()));
  position_ = 0;
}
