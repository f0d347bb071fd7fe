// The reading of texts typed into the command box.
#pragma once

#include <string>
#include <string_view>

namespace core {

// True when the first keyword.size() characters of text, letters folded to
// lower case, are keyword (which is given in lower case).
bool BeginsWithKeyword(std::wstring_view text, std::wstring_view keyword);

// The history entry that "@prev..." selects. The part after "@prev" counts
// as a number when it is optional blanks, an optional sign, digits with at
// most one decimal point (at least one digit), and optional blanks; it is
// rounded half to even. Anything not numeric, or outside 0..2, selects 0.
int PrevHistoryIndex(std::wstring_view text);

}  // namespace core
