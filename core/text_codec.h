// Conversions between the program's wide strings and the bytes of a file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// The system's multi-byte ("ANSI") code page: 932 on Japanese Windows.
class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // nullopt when the bytes are not valid in the code page.
  virtual std::optional<std::wstring> Decode(std::string_view bytes) const = 0;
  // nullopt when a character has no exact form in the code page
  // (no best-fit substitutes: a changed character counts as lost).
  virtual std::optional<std::string> Encode(std::wstring_view text) const = 0;
};

// Strict UTF-8: nullopt on malformed input, overlong forms and surrogates.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes);
// Unpaired surrogates (possible only with 16-bit wchar_t) become U+FFFD.
std::string EncodeUtf8(std::wstring_view text);
// True when bytes are valid UTF-8 and hold at least one non-ASCII sequence.
bool LooksLikeUtf8(std::string_view bytes);

}  // namespace core
