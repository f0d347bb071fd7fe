// The list search behind completion: the first item, in list order, that
// begins with (or equals) a text, letters compared without case.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Straightforward search over a list; -1 for none and for an empty text.
int FindListString(const std::vector<std::wstring>& items, std::wstring_view text, bool exact);

// The same answers as FindListString, in logarithmic time: the completion
// step runs on every keystroke over up to 32,767 aliases. List positions are
// sorted by their items' folded text; a query narrows to the range that
// shares the prefix and takes the smallest list position in it, helped by
// per-block minima.
class PrefixIndex {
 public:
  void Assign(std::vector<std::wstring> items);  // rebuilds lazily on the next query
  void Clear();
  const std::vector<std::wstring>& Items() const { return items_; }
  int Find(std::wstring_view text, bool exact) const;

 private:
  void Rebuild() const;

  std::vector<std::wstring> items_;
  mutable bool dirty_ = false;
  mutable std::vector<std::wstring> folded_;     // folded text, in list order
  mutable std::vector<std::int32_t> positions_;  // list positions, sorted by folded text
  mutable std::vector<std::int32_t> blockMin_;   // min of positions_ per block
};

}  // namespace core
