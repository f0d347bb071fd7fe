#include "core/key_index.h"

#include <functional>

namespace core {

std::uint32_t KeyIndex::Hash(std::string_view foldedName) {
  const std::uint64_t hash = std::hash<std::string_view>()(foldedName);
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

void KeyIndex::Clear() {
  slots_.clear();
  count_ = 0;
}

void KeyIndex::Reserve(std::size_t keyCount) {
  std::size_t size = 16;
  while (size < keyCount * 2) size *= 2;
  if (size <= slots_.size()) return;
  std::vector<Slot> slots(size);
  for (const Slot& slot : slots_) {
    if (slot.linePlusOne == 0) continue;
    std::size_t i = slot.hash & (size - 1);
    while (slots[i].linePlusOne != 0) i = (i + 1) & (size - 1);
    slots[i] = slot;
  }
  slots_ = std::move(slots);
}

}  // namespace core
