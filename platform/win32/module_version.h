// The version numbers a module carries in its version resource.
#pragma once

#include <windows.h>

#include <optional>

namespace win32 {

struct ModuleVersion {
  int major = 0;
  int minor = 0;
};

// Read with the kernel's resource functions from the mapped image; null
// when the module has no well-formed version resource. VERSION.dll would
// do the same work, but it is not one of Windows' known DLLs, so importing
// it would let a copy planted beside the exe run inside the launcher.
std::optional<ModuleVersion> ReadModuleVersion(HMODULE module);

}  // namespace win32
