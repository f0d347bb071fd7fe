#include "core/case_fold.h"

namespace core {

namespace {

// Blocks where upper and lower case alternate: even code point upper.
bool InAlternatingBlock(wchar_t c) {
  return (c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177) ||
         (c >= 0x460 && c <= 0x481) || (c >= 0x48A && c <= 0x4BF) || (c >= 0x4D0 && c <= 0x52F);
}

// Blocks where upper and lower case alternate: odd code point upper.
bool InOddUpperBlock(wchar_t c) {
  return (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E) || (c >= 0x4C1 && c <= 0x4CE);
}

}  // namespace

wchar_t FoldCase(wchar_t c) {
  if (c < 0x80) return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 0x20) : c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<wchar_t>(c + 0x20);
  if (InAlternatingBlock(c)) return static_cast<wchar_t>(c | 1);
  if (InOddUpperBlock(c)) return (c & 1) ? static_cast<wchar_t>(c + 1) : c;
  if (c == 0x178) return 0xFF;   // Y with diaeresis
  if (c == 0x130) return L'i';   // dotted capital I
  if (c == 0x4C0) return 0x4CF;  // palochka
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return static_cast<wchar_t>(c + 0x20);  // Greek
  if (c == 0x3C2) return 0x3C3;                                                       // final sigma
  if (c == 0x386) return 0x3AC;
  if (c >= 0x388 && c <= 0x38A) return static_cast<wchar_t>(c + 37);
  if (c == 0x38C) return 0x3CC;
  if (c == 0x38E || c == 0x38F) return static_cast<wchar_t>(c + 63);
  if (c >= 0x410 && c <= 0x42F) return static_cast<wchar_t>(c + 0x20);  // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return static_cast<wchar_t>(c + 0x50);
  if (c >= 0xFF21 && c <= 0xFF3A) return static_cast<wchar_t>(c + 0x20);  // full-width Latin
  return c;
}

std::wstring FoldCase(std::wstring_view text) {
  std::wstring folded(text);
  for (wchar_t& c : folded) c = FoldCase(c);
  return folded;
}

}  // namespace core
