#include "launcher/open_path.h"

namespace launcher {

bool OpenPathNoHistory(platform::Shell& shell, const std::wstring& target) {
  return platform::ShellOpenSucceeded(shell.Open(target));
}

bool OpenPath(platform::Shell& shell, core::SharedState& state, const std::wstring& target) {
  if (!OpenPathNoHistory(shell, target)) return false;
  state.RunHistory[2] = std::move(state.RunHistory[1]);
  state.RunHistory[1] = std::move(state.RunHistory[0]);
  state.RunHistory[0] = target;
  return true;
}

}  // namespace launcher
