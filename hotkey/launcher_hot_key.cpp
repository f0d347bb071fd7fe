#include "hotkey/launcher_hot_key.h"

namespace hotkey {

KeyCombination Translate(std::int32_t value) {
  const auto word = static_cast<std::uint32_t>(value);
  const unsigned flags = (word >> 8) & 0xFF;
  unsigned modifiers = 0;
  if (flags & platform::kHotKeyfAlt) modifiers |= platform::kModAlt;
  if (flags & platform::kHotKeyfControl) modifiers |= platform::kModControl;
  if (flags & platform::kHotKeyfShift) modifiers |= platform::kModShift;
  return {word & 0xFF, modifiers};
}

int LauncherHotKey::RegisterLauncherHotKey(const std::int32_t& value) {
  const KeyCombination combination = Translate(value);
  // A second attempt before a release (the fallback after a refusal) keeps
  // the atom it holds: the release deletes it once, so adding it again
  // would leave a global atom behind until the user logs off.
  if (!HotKeyRegistered_) atom_ = service_.AddAtom(kAtomName);
  const bool accepted =
      service_.Register(AtomIdentifier(atom_), combination.modifiers, combination.virtualKey);
  HotKeyRegistered_ = true;
  return accepted ? 1 : 0;
}

void LauncherHotKey::UnregisterLauncherHotKey() {
  service_.Unregister(AtomIdentifier(atom_));
  service_.DeleteAtom(atom_);
  HotKeyRegistered_ = false;
}

}  // namespace hotkey
