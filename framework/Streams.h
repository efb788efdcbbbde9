#pragma once
// Byte streams of the framework. TStream is the abstract stream with a
// position; TCustomMemoryStream reads from a block of memory; TMemoryStream
// owns a growable block; TBytesStream is a read-only view of bytes owned by
// someone else (the caller keeps them alive while the view is used).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "framework/Exceptions.h"

class EStreamError : public Exception {
 public:
  using Exception::Exception;
};
class EReadError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};
class EFCreateError : public EStreamError {
 public:
  using EStreamError::EStreamError;
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;

  // Reads up to `count` bytes at the position; returns how many were read.
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  // Writes up to `count` bytes at the position; returns how many were written.
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // Moves the position and returns the new one. Negative results clamp to 0.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;
  // Sets the size; streams that cannot change size raise EStreamError.
  virtual void SetSize(std::int64_t size);

  std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
  std::int64_t Size();

  // Read/Write for exactly `count` bytes: EReadError / EWriteError otherwise.
  void ReadBuffer(void* buffer, std::int64_t count);
  void WriteBuffer(const void* buffer, std::int64_t count);
  void WriteBytes(std::span<const std::uint8_t> bytes) {
    WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  }

  // Copies `count` bytes from the source's position into this stream. A count
  // of 0 copies the whole source from its start. Returns the bytes copied.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

// The bytes from the stream's position to its end (fewer if the stream
// ends early); the position moves past them.
std::vector<std::uint8_t> ReadToEnd(TStream& stream);

// A stream over one block of memory set by the derived class.
class TCustomMemoryStream : public TStream {
 public:
  std::int64_t Read(void* buffer, std::int64_t count) override;
  // A plain memory block cannot grow: writing is refused (0 bytes written).
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;

  // The whole block, independent of the position.
  std::span<const std::uint8_t> Bytes() const { return {data_, static_cast<size_t>(size_)}; }
  const std::uint8_t* Memory() const { return data_; }
  // The bytes from the position to the end.
  std::span<const std::uint8_t> Remaining() const;
  // Writes the whole block into `target` at its position.
  void SaveToStream(TStream& target) const;
  // Writes the whole block to a file (UTF-8 path); EFCreateError on failure.
  void SaveToFile(const std::string& path) const;

 protected:
  void SetPointer(std::uint8_t* data, std::int64_t size);
  std::uint8_t* MutableData() { return data_; }
  std::int64_t position_ = 0;

 private:
  std::uint8_t* data_ = nullptr;
  std::int64_t size_ = 0;
};

// A read-only view of bytes owned elsewhere.
class TBytesStream : public TCustomMemoryStream {
 public:
  explicit TBytesStream(std::span<const std::uint8_t> bytes);
};

// Owns its bytes; writing past the end grows the block (gaps read as 0).
class TMemoryStream : public TCustomMemoryStream {
 public:
  TMemoryStream() = default;
  TMemoryStream(const TMemoryStream&) = delete;
  TMemoryStream& operator=(const TMemoryStream&) = delete;

  std::int64_t Write(const void* buffer, std::int64_t count) override;
  void SetSize(std::int64_t size) override;

  std::uint8_t* Memory() { return MutableData(); }
  using TCustomMemoryStream::Memory;
  // Size and position 0.
  void Clear();
  // Replaces the content with the whole of `source` (read from its start) and
  // rewinds.
  void LoadFromStream(TStream& source);
  // Replaces the content with the file's bytes (UTF-8 path) and rewinds;
  // EFOpenError when the file cannot be read.
  void LoadFromFile(const std::string& path);
  // Replaces the content with `bytes` and rewinds.
  void Assign(std::span<const std::uint8_t> bytes);

 private:
  std::vector<std::uint8_t> buffer_;
};
