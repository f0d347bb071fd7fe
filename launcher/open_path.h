// Opening a target through the shell.
#pragma once

#include <string>

#include "core/shared_state.h"
#include "platform/services.h"

namespace launcher {

// Opens target with the shell's "open"; on success (a code above 32) pushes
// it into RunHistory, dropping the oldest entry. Failures are silent.
bool OpenPath(platform::Shell& shell, core::SharedState& state, const std::wstring& target);
// The same launch; RunHistory is left as it is.
bool OpenPathNoHistory(platform::Shell& shell, const std::wstring& target);

}  // namespace launcher
