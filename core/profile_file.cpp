#include "core/profile_file.h"

#include <algorithm>
#include <functional>
#include <utility>

namespace core {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// Prefix of the index name of a key or section whose bytes do not decode:
// 0xFF never occurs in UTF-8, so no name looked up can reach such a line,
// yet it still shadows later lines with the same bytes.
constexpr char kUndecodable = '\xFF';

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsBlankLine(std::string_view text) { return TrimBlanks(text).empty(); }

// Key lines are told apart by their text alone: a line opening with '['
// is a header or a broken one, never a key.
std::optional<std::string_view> KeyName(std::string_view line) {
  const std::string_view body = TrimBlanks(line);
  if (body.empty() || body.front() == '[' || body.front() == ';') return std::nullopt;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return TrimBlanks(line.substr(0, equals));
}

bool IsAscii(std::string_view bytes) {
  return std::all_of(bytes.begin(), bytes.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool IsAscii(std::wstring_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](wchar_t c) { return static_cast<unsigned long>(c) < 0x80; });
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void FoldAscii(std::string& bytes) {
  for (char& c : bytes) c = FoldAscii(c);
}

// The name a wide section or key is looked up by: its UTF-8 with ASCII
// letters folded, whatever the document's encoding.
std::string LookupName(std::wstring_view name) {
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

std::uint32_t HashName(std::string_view foldedName) {
  const std::uint64_t hash = std::hash<std::string_view>()(foldedName);
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
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
  file.text_.assign(bytes);
  file.ParseLines();
  return file;
}

void ProfileFile::ParseLines() {
  const std::string_view bytes = text_;
  std::size_t counts[4] = {};  // by Eol
  Section* current = &sections_.front();
  // CR and LF are searched for separately: memchr is much faster than
  // testing every byte for both.
  auto next = [&bytes](char c, std::size_t from) {
    return std::min(bytes.find(c, from), bytes.size());
  };
  std::size_t nextCr = next('\r', 0);
  std::size_t nextLf = next('\n', 0);
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    Line line;
    line.begin = pos;
    if (nextCr < pos) nextCr = next('\r', pos);
    if (nextLf < pos) nextLf = next('\n', pos);
    const std::size_t end = std::min(nextCr, nextLf);
    line.length = end - pos;
    if (end == bytes.size()) {
      pos = end;
    } else if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') {
      line.eol = Eol::kCrLf;
      pos = end + 2;
    } else {
      line.eol = bytes[end] == '\r' ? Eol::kCr : Eol::kLf;
      pos = end + 1;
    }
    ++counts[static_cast<int>(line.eol)];
    liveBytes_ += line.length;

    const std::string_view body = TrimBlanks(TextOf(line));
    if (!body.empty() && body.front() == '[') {
      if (auto name = HeaderName(body)) {
        current = &sections_.emplace_back();
        current->foldedName = FoldedName(*name);
        current->hasHeader = true;
        sectionIndex_.emplace(current->foldedName, sections_.size() - 1);
      }
    }
    current->lines.push_back(line);
  }
  for (Section& section : sections_) {
    if (section.hasHeader) BuildKeyIndex(section);
  }

  const auto crlf = counts[static_cast<int>(Eol::kCrLf)];
  const auto lf = counts[static_cast<int>(Eol::kLf)];
  const auto cr = counts[static_cast<int>(Eol::kCr)];
  if (lf > crlf && lf >= cr) {
    eol_ = Eol::kLf;
  } else if (cr > crlf && cr > lf) {
    eol_ = Eol::kCr;
  }
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

void ProfileFile::BuildKeyIndex(Section& section) {
  GrowKeyIndex(section, section.lines.size());
  for (std::size_t i = 1; i < section.lines.size(); ++i) {
    const auto name = KeyName(TextOf(section.lines[i]));
    if (!name) continue;
    const std::string folded = FoldedName(*name);
    const std::uint32_t hash = HashName(folded);
    KeySlot& slot = section.keySlots[ProbeKey(section, folded, hash)];
    if (slot.linePlusOne != 0) continue;  // the first occurrence wins
    slot = {static_cast<std::uint32_t>(i + 1), hash};
    ++section.keyCount;
  }
}

// Makes room for keyCount keys at most half filling the table.
void ProfileFile::GrowKeyIndex(Section& section, std::size_t keyCount) {
  std::size_t size = 16;
  while (size < keyCount * 2) size *= 2;
  if (size <= section.keySlots.size()) return;
  std::vector<KeySlot> slots(size);
  for (const KeySlot& slot : section.keySlots) {
    if (slot.linePlusOne == 0) continue;
    std::size_t i = slot.hash & (size - 1);
    while (slots[i].linePlusOne != 0) i = (i + 1) & (size - 1);
    slots[i] = slot;
  }
  section.keySlots = std::move(slots);
}

// The slot holding foldedKey, or the empty slot where it would go.
std::size_t ProfileFile::ProbeKey(const Section& section, std::string_view foldedKey,
                                  std::uint32_t hash) const {
  const std::size_t mask = section.keySlots.size() - 1;
  for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
    const KeySlot& slot = section.keySlots[i];
    if (slot.linePlusOne == 0) return i;
    if (slot.hash == hash && KeyMatches(TextOf(section.lines[slot.linePlusOne - 1]), foldedKey)) {
      return i;
    }
  }
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
  if (found == nullptr || found->keySlots.empty()) return std::nullopt;
  const std::string foldedKey = LookupName(key);
  const KeySlot& slot = found->keySlots[ProbeKey(*found, foldedKey, HashName(foldedKey))];
  if (slot.linePlusOne == 0) return std::nullopt;
  return DecodeText(ValueBytes(TextOf(found->lines[slot.linePlusOne - 1])));
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
    Line header = AppendLine("[" + sectionText, "]");
    header.eol = eol_;
    target = &sections_.emplace_back();
    target->foldedName = foldedSection;
    target->hasHeader = true;
    target->lines.push_back(header);
    sectionIndex_.emplace(foldedSection, sections_.size() - 1);
  }

  const std::string foldedKey = LookupName(key);
  const std::uint32_t hash = HashName(foldedKey);
  GrowKeyIndex(*target, target->keyCount + 1);
  KeySlot& slot = target->keySlots[ProbeKey(*target, foldedKey, hash)];
  if (slot.linePlusOne != 0) {
    Line& line = target->lines[slot.linePlusOne - 1];
    // Keeps the key as the file spells it, blanks and all.
    Rewrite(line, TextOf(line).find('=') + 1, valueText);
  } else {
    // Only blank lines follow the insertion point, so no indexed line moves.
    std::size_t at = target->lines.size();
    while (at > 1 && IsBlankLine(TextOf(target->lines[at - 1]))) --at;
    if (target->lines[at - 1].eol == Eol::kNone) target->lines[at - 1].eol = eol_;
    Line line = AppendLine(keyText + "=", valueText);
    line.eol = eol_;
    target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(at), line);
    slot = {static_cast<std::uint32_t>(at + 1), hash};
    ++target->keyCount;
  }
  CompactTextIfWasteful();
  return true;
}

std::string_view ProfileFile::TextOf(const Line& line) const {
  return std::string_view(text_).substr(line.begin, line.length);
}

std::string_view ProfileFile::EolText(Eol eol) {
  switch (eol) {
    case Eol::kCrLf:
      return "\r\n";
    case Eol::kLf:
      return "\n";
    case Eol::kCr:
      return "\r";
    case Eol::kNone:
      break;
  }
  return {};
}

ProfileFile::Line ProfileFile::AppendLine(std::string_view first, std::string_view second) {
  Line line;
  line.begin = text_.size();
  line.length = first.size() + second.size();
  text_.append(first).append(second);
  liveBytes_ += line.length;
  return line;
}

// The line's first keepLength bytes followed by tail, as a new copy at the
// end of text_; the old bytes stay behind until the next compaction.
void ProfileFile::Rewrite(Line& line, std::size_t keepLength, std::string_view tail) {
  const std::size_t begin = text_.size();
  text_.reserve(begin + keepLength + tail.size());
  text_.append(text_, line.begin, keepLength);
  text_.append(tail);
  liveBytes_ += keepLength + tail.size() - line.length;
  line.begin = begin;
  line.length = keepLength + tail.size();
}

void ProfileFile::CompactTextIfWasteful() {
  if (text_.size() < 2 * liveBytes_ + 65536) return;
  std::string compact;
  compact.reserve(liveBytes_);
  for (Section& section : sections_) {
    for (Line& line : section.lines) {
      const std::size_t begin = compact.size();
      compact += TextOf(line);
      line.begin = begin;
    }
  }
  text_ = std::move(compact);
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
    for (const Line& line : section.lines) size += line.length + EolText(line.eol).size();
  }
  // ANSI bytes that happen to be valid UTF-8 would be read back as UTF-8,
  // as other characters: half-width katakana pairs such as "ﾃｩ" (C3 A9)
  // are. Such a document is written in UTF-8 with a BOM instead.
  if (encoding_ == FileEncoding::Ansi && size != 0) {
    std::string bytes;
    bytes.reserve(size);
    for (const Section& section : sections_) {
      for (const Line& line : section.lines) bytes.append(TextOf(line)).append(EolText(line.eol));
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
    for (const Line& line : section.lines) bytes.append(TextOf(line)).append(EolText(line.eol));
  }
  return bytes;
}

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
// index is made again, as converted keys now have names one can look up.
void ProfileFile::SwitchToUtf8() {
  auto decodeAnsi = [this](std::string_view piece) { return ansi_->Decode(piece); };
  for (Section& section : sections_) {
    for (Line& line : section.lines) {
      const std::string_view text = TextOf(line);
      if (IsAscii(text)) continue;
      if (auto decoded = ansi_->Decode(text)) {
        Rewrite(line, 0, EncodeUtf8(*decoded));
        continue;
      }
      std::wstring shown = DecodeLeniently(text, 2, decodeAnsi);
      const std::string_view body = TrimBlanks(text);
      if (!body.empty() && body.front() == '[' && !HeaderName(body)) {
        std::replace(shown.begin(), shown.end(), L']', L'\xFFFD');
      } else if (shown == DecodeLeniently(text, 4, DecodeUtf8)) {
        continue;
      }
      Rewrite(line, 0, EncodeUtf8(shown));
    }
  }
  encoding_ = FileEncoding::Utf8Bom;
  for (Section& section : sections_) {
    if (!section.hasHeader) continue;
    section.keySlots.clear();
    section.keyCount = 0;
    BuildKeyIndex(section);
  }
  CompactTextIfWasteful();
}

}  // namespace core
