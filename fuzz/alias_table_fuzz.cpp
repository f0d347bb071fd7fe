// Loading the settings from arbitrary bytes, as the launcher does at start
// and after the settings window: never a crash, and a table whose parts
// agree with each other and with a lookup of each key.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "core/settings_file.h"
#include "platform/posix/iconv_code_page.h"

namespace {

// One file that is whatever the fuzzer made it.
class OneFile : public core::FileAccess {
 public:
  explicit OneFile(std::string bytes) : bytes_(std::move(bytes)) {}
  std::optional<std::string> ReadFile(const std::wstring&) override { return bytes_; }
  bool ReplaceFile(const std::wstring&, const std::string&) override { return false; }
  bool FileExistsExactName(const std::wstring&, const std::wstring&) override { return true; }
  bool PathExists(const std::wstring&) override { return true; }

 private:
  std::string bytes_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const posix::IconvCodePage cp932("CP932");
  OneFile file(std::string(reinterpret_cast<const char*>(data), size));
  const core::SettingsStore store(file, cp932, core::FileEncoding::Ansi, L"Mirabelton.ini");
  const core::ProfileFile loaded = store.Load();
  const core::AliasTable table = core::ReadAliasTable(loaded);

  const std::size_t count = table.shortNames.size();
  if (table.realPaths.size() != count + 1) std::abort();
  if (count > static_cast<std::size_t>(core::kMaxAliases)) std::abort();
  if (!table.realPaths.front().empty()) std::abort();
  if (count != static_cast<std::size_t>(core::ParseTotalNumber(table.totalNumberText)))
    std::abort();
  // The table is read in one pass over the section; every entry must be
  // what a lookup of its own key gives.
  auto get = [&loaded](std::wstring_view key, std::wstring_view fallback) {
    return loaded.GetString(core::kSection, key, fallback);
  };
  if (get(core::kTotalNumberKey, L"0") != table.totalNumberText) std::abort();
  if (core::ParseHotKey(get(core::kHotKeyKey, L"123")) != table.hotKeyValue) std::abort();
  for (std::size_t i = 1; i <= count; ++i) {
    // Past the first entries only those with text: a lookup for each empty
    // one of 32,767 would slow the fuzzer a hundredfold.
    if (i > 1024 && table.shortNames[i - 1].empty() && table.realPaths[i].empty()) continue;
    const int index = static_cast<int>(i);
    if (get(core::ShortNameKey(index), L"") != table.shortNames[i - 1]) std::abort();
    if (get(core::RealPathKey(index), L"") != table.realPaths[i]) std::abort();
  }
  return 0;
}
