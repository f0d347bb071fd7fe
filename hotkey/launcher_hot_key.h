// The launcher's system-wide hot key: the stored value, its translation to
// the platform's modifiers, and registration under one global atom.
#pragma once

#include <cstdint>

#include "platform/services.h"

namespace hotkey {

inline constexpr wchar_t kAtomName[] = L"MIRABELTONHOTKEY";

struct KeyCombination {
  unsigned virtualKey;
  unsigned modifiers;
};

// Bits 0-7 the key, bits 8-15 the flags; alt and shift trade places, control
// keeps its bit; the extended-key flag, the upper bits and the Windows key
// never take part.
KeyCombination Translate(std::int32_t value);

// The identifier: the atom widened with its sign (atoms lie in
// 0xC000-0xFFFF, so it is negative).
inline int AtomIdentifier(std::uint16_t atom) { return static_cast<std::int16_t>(atom); }

class LauncherHotKey {
 public:
  explicit LauncherHotKey(platform::HotKeyService& service) : service_(service) {}

  // The platform's answer: nonzero when accepted. Counts as registered
  // after every attempt, accepted or not.
  int RegisterLauncherHotKey(const std::int32_t& value);
  void UnregisterLauncherHotKey();

  bool HotKeyRegistered() const { return HotKeyRegistered_; }
  void SetHotKeyRegistered(bool registered) { HotKeyRegistered_ = registered; }
  int Identifier() const { return AtomIdentifier(atom_); }

 private:
  platform::HotKeyService& service_;
  std::uint16_t atom_ = 0;
  bool HotKeyRegistered_ = false;
};

}  // namespace hotkey
