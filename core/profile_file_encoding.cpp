// How a document's text meets its encoding: values encoded and decoded in
// the file's own code page, and the switch of the whole file to UTF-8.
#include <algorithm>
#include <utility>

#include "core/profile_file.h"
#include "core/profile_syntax.h"

namespace core {
namespace {

using profile_syntax::IsAscii;

// Decoding that never fails: what does not decode becomes U+FFFD, one byte
// at a time, so a damaged line still shows its readable characters.
template <typename DecodeFn>
std::wstring DecodeLeniently(std::string_view bytes, std::size_t maxSequence, DecodeFn decode) {
  std::wstring text;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
      text.push_back(static_cast<wchar_t>(bytes[pos++]));
      continue;
    }
    bool decoded = false;
    for (std::size_t length = 1; length <= maxSequence && pos + length <= bytes.size(); ++length) {
      if (auto piece = decode(bytes.substr(pos, length))) {
        text += *piece;
        pos += length;
        decoded = true;
        break;
      }
    }
    if (!decoded) {
      text.push_back(L'\xFFFD');
      ++pos;
    }
  }
  return text;
}

}  // namespace

std::optional<std::string> ProfileFile::EncodeText(std::wstring_view text) const {
  if (encoding_ != FileEncoding::Ansi) return EncodeUtf8(text);
  if (IsAscii(text)) return std::string(text.begin(), text.end());
  return ansi_->Encode(text);
}

std::wstring ProfileFile::DecodeText(std::string_view bytes) const {
  if (IsAscii(bytes)) return std::wstring(bytes.begin(), bytes.end());
  if (encoding_ == FileEncoding::Ansi) {
    if (auto text = ansi_->Decode(bytes)) return std::move(*text);
    return DecodeLeniently(bytes, 2,
                           [this](std::string_view piece) { return ansi_->Decode(piece); });
  }
  if (auto text = DecodeUtf8(bytes)) return std::move(*text);
  return DecodeLeniently(bytes, 4, [](std::string_view piece) { return DecodeUtf8(piece); });
}

// Every line is re-encoded so that it reads the same once the file is
// UTF-8. A line that does not decode in the code page keeps its bytes where
// UTF-8 reads them alike (a lone bad byte is U+FFFD either way): there is
// nothing truer to write for it. Otherwise it becomes what reading shows of
// it, U+FFFD for the bytes that do not decode, since kept as bytes it would
// read as other characters, or as another key; and a broken header stays
// broken, its ']' replaced, rather than become a section in UTF-8. The key
// indexes are made again when next needed, as converted keys now have
// names one can look up.
void ProfileFile::SwitchToUtf8() {
  auto decodeAnsi = [this](std::string_view piece) { return ansi_->Decode(piece); };
  for (Section& section : sections_) {
    for (Line& line : section.lines) {
      const std::string_view text = TextOf(line);
      if (IsAscii(text)) continue;
      if (auto decoded = ansi_->Decode(text)) {
        buffer_.Rewrite(line, 0, EncodeUtf8(*decoded));
        continue;
      }
      std::wstring shown = DecodeLeniently(text, 2, decodeAnsi);
      if (profile_syntax::OpensHeader(text) && !HeaderName(profile_syntax::TrimBlanks(text))) {
        std::replace(shown.begin(), shown.end(), L']', L'\xFFFD');
      } else if (shown == DecodeLeniently(text, 4, DecodeUtf8)) {
        continue;
      }
      buffer_.Rewrite(line, 0, EncodeUtf8(shown));
    }
  }
  encoding_ = FileEncoding::Utf8Bom;
  for (Section& section : sections_) section.keysIndexed = false;
  CompactTextIfWasteful();
}

}  // namespace core
