// Tests wait for effects, never for a time: a condition is polled until it
// holds, and only a condition that never comes true fails, after a bound
// generous enough for a loaded machine.
#pragma once

#include <chrono>
#include <thread>

namespace e2e {

inline constexpr std::chrono::milliseconds kEffectBound{10'000};

template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds bound = kEffectBound) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  for (;;) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace e2e
