#include "core/text_codec.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace core {
namespace {

constexpr bool kWideIs16Bit = sizeof(wchar_t) == 2;
constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

char32_t CodeUnit(wchar_t c) {
  return static_cast<char32_t>(static_cast<std::make_unsigned_t<wchar_t>>(c));
}

// Decodes one sequence starting at bytes[pos]; 0 when it is malformed.
std::size_t DecodeOne(std::string_view bytes, std::size_t pos, char32_t& out) {
  const auto lead = static_cast<unsigned char>(bytes[pos]);
  if (lead < 0x80) {
    out = lead;
    return 1;
  }
  std::size_t length;
  char32_t minimum;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    minimum = 0x80;
    out = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    minimum = 0x800;
    out = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    minimum = 0x10000;
    out = lead & 0x07;
  } else {
    return 0;  // stray continuation byte, overlong 2-byte lead, or beyond U+10FFFF
  }
  if (bytes.size() - pos < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(bytes[pos + i]);
    if ((next & 0xC0) != 0x80) return 0;
    out = (out << 6) | (next & 0x3F);
  }
  if (out < minimum || out > 0x10FFFF || IsSurrogate(out)) return 0;
  return length;
}

void AppendWide(std::wstring& text, char32_t c) {
  if (kWideIs16Bit && c > 0xFFFF) {
    c -= 0x10000;
    text.push_back(static_cast<wchar_t>(0xD800 + (c >> 10)));
    text.push_back(static_cast<wchar_t>(0xDC00 + (c & 0x3FF)));
  } else {
    text.push_back(static_cast<wchar_t>(c));
  }
}

void AppendUtf8(std::string& bytes, char32_t c) {
  if (c < 0x80) {
    bytes.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
    bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
    bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
    bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

std::optional<std::wstring> DecodeUtf8(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    char32_t c;
    const std::size_t length = DecodeOne(bytes, pos, c);
    if (length == 0) return std::nullopt;
    AppendWide(text, c);
    pos += length;
  }
  return text;
}

std::string EncodeUtf8(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = CodeUnit(text[i]);
    if (kWideIs16Bit && c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
      const char32_t low = CodeUnit(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (IsSurrogate(c) || c > 0x10FFFF) c = kReplacement;
    AppendUtf8(bytes, c);
  }
  return bytes;
}

bool LooksLikeUtf8(std::string_view bytes) {
  bool sawMultiByte = false;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    // Settings files are nearly all ASCII: skip it eight bytes at a time.
    while (bytes.size() - pos >= 8) {
      std::uint64_t word;
      std::memcpy(&word, bytes.data() + pos, sizeof word);
      if ((word & 0x8080808080808080u) != 0) break;
      pos += 8;
    }
    if (pos == bytes.size()) break;
    if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
      ++pos;
      continue;
    }
    char32_t c;
    const std::size_t length = DecodeOne(bytes, pos, c);
    if (length == 0) return false;
    sawMultiByte = true;
    pos += length;
  }
  return sawMultiByte;
}

}  // namespace core
