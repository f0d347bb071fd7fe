// An INI ("private profile") file held in memory, with the platform's
// profile semantics and none of its faults:
//  - section and key names compared without case (ASCII letters);
//  - blanks (space, tab) around keys and values trimmed; a value in a
//    matching pair of double or single quotes loses them; a value ends at
//    its first NUL;
//  - the first section of a name, and in it the first occurrence of a key,
//    is the one read and written; ';' lines are comments;
//  - values are read whole, at any length;
//  - a written key replaces its own line in place or is added after the
//    last non-blank line of its section; a missing section is added at the
//    end of the file; every other line keeps its bytes and line ending;
//  - a value that reading would alter is written in double quotes, so it
//    reads back exactly; a value holding CR, LF or NUL is refused.
// Encoding: ANSI (the system code page) or UTF-8, with or without BOM,
// detected on parse and kept on write. A value that the ANSI code page cannot
// represent switches the whole file to UTF-8 with BOM, re-encoding the
// other lines so that each reads as before; so does ANSI text whose bytes
// would pass for UTF-8 (half-width katakana can), which a later read would
// otherwise take for UTF-8.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/key_index.h"
#include "core/line_buffer.h"
#include "core/text_codec.h"

namespace core {

enum class FileEncoding { Ansi, Utf8, Utf8Bom };

class ProfileFile {
 public:
  // An empty document that will be written in newFileEncoding.
  ProfileFile(const AnsiCodePage& ansi, FileEncoding newFileEncoding);
  // Parses any bytes; never fails, never throws on content.
  static ProfileFile Parse(std::string_view bytes, const AnsiCodePage& ansi,
                           FileEncoding newFileEncoding);

  // nullopt when the section or key is missing.
  std::optional<std::wstring> Get(std::wstring_view section, std::wstring_view key) const;
  std::wstring GetString(std::wstring_view section, std::wstring_view key,
                         std::wstring_view fallback) const;

  // Reads a whole section in one pass, for a caller that wants most of its
  // keys: visit(name, valueBytes) for each key line of the first section of
  // this name, in file order. The name is what a key is compared as
  // (LookupName); DecodeValue turns the bytes into what Get returns. A key
  // can come more than once, and Get reads its first line. The bytes stay
  // valid until the document changes, the name only during the call.
  void ForEachKey(std::wstring_view section,
                  const std::function<void(std::string_view, std::string_view)>& visit) const;
  std::wstring DecodeValue(std::string_view valueBytes) const { return DecodeText(valueBytes); }
  // A section or key name as lookups compare it: UTF-8, ASCII letters folded.
  static std::string LookupName(std::wstring_view name);

  // False (document unchanged) when value holds CR, LF or NUL.
  bool Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);

  std::string Serialize() const;
  FileEncoding Encoding() const { return encoding_; }

 private:
  using Line = LineBuffer::Line;
  using Eol = LineBuffer::Eol;
  struct Section {
    std::string foldedName;  // empty for the lines before the first header
    bool hasHeader = false;
    std::vector<Line> lines;  // lines[0] is the header when hasHeader
    // The first occurrence of each key, made on the first lookup: a start
    // that reads the aliases in one pass (ForEachKey) never needs it.
    // Reads therefore change it, so one document is never read from two
    // threads at once.
    mutable KeyIndex keys;
    mutable bool keysIndexed = false;
  };

  // Names and lines (profile_file.cpp)
  void ParseLines();
  const Section* FindSection(std::string_view foldedName) const;
  Section* FindSection(std::string_view foldedName);
  const KeyIndex& Keys(const Section& section) const;  // indexed when first needed
  std::optional<std::size_t> FindKey(const Section& section, std::string_view foldedKey) const;
  bool KeyMatches(std::string_view lineText, std::string_view foldedKey) const;
  std::optional<std::string_view> HeaderName(std::string_view line) const;
  std::string FoldedName(std::string_view bytes) const;
  std::string_view TextOf(const Line& line) const { return buffer_.TextOf(line); }
  void CompactTextIfWasteful();
  void EndLastLine();

  // Encodings (profile_file_encoding.cpp)
  std::optional<std::string> EncodeText(std::wstring_view text) const;
  std::wstring DecodeText(std::string_view bytes) const;
  void SwitchToUtf8();

  const AnsiCodePage* ansi_;
  FileEncoding encoding_;
  Eol eol_ = Eol::kCrLf;    // for new lines: the ending most lines had when parsed
  bool parsedBom_ = false;  // a UTF-8 file without lines still writes its BOM back
  LineBuffer buffer_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // first of a name
};

}  // namespace core
