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
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

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

  // False (document unchanged) when value holds CR, LF or NUL.
  bool Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);

  std::string Serialize() const;
  FileEncoding Encoding() const { return encoding_; }

 private:
  enum class Eol : unsigned char { kNone, kCrLf, kLf, kCr };
  // A line's bytes live in text_; a rewritten line moves to its end.
  struct Line {
    std::size_t begin = 0;
    std::size_t length = 0;
    Eol eol = Eol::kNone;  // kNone only for a last line without an ending
  };
  // One slot of a section's open-addressing key index.
  struct KeySlot {
    std::uint32_t linePlusOne = 0;  // 0 for an empty slot
    std::uint32_t hash = 0;         // of the folded key name
  };
  struct Section {
    std::string foldedName;  // empty for the lines before the first header
    bool hasHeader = false;
    std::vector<Line> lines;        // lines[0] is the header when hasHeader
    std::vector<KeySlot> keySlots;  // first occurrence of each key; never over half full
    std::size_t keyCount = 0;
  };

  const Section* FindSection(std::string_view foldedName) const;
  Section* FindSection(std::string_view foldedName);
  std::size_t ProbeKey(const Section& section, std::string_view foldedKey,
                       std::uint32_t hash) const;
  void BuildKeyIndex(Section& section);
  static void GrowKeyIndex(Section& section, std::size_t keyCount);
  bool KeyMatches(std::string_view lineText, std::string_view foldedKey) const;
  std::optional<std::string> EncodeText(std::wstring_view text) const;
  std::wstring DecodeText(std::string_view bytes) const;
  void SwitchToUtf8();
  void ParseLines();
  std::optional<std::string_view> HeaderName(std::string_view line) const;
  std::string FoldedName(std::string_view bytes) const;
  std::string_view TextOf(const Line& line) const;
  static std::string_view EolText(Eol eol);
  Line AppendLine(std::string_view first, std::string_view second);
  void Rewrite(Line& line, std::size_t keepLength, std::string_view tail);
  void CompactTextIfWasteful();
  void EndLastLine();

  const AnsiCodePage* ansi_;
  FileEncoding encoding_;
  Eol eol_ = Eol::kCrLf;    // for new lines: the ending most lines had when parsed
  bool parsedBom_ = false;  // a UTF-8 file without lines still writes its BOM back
  std::string text_;
  std::size_t liveBytes_ = 0;  // bytes of text_ that some line still uses
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> sectionIndex_;  // first of a name
};

}  // namespace core
