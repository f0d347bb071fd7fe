// The settings file "Mirabelton.ini": its keys, the reading of its numbers,
// and loading and saving it as a whole.
#pragma once

#include <cstdint>
#include <functional>
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

// What became of an update of the settings file.
enum class UpdateResult {
  kSaved,
  kRefused,     // the edit refused a value; nothing was written
  kUnreadable,  // a file is there that could not be read; it was left alone
  kWriteFailed  // the replacement failed; the file is as it was
};

// Loads the whole settings file and writes it back through one atomic
// replacement. A missing or unreadable file reads as an empty document.
class SettingsStore {
 public:
  SettingsStore(FileAccess& files, const AnsiCodePage& ansi, FileEncoding newFileEncoding,
                std::wstring path);
  ProfileFile Load() const;
  // True when the file is there under its exact name, letter case included.
  bool Exists() const;
  // Loads the file as it is now, lets edit change it and replaces the file
  // with the result, so that keys and sections the edit leaves alone keep
  // their bytes. A file that is there but cannot be read is never replaced:
  // its aliases would be lost to a document holding only the edited keys.
  // An edit that returns false writes nothing.
  UpdateResult Update(const std::function<bool(ProfileFile&)>& edit);
  const std::wstring& Path() const { return path_; }

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
