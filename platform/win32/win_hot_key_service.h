// The system-wide hot key of the launcher window.
#pragma once

#include <windows.h>

#include "platform/services.h"

namespace win32 {

class WinHotKeyService : public platform::HotKeyService {
 public:
  explicit WinHotKeyService(HWND window) : window_(window) {}
  std::uint16_t AddAtom(const std::wstring& name) override { return GlobalAddAtomW(name.c_str()); }
  void DeleteAtom(std::uint16_t atom) override { GlobalDeleteAtom(atom); }
  bool Register(int id, unsigned modifiers, unsigned virtualKey) override {
    return RegisterHotKey(window_, id, modifiers, virtualKey) != FALSE;
  }
  void Unregister(int id) override { UnregisterHotKey(window_, id); }

 private:
  HWND window_;
};

}  // namespace win32
