// State that the launcher and the settings window share for the life of the
// process.
#pragma once

#include <array>
#include <string>

namespace core {

inline constexpr wchar_t kEffected[] = L"Effected";
inline constexpr wchar_t kEffectedWithHotKey[] = L"EffectedWithHotKey";

struct SharedState {
  // Targets opened successfully, index 0 the newest; never saved.
  std::array<std::wstring, 3> RunHistory;
  // Set by a successful apply in the settings window, emptied by the
  // launcher once it has acted on it.
  std::wstring SettingsEffect;
};

}  // namespace core
