// The settings file "Mirabelton.ini": its keys, the reading of its numbers,
// and loading and saving it as a whole.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/file_access.h"
#include "core/profile_file.h"

namespace core {

inline constexpr wchar_t kSettingsFileName[] = L"Mirabelton.ini";
inline constexpr wchar_t kSection[] = L"Programs";
inline constexpr wchar_t kTotalNumberKey[] = L"TotalNumber";
inline constexpr wchar_t kHotKeyKey[] = L"HotKey";
inline constexpr std::int32_t kDefaultHotKey = 123;   // F12 alone
inline constexpr std::int32_t kFallbackHotKey = 122;  // F11 alone
inline constexpr int kMaxAliases = 32767;

std::wstring ShortNameKey(int index);  // "12"
std::wstring RealPathKey(int index);   // "12R"

// "TotalNumber": a decimal integer (optional sign, blanks trimmed); anything
// else, or a negative number, is 0; above 32767 it is 32767.
int ParseTotalNumber(std::wstring_view text);
// "HotKey": a decimal integer in the signed 32-bit range; anything else is 123.
std::int32_t ParseHotKey(std::wstring_view text);

// The folder path joined with "\Mirabelton.ini" (or "/" off Windows).
std::wstring SettingsPathIn(const std::wstring& folder);

// Loads and saves the whole settings file. A missing or unreadable file
// reads as an empty document.
class SettingsStore {
 public:
  SettingsStore(FileAccess& files, const AnsiCodePage& ansi, FileEncoding newFileEncoding,
                std::wstring path);
  ProfileFile Load() const;
  // One atomic replacement of the file; false when it could not be written.
  bool Save(const ProfileFile& file);
  const std::wstring& Path() const { return path_; }
  FileAccess& Files() { return files_; }

 private:
  FileAccess& files_;
  const AnsiCodePage& ansi_;
  FileEncoding newFileEncoding_;
  std::wstring path_;
};

// The launcher's view of the file after a load.
struct AliasTable {
  std::wstring totalNumberText;          // raw "TotalNumber" (default "0")
  std::vector<std::wstring> shortNames;  // alias i at position i-1
  std::vector<std::wstring> realPaths;   // alias i at index i; index 0 empty
  std::int32_t hotKeyValue = kDefaultHotKey;
};
AliasTable ReadAliasTable(const ProfileFile& file);

}  // namespace core
