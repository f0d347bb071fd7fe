// The process's argument text and the two switches found in it.
#pragma once

#include <string>
#include <string_view>

namespace core {

// The whole command line less the program's own name (quoted or not) and
// the blanks after it.
std::wstring ArgumentText(std::wstring_view commandLine);

// A switch counts wherever it stands in the lower-cased argument text, also
// inside a longer word or a path ("c:/stuff" holds "/s").
bool HasSwitch(std::wstring_view argumentText, std::wstring_view lowerSwitch);

}  // namespace core
