#pragma once
// Owning wrappers of kernel handles. THandle closes its handle when it goes;
// both "no handle" values of the API (null and INVALID_HANDLE_VALUE) count as
// empty.
#include <windows.h>

#include <utility>

class THandle {
 public:
  THandle() = default;
  explicit THandle(HANDLE h) : h_(h) {}
  ~THandle() { Close(); }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  THandle(THandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  THandle& operator=(THandle&& other) noexcept {
    if (this != &other) {
      Close();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }

  HANDLE Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
  // For APIs that fill in a handle: closes the current one first.
  HANDLE* Put() {
    Close();
    return &h_;
  }
  HANDLE Release() { return std::exchange(h_, nullptr); }
  void Close() {
    if (*this) CloseHandle(h_);
    h_ = nullptr;
  }

 private:
  HANDLE h_ = nullptr;
};
