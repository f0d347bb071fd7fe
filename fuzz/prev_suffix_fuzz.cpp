// "@prev" with any suffix selects entry 0, 1 or 2; where the suffix is a
// short number, the choice is the one a long double rounded half to even
// gives.
#include <cfenv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/command_text.h"

namespace {

// ASCII as it is (seeds are plain text), upper bytes mostly the characters
// of numbers, and a few that look like them to a person but are not ASCII.
wchar_t CharacterFor(std::uint8_t byte) {
  static constexpr wchar_t kAlphabet[] = L" \t+-.0123456789";
  static constexpr wchar_t kLookalikes[] = {L'\x3000', L'\xFF11', L'\xFF0E', L'\x0660',
                                            L'\x00A0', L'\xFF0D', L'e',      L'x'};
  if (byte < 0x80) return static_cast<wchar_t>(byte);
  if (byte < 0xE0) return kAlphabet[byte % (sizeof kAlphabet / sizeof kAlphabet[0] - 1)];
  return kLookalikes[byte % (sizeof kLookalikes / sizeof kLookalikes[0])];
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The rule read plainly: nullopt where a long double cannot tell the
// answer for certain (too many digits to hold exactly).
std::optional<int> Reference(std::wstring_view suffix) {
  auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!suffix.empty() && blank(suffix.front())) suffix.remove_prefix(1);
  while (!suffix.empty() && blank(suffix.back())) suffix.remove_suffix(1);
  std::string number;
  std::size_t i = 0;
  if (i < suffix.size() && (suffix[i] == L'+' || suffix[i] == L'-'))
    number += static_cast<char>(suffix[i++]);
  int digits = 0, points = 0;
  for (; i < suffix.size(); ++i) {
    if (IsDigit(suffix[i])) {
      ++digits;
    } else if (suffix[i] == L'.') {
      ++points;
    } else {
      return 0;
    }
    number += static_cast<char>(suffix[i]);
  }
  if (digits == 0 || points > 1) return 0;
  if (digits > 18) return std::nullopt;
  std::fesetround(FE_TONEAREST);
  const long double rounded = std::nearbyintl(std::strtold(number.c_str(), nullptr));
  return rounded >= 0 && rounded <= 2 ? static_cast<int>(rounded) : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::wstring suffix;
  for (std::size_t i = 0; i < size; ++i) suffix.push_back(CharacterFor(data[i]));
  const std::wstring text = L"@prev" + suffix;
  const int index = core::PrevHistoryIndex(text);
  if (index < 0 || index > 2) std::abort();
  if (const auto expected = Reference(suffix); expected && *expected != index) {
    std::fprintf(stderr, "\"@prev%ls\": %d, the rule says %d\n", suffix.c_str(), index, *expected);
    std::abort();
  }
  // The keyword's own letters are not read: only what follows them counts.
  if (core::PrevHistoryIndex(L"xxxxx" + suffix) != index) std::abort();
  return 0;
}
