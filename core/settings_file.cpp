#include "core/settings_file.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "core/decimal_text.h"

namespace core {
namespace {

// A decimal integer with an optional sign and blanks around it. The
// magnitude saturates instead of overflowing, so a hundred digits still
// read as "very large" rather than as garbage.
struct Decimal {
  bool negative = false;
  std::uint64_t magnitude = 0;
};

constexpr std::uint64_t kSaturated = std::uint64_t{1} << 40;

std::optional<Decimal> ParseDecimal(std::wstring_view text) {
  auto isBlank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);

  Decimal result;
  if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
    result.negative = text.front() == L'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    result.magnitude = result.magnitude * 10 + static_cast<std::uint64_t>(c - L'0');
    if (result.magnitude > kSaturated) result.magnitude = kSaturated;
  }
  return result;
}

// The value bytes of the keys an alias table reads, each from the key's
// first line: one pass over the section costs far less than a lookup for
// each of 65,534 keys.
struct AliasKeys {
  std::optional<std::string_view> totalNumber;
  std::optional<std::string_view> hotKey;
  std::vector<std::optional<std::string_view>> values;  // alias i's short name at 2i, path at 2i+1
};

// Where a key's value goes in AliasKeys::values: only the names that
// ShortNameKey and RealPathKey write (as lookups compare them) have one.
std::optional<std::size_t> AliasSlot(std::string_view name) {
  const bool realPath = !name.empty() && name.back() == 'r';
  if (realPath) name.remove_suffix(1);
  if (name.empty() || name.size() > 5 || name.front() == '0') return std::nullopt;
  std::size_t index = 0;
  for (char c : name) {
    if (c < '0' || c > '9') return std::nullopt;
    index = index * 10 + static_cast<std::size_t>(c - '0');
  }
  if (index > static_cast<std::size_t>(kMaxAliases)) return std::nullopt;
  return 2 * index + (realPath ? 1 : 0);
}

AliasKeys FindAliasKeys(const ProfileFile& file) {
  const std::string totalNumberName = ProfileFile::LookupName(kTotalNumberKey);
  const std::string hotKeyName = ProfileFile::LookupName(kHotKeyKey);
  AliasKeys keys;
  // Room for a short list; past it, room for every index at once, so that
  // a long list is copied once at most while it grows. (A megabyte for every
  // load cost the form fuzzer two thirds of its time under the sanitizers.)
  keys.values.reserve(64);
  auto keepFirst = [](std::optional<std::string_view>& kept, std::string_view bytes) {
    if (!kept) kept = bytes;
  };
  file.ForEachKey(kSection, [&](std::string_view name, std::string_view bytes) {
    if (const auto slot = AliasSlot(name)) {
      if (*slot >= keys.values.capacity()) {
        keys.values.reserve(2 * static_cast<std::size_t>(kMaxAliases) + 2);
      }
      if (*slot >= keys.values.size()) keys.values.resize(*slot + 1);
      keepFirst(keys.values[*slot], bytes);
    } else if (name == totalNumberName) {
      keepFirst(keys.totalNumber, bytes);
    } else if (name == hotKeyName) {
      keepFirst(keys.hotKey, bytes);
    }
  });
  return keys;
}

}  // namespace

std::wstring ShortNameKey(int index) { return DecimalText(index); }

std::wstring RealPathKey(int index) { return DecimalText(index) + L"R"; }

int ParseTotalNumber(std::wstring_view text) {
  const auto number = ParseDecimal(text);
  if (!number || number->negative) return 0;
  if (number->magnitude > static_cast<std::uint64_t>(kMaxAliases)) return kMaxAliases;
  return static_cast<int>(number->magnitude);
}

std::int32_t ParseHotKey(std::wstring_view text) {
  const auto number = ParseDecimal(text);
  if (!number) return kDefaultHotKey;
  const auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()) +
                     (number->negative ? 1 : 0);
  if (number->magnitude > limit) return kDefaultHotKey;
  const auto value = static_cast<std::int64_t>(number->magnitude);
  return static_cast<std::int32_t>(number->negative ? -value : value);
}

std::wstring SettingsPathIn(const std::wstring& folder) {
#ifdef _WIN32
  return folder + L"\\" + kSettingsFileName;
#else
  return folder + L"/" + kSettingsFileName;
#endif
}

SettingsStore::SettingsStore(FileAccess& files, const AnsiCodePage& ansi,
                             FileEncoding newFileEncoding, std::wstring path)
    : files_(files), ansi_(ansi), newFileEncoding_(newFileEncoding), path_(std::move(path)) {}

ProfileFile SettingsStore::Load() const {
  if (auto bytes = files_.ReadFile(path_)) {
    return ProfileFile::Parse(*bytes, ansi_, newFileEncoding_);
  }
  return ProfileFile(ansi_, newFileEncoding_);
}

bool SettingsStore::Exists() const {
  const std::size_t separator = path_.find_last_of(L"\\/");
  if (separator == std::wstring::npos) return files_.FileExistsExactName(L".", path_);
  return files_.FileExistsExactName(path_.substr(0, separator), path_.substr(separator + 1));
}

UpdateResult SettingsStore::Update(const std::function<bool(ProfileFile&)>& edit) {
  const std::optional<std::string> bytes = files_.ReadFile(path_);
  // Not Exists(): a file under another letter case, or a hidden one, holds
  // aliases all the same.
  if (!bytes && files_.PathExists(path_)) return UpdateResult::kUnreadable;
  ProfileFile file = bytes ? ProfileFile::Parse(*bytes, ansi_, newFileEncoding_)
                           : ProfileFile(ansi_, newFileEncoding_);
  if (!edit(file)) return UpdateResult::kRefused;
  return files_.ReplaceFile(path_, file.Serialize()) ? UpdateResult::kSaved
                                                     : UpdateResult::kWriteFailed;
}

AliasTable ReadAliasTable(const ProfileFile& file) {
  AliasKeys keys = FindAliasKeys(file);
  auto read = [&file](const std::optional<std::string_view>& bytes, std::wstring_view fallback) {
    return bytes ? file.DecodeValue(*bytes) : std::wstring(fallback);
  };
  AliasTable table;
  table.totalNumberText = read(keys.totalNumber, L"0");
  const auto count = static_cast<std::size_t>(ParseTotalNumber(table.totalNumberText));
  // Every slot the count reaches, within the room reserved: keys the file
  // lacks read as empty.
  keys.values.resize(std::max(keys.values.size(), 2 * count + 2));
  table.shortNames.reserve(count);
  table.realPaths.reserve(count + 1);
  table.realPaths.emplace_back();
  for (std::size_t i = 1; i <= count; ++i) {
    table.shortNames.push_back(read(keys.values[2 * i], L""));
    table.realPaths.push_back(read(keys.values[2 * i + 1], L""));
  }
  table.hotKeyValue = keys.hotKey ? ParseHotKey(file.DecodeValue(*keys.hotKey)) : kDefaultHotKey;
  return table;
}

}  // namespace core
