// The settings-file reader and writer over arbitrary bytes: an unchanged
// document writes back the bytes it was read from; one Set writes a value
// that reads back exactly after a save and a fresh parse, and every other
// key reads as it did before; and the alias table, read in one pass over
// the section, agrees with itself and with a lookup of each of its keys.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/profile_file.h"
#include "core/settings_file.h"
#include "core/text_codec.h"
#include "platform/posix/iconv_code_page.h"

namespace {

using core::FileEncoding;
using core::ProfileFile;

const posix::IconvCodePage& Cp932() {
  static const posix::IconvCodePage codePage("CP932");
  return codePage;
}

// The Set under test, for the report of a failure.
std::wstring g_operation;

[[noreturn]] void Fail(const char* what, std::wstring_view section, std::wstring_view key) {
  std::fprintf(stderr, "%s: section \"%s\" key \"%s\" after %s\n", what,
               core::EncodeUtf8(section).c_str(), core::EncodeUtf8(key).c_str(),
               core::EncodeUtf8(g_operation).c_str());
  std::abort();
}

// Characters a value is made of: ASCII, half-width katakana, and the ones
// that matter to the encodings (Japanese in and out of code page 932, characters that
// share a CP932 byte sequence, blanks and quotes a reader trims).
wchar_t CharacterFor(std::uint8_t byte) {
  static constexpr wchar_t kSpecial[] = {
      L'\x3042', L'\x30BD', L'\x8868', L'\xFF83', L'\xFF69', L'\x00E9', L'\x00A5', L'\x203E',
      L'\x301C', L'\xFF5E', L'\x2225', L'\x3000', L'\x00A0', L'\xFFFD', L'\x0416', L'\x5F20'};
  if (byte < 0x80) return static_cast<wchar_t>(byte);
  // Half-width katakana, as code page 932 has them: single bytes that can
  // pair up into valid UTF-8.
  if (byte >= 0xA1 && byte <= 0xDF) return static_cast<wchar_t>(0xFF61 + (byte - 0xA1));
  return kSpecial[byte % (sizeof kSpecial / sizeof kSpecial[0])];
}

std::wstring WideText(const std::string& bytes) {
  std::wstring text;
  for (char c : bytes) text.push_back(CharacterFor(static_cast<std::uint8_t>(c)));
  return text;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool SameName(std::wstring_view a, std::wstring_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto fold = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

void AddName(std::vector<std::wstring>& names, std::string_view bytes) {
  auto add = [&names](const std::wstring& name) {
    if (names.size() >= 48) return;
    for (const std::wstring& known : names) {
      if (SameName(known, name)) return;
    }
    names.push_back(name);
  };
  if (auto text = core::DecodeUtf8(bytes)) add(*text);
  if (auto text = Cp932().Decode(bytes)) add(*text);
}

// Section and key names as a reader of the bytes might spell them, decoded
// both ways: the document decides which of them exist.
void CollectNames(std::string_view bytes, std::vector<std::wstring>& sections,
                  std::vector<std::wstring>& keys) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find('\r'), bytes.find('\n'));
    const std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(end == bytes.npos ? bytes.size() : end + 1);
    const std::string_view body = Trim(line);
    if (body.empty() || body.front() == ';') continue;
    if (body.front() == '[') {
      for (std::size_t close = body.find(']'); close != body.npos;
           close = body.find(']', close + 1)) {
        AddName(sections, Trim(body.substr(1, close - 1)));
      }
    } else if (const std::size_t equals = line.find('='); equals != line.npos) {
      AddName(keys, Trim(line.substr(0, equals)));
    }
  }
}

void CheckAliasTable(const ProfileFile& file) {
  const core::AliasTable table = core::ReadAliasTable(file);
  const std::size_t count = table.shortNames.size();
  auto get = [&file](std::wstring_view key, std::wstring_view fallback) {
    return file.GetString(core::kSection, key, fallback);
  };
  if (table.realPaths.size() != count + 1 || !table.realPaths.front().empty() ||
      count > static_cast<std::size_t>(core::kMaxAliases) ||
      count != static_cast<std::size_t>(core::ParseTotalNumber(table.totalNumberText)) ||
      get(core::kTotalNumberKey, L"0") != table.totalNumberText ||
      core::ParseHotKey(get(core::kHotKeyKey, L"123")) != table.hotKeyValue) {
    Fail("the alias table disagrees with itself or its count", core::kSection, L"");
  }
  for (std::size_t i = 1; i <= count; ++i) {
    // Past the first entries only those with text: a lookup for each empty
    // one of 32,767 would slow the fuzzer a hundredfold.
    if (i > 1024 && table.shortNames[i - 1].empty() && table.realPaths[i].empty()) continue;
    const int index = static_cast<int>(i);
    if (get(core::ShortNameKey(index), L"") != table.shortNames[i - 1] ||
        get(core::RealPathKey(index), L"") != table.realPaths[i]) {
      Fail("an alias differs from a lookup of its key", core::kSection, core::ShortNameKey(index));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The choices come from the input's last bytes, and the file is the rest,
  // so a real settings file is a seed as it stands. Names and values are
  // slices of the file itself, where the interesting bytes are.
  FuzzedDataProvider input(data, size);
  const auto choice = input.ConsumeIntegral<std::uint8_t>();
  const auto valueStart = input.ConsumeIntegral<std::uint16_t>();
  const auto valueLength = input.ConsumeIntegral<std::uint8_t>();
  const auto nameStart = input.ConsumeIntegral<std::uint16_t>();
  const auto nameLengths = input.ConsumeIntegral<std::uint8_t>();
  const std::string fileBytes = input.ConsumeRemainingBytesAsString();
  auto slice = [&fileBytes](std::size_t start, std::size_t length) {
    if (fileBytes.empty()) return std::wstring();
    return WideText(fileBytes.substr(start % fileBytes.size(), length));
  };
  const FileEncoding newFile = choice & 1 ? FileEncoding::Utf8Bom : FileEncoding::Ansi;

  const ProfileFile unchanged = ProfileFile::Parse(fileBytes, Cp932(), newFile);
  if (unchanged.Serialize() != fileBytes)
    Fail("unchanged document not written back as read", L"", L"");
  CheckAliasTable(unchanged);

  std::vector<std::wstring> sections = {L"Programs"};
  std::vector<std::wstring> keys = {L"TotalNumber", L"HotKey", L"1", L"1R"};
  CollectNames(fileBytes, sections, keys);

  // Names from the file hit existing lines; names from slices reach the
  // refusals and new sections and keys.
  const std::wstring section =
      choice & 2 ? sections[nameStart % sections.size()] : slice(nameStart, nameLengths & 15);
  const std::wstring key = choice & 4 ? keys[nameLengths % keys.size()]
                                      : slice(nameStart + (nameLengths & 15), nameLengths >> 4);
  std::wstring value = slice(valueStart, valueLength);
  if (choice & 8) {
    value.erase(std::remove_if(value.begin(), value.end(),
                               [](wchar_t c) { return c == L'\r' || c == L'\n' || c == L'\0'; }),
                value.end());
  }

  g_operation = L"Set(\"" + section + L"\", \"" + key + L"\", \"" + value + L"\")";
  ProfileFile changed = unchanged;
  if (!changed.Set(section, key, value)) {
    if (changed.Serialize() != fileBytes) Fail("refused Set changed the document", section, key);
    return 0;
  }
  if (value.find_first_of(std::wstring_view(L"\r\n\0", 3)) != value.npos) {
    Fail("Set accepted a line break or NUL", section, key);
  }
  if (changed.Get(section, key) != value) Fail("value does not read back in memory", section, key);

  const ProfileFile reread = ProfileFile::Parse(changed.Serialize(), Cp932(), newFile);
  if (reread.Get(section, key) != value)
    Fail("value does not read back from the file", section, key);
  for (const std::wstring& s : sections) {
    for (const std::wstring& k : keys) {
      if (SameName(s, section) && SameName(k, key)) continue;
      if (unchanged.Get(s, k) != reread.Get(s, k)) Fail("another key reads differently", s, k);
    }
  }
  return 0;
}
