#include "core/profile_file.h"

#include <algorithm>
#include <utility>

#include "core/profile_syntax.h"

namespace core {
namespace {

using profile_syntax::FoldAscii;
using profile_syntax::IsAscii;
using profile_syntax::IsBlank;
using profile_syntax::OpensHeader;
using profile_syntax::TrimBlanks;

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Prefix of the index name of a key or section whose bytes do not decode:
// 0xFF never occurs in UTF-8, so no name looked up can reach such a line,
// yet it still shadows later lines with the same bytes.
constexpr char kUndecodable = '\xFF';

bool IsBlankLine(std::string_view text) { return TrimBlanks(text).empty(); }

// Key lines are told apart by their text alone.
std::optional<std::string_view> KeyName(std::string_view line) {
  const std::string_view body = TrimBlanks(line);
  if (body.empty() || OpensHeader(body) || body.front() == ';') return std::nullopt;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(0, equals));
}

// A matching pair of double or single quotes around a whole value, which
// the platform's profile reader drops.
bool IsQuoted(std::string_view value) {
  return value.size() >= 2 && value.front() == value.back() &&
         (value.front() == '"' || value.front() == '\'');
}

// The bytes of a value as reading sees them.
std::string_view ValueBytes(std::string_view line) {
  std::string_view value = line.substr(line.find('=') + 1);
  value = value.substr(0, value.find('\0'));
  value = TrimBlanks(value);
  if (IsQuoted(value)) value = value.substr(1, value.size() - 2);
  return value;
}

bool NeedsQuotes(std::string_view value) {
  if (value.empty()) return false;
  return IsBlank(value.front()) || IsBlank(value.back()) || IsQuoted(value);
}

bool HasLineBreakOrNul(std::wstring_view text) {
  return std::any_of(text.begin(), text.end(), [](wchar_t c) {
    return c <= L'\r' && (c == L'\r' || c == L'\n' || c == L'\0');
  });
}

bool HasOuterBlanks(std::wstring_view text) {
  return !text.empty() && (text.front() == L' ' || text.front() == L'\t' || text.back() == L' ' ||
                           text.back() == L'\t');
}

// Names that would read back as something else (or as another line) are
// refused like values with line breaks.
bool IsWritableSection(std::wstring_view name) {
  return !HasLineBreakOrNul(name) && !HasOuterBlanks(name) && name.find(L']') == name.npos;
}

bool IsWritableKey(std::wstring_view name) {
  if (HasLineBreakOrNul(name) || HasOuterBlanks(name)) return false;
  if (name.find(L'=') != name.npos) return false;
  return name.empty() || (name.front() != L'[' && name.front() != L';');
}

}  // namespace

// Whatever the document's encoding, so that a name looked up matches the
// line's name as FoldedName makes it.
std::string ProfileFile::LookupName(std::wstring_view name) {
  std::string folded;
  if (IsAscii(name)) {
    folded.resize(name.size());
    std::transform(name.begin(), name.end(), folded.begin(),
                   [](wchar_t c) { return FoldAscii(static_cast<char>(c)); });
    return folded;
  }
  folded = EncodeUtf8(name);
  FoldAscii(folded);
  return folded;
}

ProfileFile::ProfileFile(const AnsiCodePage& ansi, FileEncoding newFileEncoding)
    : ansi_(&ansi), encoding_(newFileEncoding) {
  sections_.emplace_back();  // the lines before the first header
}

ProfileFile ProfileFile::Parse(std::string_view bytes, const AnsiCodePage& ansi,
                               FileEncoding newFileEncoding) {
  // An empty file carries no hint of its encoding, so it is treated as new.
  ProfileFile file(ansi, newFileEncoding);
  if (bytes.empty()) return file;
  if (bytes.substr(0, kBom.size()) == kBom) {
    file.encoding_ = FileEncoding::Utf8Bom;
    file.parsedBom_ = true;
    bytes.remove_prefix(kBom.size());
  } else if (LooksLikeUtf8(bytes)) {
    file.encoding_ = FileEncoding::Utf8;
  } else {
    file.encoding_ = FileEncoding::Ansi;
  }
  file.buffer_ = LineBuffer(bytes);
  file.ParseLines();
  return file;
}

void ProfileFile::ParseLines() {
  Section* current = &sections_.front();
  eol_ = buffer_.Split([&](const Line& line) {
    const std::string_view text = TextOf(line);
    if (OpensHeader(text)) {
      if (auto name = HeaderName(TrimBlanks(text))) {
        current = &sections_.emplace_back();
        current->foldedName = FoldedName(*name);
        current->hasHeader = true;
        sectionIndex_.emplace(current->foldedName, sections_.size() - 1);
      }
    }
    current->lines.push_back(line);
  });
}

// The name between '[' and the first ']' that is a whole character: in a
// double-byte code page ']' can also be the second byte of a character.
std::optional<std::string_view> ProfileFile::HeaderName(std::string_view line) const {
  for (std::size_t close = line.find(']'); close != line.npos; close = line.find(']', close + 1)) {
    const std::string_view before = line.substr(0, close);
    if (encoding_ != FileEncoding::Ansi || IsAscii(before) || ansi_->Decode(before)) {
      return TrimBlanks(before.substr(1));
    }
  }
  return std::nullopt;
}

std::string ProfileFile::FoldedName(std::string_view bytes) const {
  std::string folded;
  if (IsAscii(bytes) || (encoding_ != FileEncoding::Ansi && DecodeUtf8(bytes))) {
    folded = bytes;  // already the UTF-8 that LookupName produces
  } else if (auto text = encoding_ == FileEncoding::Ansi ? ansi_->Decode(bytes) : std::nullopt) {
    folded = EncodeUtf8(*text);
  } else {
    folded.reserve(bytes.size() + 1);
    folded.push_back(kUndecodable);
    folded += bytes;
    return folded;
  }
  FoldAscii(folded);
  return folded;
}

const KeyIndex& ProfileFile::Keys(const Section& section) const {
  if (section.keysIndexed) return section.keys;
  section.keys.Clear();
  section.keys.Reserve(section.lines.size());
  for (std::size_t i = 1; i < section.lines.size(); ++i) {
    const auto name = KeyName(TextOf(section.lines[i]));
    if (!name) continue;
    const std::string folded = FoldedName(*name);
    section.keys.Insert(KeyIndex::Hash(folded), i, [&](std::size_t line) {
      return KeyMatches(TextOf(section.lines[line]), folded);
    });
  }
  section.keysIndexed = true;
  return section.keys;
}

std::optional<std::size_t> ProfileFile::FindKey(const Section& section,
                                                std::string_view foldedKey) const {
  return Keys(section).Find(KeyIndex::Hash(foldedKey), [&](std::size_t line) {
    return KeyMatches(TextOf(section.lines[line]), foldedKey);
  });
}

bool ProfileFile::KeyMatches(std::string_view lineText, std::string_view foldedKey) const {
  const std::string_view name = KeyName(lineText).value_or(std::string_view());
  if (!IsAscii(name)) return FoldedName(name) == foldedKey;
  return name.size() == foldedKey.size() &&
         std::equal(name.begin(), name.end(), foldedKey.begin(),
                    [](char a, char b) { return FoldAscii(a) == b; });
}

const ProfileFile::Section* ProfileFile::FindSection(std::string_view foldedName) const {
  auto it = sectionIndex_.find(std::string(foldedName));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

ProfileFile::Section* ProfileFile::FindSection(std::string_view foldedName) {
  auto it = sectionIndex_.find(std::string(foldedName));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

std::optional<std::wstring> ProfileFile::Get(std::wstring_view section,
                                             std::wstring_view key) const {
  const Section* found = FindSection(LookupName(section));
  if (found == nullptr) return std::nullopt;
  const auto line = FindKey(*found, LookupName(key));
  if (!line) return std::nullopt;
  return DecodeText(ValueBytes(TextOf(found->lines[*line])));
}

void ProfileFile::ForEachKey(
    std::wstring_view section,
    const std::function<void(std::string_view, std::string_view)>& visit) const {
  const Section* found = FindSection(LookupName(section));
  if (found == nullptr) return;
  for (std::size_t i = 1; i < found->lines.size(); ++i) {
    const std::string_view text = TextOf(found->lines[i]);
    if (const auto name = KeyName(text)) visit(FoldedName(*name), ValueBytes(text));
  }
}

std::wstring ProfileFile::GetString(std::wstring_view section, std::wstring_view key,
                                    std::wstring_view fallback) const {
  auto value = Get(section, key);
  return value ? std::move(*value) : std::wstring(fallback);
}

bool ProfileFile::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
  if (HasLineBreakOrNul(value) || !IsWritableSection(section) || !IsWritableKey(key)) {
    return false;
  }
  auto encodedSection = EncodeText(section);
  auto encodedKey = EncodeText(key);
  auto encodedValue = EncodeText(value);
  if (!encodedSection || !encodedKey || !encodedValue) {
    SwitchToUtf8();
    encodedSection = EncodeUtf8(section);
    encodedKey = EncodeUtf8(key);
    encodedValue = EncodeUtf8(value);
  }
  const std::string sectionText = std::move(*encodedSection);
  const std::string keyText = std::move(*encodedKey);
  std::string valueText = encodedValue.value();
  if (NeedsQuotes(valueText)) valueText = '"' + valueText + '"';

  const std::string foldedSection = LookupName(section);
  Section* target = FindSection(foldedSection);
  if (target == nullptr) {
    EndLastLine();
    Line header = buffer_.Append("[" + sectionText, "]");
    header.eol = eol_;
    target = &sections_.emplace_back();
    target->foldedName = foldedSection;
    target->hasHeader = true;
    target->lines.push_back(header);
    sectionIndex_.emplace(foldedSection, sections_.size() - 1);
  }

  // A new key goes after the section's last line that is not blank; only
  // blank lines follow it, so no indexed line moves.
  std::size_t at = target->lines.size();
  while (at > 1 && IsBlankLine(TextOf(target->lines[at - 1]))) --at;
  const std::string foldedKey = LookupName(key);
  Keys(*target);  // indexed before the key is looked up and added
  const auto [keyLine, isNew] = target->keys.Insert(
      KeyIndex::Hash(foldedKey), at,
      [&](std::size_t line) { return KeyMatches(TextOf(target->lines[line]), foldedKey); });
  if (!isNew) {
    Line& line = target->lines[keyLine];
    // Keeps the key as the file spells it, blanks and all.
    buffer_.Rewrite(line, TextOf(line).find('=') + 1, valueText);
  } else {
    if (target->lines[at - 1].eol == Eol::kNone) target->lines[at - 1].eol = eol_;
    Line line = buffer_.Append(keyText + "=", valueText);
    line.eol = eol_;
    target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(at), line);
  }
  CompactTextIfWasteful();
  return true;
}

void ProfileFile::CompactTextIfWasteful() {
  buffer_.CompactIfWasteful([this](auto visit) {
    for (Section& section : sections_) {
      for (Line& line : section.lines) visit(line);
    }
  });
}

// A last line without an ending gets one before anything is added after it.
void ProfileFile::EndLastLine() {
  for (auto it = sections_.rbegin(); it != sections_.rend(); ++it) {
    if (!it->lines.empty()) {
      if (it->lines.back().eol == Eol::kNone) it->lines.back().eol = eol_;
      return;
    }
  }
}

std::string ProfileFile::Serialize() const {
  std::size_t size = 0;
  for (const Section& section : sections_) {
    for (const Line& line : section.lines)
      size += line.length + LineBuffer::EolText(line.eol).size();
  }
  // ANSI bytes that happen to be valid UTF-8 would be read back as UTF-8,
  // as other characters: half-width katakana pairs such as "ﾃｩ" (C3 A9)
  // are. Such a document is written in UTF-8 with a BOM instead.
  if (encoding_ == FileEncoding::Ansi && size != 0) {
    std::string bytes;
    bytes.reserve(size);
    for (const Section& section : sections_) {
      for (const Line& line : section.lines)
        bytes.append(TextOf(line)).append(LineBuffer::EolText(line.eol));
    }
    if (!LooksLikeUtf8(bytes)) return bytes;
    ProfileFile utf8 = *this;
    utf8.SwitchToUtf8();
    return utf8.Serialize();
  }
  // An empty file read in stays empty; one that held only a BOM keeps it.
  const bool bom = encoding_ == FileEncoding::Utf8Bom && (size != 0 || parsedBom_);
  std::string bytes;
  bytes.reserve(size + (bom ? kBom.size() : 0));
  if (bom) bytes += kBom;
  for (const Section& section : sections_) {
    for (const Line& line : section.lines)
      bytes.append(TextOf(line)).append(LineBuffer::EolText(line.eol));
  }
  return bytes;
}

}  // namespace core
