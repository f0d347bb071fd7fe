// Ownership of a kernel handle, closed by the function that matches its
// kind (CloseHandle, FindClose) when it goes.
#pragma once

#include <windows.h>

#include <utility>

namespace win32 {

class ScopedHandle {
 public:
  using Closer = BOOL(WINAPI*)(HANDLE);
  ScopedHandle(HANDLE handle, Closer closer) : handle_(handle), closer_(closer) {}
  ~ScopedHandle() { Close(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)), closer_(other.closer_) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other) {
      Close();
      handle_ = std::exchange(other.handle_, INVALID_HANDLE_VALUE);
      closer_ = other.closer_;
    }
    return *this;
  }

  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
  HANDLE Get() const { return handle_; }
  // False when closing reports an error (for a written file: data not saved).
  bool Close() {
    if (!Valid()) return true;
    return closer_(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE;
  }

 private:
  HANDLE handle_;
  Closer closer_;
};

}  // namespace win32
