// The small rules of the profile text that the reading, writing and
// re-encoding of a document share.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace core::profile_syntax {

inline bool IsBlank(char c) { return c == ' ' || c == '\t'; }

inline std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

inline bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

inline bool IsAscii(std::wstring_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](wchar_t c) { return static_cast<unsigned long>(c) < 0x80; });
}

inline char FoldAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline void FoldAscii(std::string& bytes) {
  for (char& c : bytes) c = FoldAscii(c);
}

// A line opening with '[' after its blanks: a section header, or a broken
// one, never a key.
inline bool OpensHeader(std::string_view line) {
  const std::string_view body = TrimBlanks(line);
  return !body.empty() && body.front() == '[';
}

}  // namespace core::profile_syntax
