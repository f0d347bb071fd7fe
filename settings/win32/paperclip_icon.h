// The settings window's icon, a paperclip, drawn at run time at any size.
#pragma once

#include <windows.h>

#include <utility>

namespace win32 {

// Owns an icon handle.
class Icon {
 public:
  Icon() = default;
  explicit Icon(HICON icon) : icon_(icon) {}
  ~Icon() {
    if (icon_) DestroyIcon(icon_);
  }
  Icon(const Icon&) = delete;
  Icon& operator=(const Icon&) = delete;
  Icon(Icon&& other) noexcept : icon_(std::exchange(other.icon_, nullptr)) {}
  Icon& operator=(Icon&& other) noexcept {
    std::swap(icon_, other.icon_);
    return *this;
  }
  HICON Get() const { return icon_; }

 private:
  HICON icon_ = nullptr;
};

// A square icon of size pixels; empty when the system refuses one.
Icon MakePaperclipIcon(int size);

}  // namespace win32
