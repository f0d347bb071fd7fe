// The open-file dialog over GetOpenFileNameW.
#pragma once

#include <windows.h>

#include "platform/settings_controls.h"

namespace win32 {

class WinFileDialog : public platform::FileDialog {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  std::wstring ShowOpen(const std::wstring& title, const std::wstring& filter) override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace win32
