// Platform services the forms use besides their controls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The shell's "open" operation: no parameters, empty working directory,
// shown normally, the desktop as owner. Returns the platform's code
// (above 32 means success).
class Shell {
public:
  virtual ~Shell() = default;
  virtual std::intptr_t Open(const std::wstring& target) = 0;
};

enum MessageBoxStyle : unsigned {
  kMbOk = 0x0,
  kMbYesNo = 0x4,
  kMbIconError = 0x10,
  kMbIconExclamation = 0x30,
};
constexpr int kIdYes = 6;

class MessageBoxes {
public:
  virtual ~MessageBoxes() = default;
  // Modal; returns the button pressed (kIdYes, ...).
  virtual int Show(const std::wstring& text, const std::wstring& title, unsigned style) = 0;
};


// Facts about the running program and its system.
class Environment {
public:
  virtual ~Environment() = default;
  // Folder holding the executable, without a trailing separator except at
  // a drive root.
  virtual std::wstring ProgramFolder() const = 0;
};

} // namespace platform
