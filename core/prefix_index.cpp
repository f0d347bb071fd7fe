#include "core/prefix_index.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "core/case_fold.h"

namespace core {

namespace {

constexpr std::size_t kBlock = 64;

bool BeginsWithFolded(std::wstring_view item, std::wstring_view foldedText) {
  if (item.size() < foldedText.size()) return false;
  for (std::size_t i = 0; i < foldedText.size(); ++i) {
    if (FoldCase(item[i]) != foldedText[i]) return false;
  }
  return true;
}

}  // namespace

int FindListString(const std::vector<std::wstring>& items, std::wstring_view text, bool exact) {
  if (text.empty()) return -1;
  const std::wstring folded = FoldCase(text);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (exact && items[i].size() != folded.size()) continue;
    if (BeginsWithFolded(items[i], folded)) return static_cast<int>(i);
  }
  return -1;
}

void PrefixIndex::Assign(std::vector<std::wstring> items) {
  items_ = std::move(items);
  dirty_ = true;
}

void PrefixIndex::Clear() {
  items_.clear();
  dirty_ = true;
}

void PrefixIndex::Rebuild() const {
  const std::size_t n = items_.size();
  // Folded in list order, into the strings of the previous build where
  // there are any: a reload of the same list allocates nothing here.
  folded_.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    folded_[i].assign(items_[i]);
    for (wchar_t& c : folded_[i]) c = FoldCase(c);
  }
  positions_.resize(n);
  std::iota(positions_.begin(), positions_.end(), 0);
  // Stable, so equal texts keep list order and the first of them sorts first.
  std::stable_sort(positions_.begin(), positions_.end(),
                   [&](std::int32_t a, std::int32_t b) { return folded_[a] < folded_[b]; });
  blockMin_.assign((n + kBlock - 1) / kBlock, INT32_MAX);
  for (std::size_t i = 0; i < n; ++i) {
    blockMin_[i / kBlock] = std::min(blockMin_[i / kBlock], positions_[i]);
  }
  dirty_ = false;
}

int PrefixIndex::Find(std::wstring_view text, bool exact) const {
  if (text.empty()) return -1;
  if (dirty_) Rebuild();
  const std::wstring key = FoldCase(text);
  auto textAt = [this](std::int32_t position) -> const std::wstring& { return folded_[position]; };
  const auto lo = std::partition_point(positions_.begin(), positions_.end(),
                                       [&](std::int32_t p) { return textAt(p) < key; });
  std::size_t first = static_cast<std::size_t>(lo - positions_.begin());
  std::size_t last;  // one past the range of matches in sorted order
  if (exact) {
    last = static_cast<std::size_t>(
        std::partition_point(lo, positions_.end(),
                             [&](std::int32_t p) { return textAt(p) == key; }) -
        positions_.begin());
  } else {
    // Every string with the prefix sorts before the prefix followed by the
    // largest character, so the range ends at the first one that does not
    // begin with it.
    last = static_cast<std::size_t>(
        std::partition_point(
            lo, positions_.end(),
            [&](std::int32_t p) { return textAt(p).compare(0, key.size(), key) == 0; }) -
        positions_.begin());
  }
  if (first >= last) return -1;
  std::int32_t best = INT32_MAX;
  std::size_t i = first;
  for (; i < last && i % kBlock != 0; ++i) best = std::min(best, positions_[i]);
  for (; i + kBlock <= last; i += kBlock) best = std::min(best, blockMin_[i / kBlock]);
  for (; i < last; ++i) best = std::min(best, positions_[i]);
  return best;
}

}  // namespace core
