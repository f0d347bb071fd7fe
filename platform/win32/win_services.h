// The platform services over the Windows shell and user interface.
#pragma once

#include "platform/services.h"

namespace win32 {

class WinShell : public platform::Shell {
 public:
  std::intptr_t Open(const std::wstring& target) override;
};

class WinMessageBoxes : public platform::MessageBoxes {
 public:
  int Show(const std::wstring& text, const std::wstring& title, unsigned style) override;
};

class WinEnvironment : public platform::Environment {
 public:
  WinEnvironment();
  std::wstring ProgramFolder() const override { return folder_; }
  const std::wstring& ProgramPath() const { return path_; }

 private:
  std::wstring path_;
  std::wstring folder_;
};

}  // namespace win32
