// The decimal text of an integer, as std::to_wstring writes it ("-12").
// std::to_wstring formats through the C runtime's wide printf, which would
// bring its whole formatter, floating point included, into the Windows exe
// (about 22 KiB) for the few numbers the program writes.
#pragma once

#include <string>

namespace core {

std::wstring DecimalText(long long value);

}  // namespace core
