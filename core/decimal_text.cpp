#include "core/decimal_text.h"

#include <charconv>
#include <iterator>

namespace core {

std::wstring DecimalText(long long value) {
  char digits[24];  // 19 digits and a sign at most
  const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
  return std::wstring(std::begin(digits), end);
}

}  // namespace core
