// Case folding for comparisons that ignore letter case.
#pragma once

#include <string>
#include <string_view>

namespace core {

// Lower-case form of one character: ASCII, Latin-1 and Latin Extended-A,
// Greek (final sigma folds with sigma), Cyrillic, and full-width Latin.
// Width is not folded: full-width A matches full-width a, not ASCII a.
wchar_t FoldCase(wchar_t c);
std::wstring FoldCase(std::wstring_view text);

}  // namespace core
