#include "core/command_text.h"

#include "core/case_fold.h"

namespace core {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

}  // namespace

bool BeginsWithKeyword(std::wstring_view text, std::wstring_view keyword) {
  if (text.size() < keyword.size()) return false;
  for (std::size_t i = 0; i < keyword.size(); ++i) {
    if (FoldCase(text[i]) != keyword[i]) return false;
  }
  return true;
}

int PrevHistoryIndex(std::wstring_view text) {
  constexpr std::size_t kKeywordLength = 5;  // "@prev"
  if (text.size() <= kKeywordLength) return 0;
  std::wstring_view rest = text.substr(kKeywordLength);
  while (!rest.empty() && IsBlank(rest.front())) rest.remove_prefix(1);
  while (!rest.empty() && IsBlank(rest.back())) rest.remove_suffix(1);

  bool negative = false;
  if (!rest.empty() && (rest.front() == L'+' || rest.front() == L'-')) {
    negative = rest.front() == L'-';
    rest.remove_prefix(1);
  }
  const std::size_t point = rest.find(L'.');
  std::wstring_view whole = rest.substr(0, point);
  std::wstring_view fraction =
      point == std::wstring_view::npos ? std::wstring_view{} : rest.substr(point + 1);
  for (wchar_t c : whole)
    if (!IsDigit(c)) return 0;
  for (wchar_t c : fraction)
    if (!IsDigit(c)) return 0;
  if (whole.empty() && fraction.empty()) return 0;

  // Any negative number rounds to 0 or below, and either way selects 0.
  if (negative) return 0;
  while (!whole.empty() && whole.front() == L'0') whole.remove_prefix(1);
  if (whole.size() > 1) return 0;  // 10 or more, whatever the digits
  int units = whole.empty() ? 0 : whole.front() - L'0';

  // Compare the fraction with one half without converting it to a number,
  // so a suffix of any length is read exactly.
  int versusHalf = -1;  // below one half
  if (!fraction.empty() && fraction.front() >= L'5') {
    versusHalf = fraction.front() > L'5' ? 1 : 0;
    for (std::size_t i = 1; versusHalf == 0 && i < fraction.size(); ++i) {
      if (fraction[i] != L'0') versusHalf = 1;
    }
  }
  if (versusHalf > 0 || (versusHalf == 0 && units % 2 == 1)) ++units;
  return units <= 2 ? units : 0;
}

}  // namespace core
