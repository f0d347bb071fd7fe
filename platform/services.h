// Platform services the forms use besides their controls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/system_values.h"

namespace platform {

// The shell's "open" operation: no parameters, empty working directory,
// shown normally, the desktop as owner. Returns the platform's code
// (ShellOpenSucceeded tells success).
class Shell {
 public:
  virtual ~Shell() = default;
  virtual std::intptr_t Open(const std::wstring& target) = 0;
};

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

// The system-wide hot key, bound to the launcher window.
class HotKeyService {
 public:
  virtual ~HotKeyService() = default;
  // The global atom for name (0 when the system refuses one).
  virtual std::uint16_t AddAtom(const std::wstring& name) = 0;
  virtual void DeleteAtom(std::uint16_t atom) = 0;
  // modifiers: kModAlt, kModControl, kModShift. True when accepted.
  virtual bool Register(int id, unsigned modifiers, unsigned virtualKey) = 0;
  virtual void Unregister(int id) = 0;
};

// Shows the settings window modally; returns when it has been unloaded.
class SettingsWindowHost {
 public:
  virtual ~SettingsWindowHost() = default;
  virtual void ShowModal() = 0;
};

// What start-up asks of the system.
struct OsVersion {
  unsigned platformId = 0;
  unsigned major = 0;
  unsigned minor = 0;
};

class StartupServices {
 public:
  virtual ~StartupServices() = default;
  // Claims the single-instance lock; false when another instance holds it.
  virtual bool ClaimSingleInstance() = 0;
  // The program's own major and minor version numbers.
  virtual int VersionMajor() const = 0;
  virtual int VersionMinor() const = 0;
  // nullopt when the system does not say.
  virtual std::optional<OsVersion> GetOsVersion() const = 0;
  // The whole argument text of the process.
  virtual std::wstring CommandLine() const = 0;
  // Asks for COM on this thread. The platform may set it up later, once the
  // window has first painted (its first sight needs no COM); a
  // CoUninitialize before then cancels the request.
  virtual void CoInitialize() = 0;
  virtual void CoUninitialize() = 0;
  // Asks for the shell's path and URL completion on the command box's edit
  // field; false when no edit field was found. As with CoInitialize, the
  // platform may attach it only once the window has first painted.
  virtual bool AttachShellCompletion() = 0;
  // Makes the window the foreground window from inside the hot-key message.
  virtual void BringToFront() = 0;
  // Puts the launcher's own window procedure in front of the window's, so
  // that the hot-key message reaches it; and takes it away again.
  virtual void InstallSubclass() = 0;
  virtual void RemoveSubclass() = 0;
};

}  // namespace platform
