// The platform's file access against real files in a scratch folder: bad
// places to keep the settings file, and what a save does there.
// docs/bad-inputs.md lists each case with the test that pins it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "core/settings_file.h"
#include "tests/fakes/test_code_page.h"

#ifdef _WIN32
#include <windows.h>
#undef ReplaceFile  // the macro would rename the member

#include "platform/win32/win_file_access.h"
using PlatformFileAccess = win32::WinFileAccess;
#else
#include "platform/posix/posix_file_access.h"
using PlatformFileAccess = posix::PosixFileAccess;
#endif

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class BadInput : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(folder_); }
  void TearDown() override {
#ifdef _WIN32
    SetFileAttributesW(File().c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path File() const { return folder_ / "Mirabelton.ini"; }
  core::AliasTable Read() { return core::ReadAliasTable(store_.Load()); }
  // What saving the settings window's answer does to the file.
  bool SaveHotKey() {
    return store_.Update([](core::ProfileFile& file) {
      return file.Set(core::kSection, core::kHotKeyKey, L"122");
    }) == core::UpdateResult::kSaved;
  }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
  }

  const fs::path folder_ =
      fs::temp_directory_path() / ("mirabelton-bad-" + std::to_string(std::random_device()()));
  PlatformFileAccess files_;
  std::unique_ptr<core::AnsiCodePage> cp932_ = fakes::MakeCodePage932();
  core::SettingsStore store_{files_, *cp932_, core::FileEncoding::Ansi, File().wstring()};
};

TEST_F(BadInput, WholeFilesAreReplacedAndReadLeavingNoTemporary) {
  const std::wstring path = File().wstring();
  EXPECT_FALSE(files_.ReadFile(path));
  const std::string first = "[Programs]\r\n1=\x95\x5C\0x\n"s + std::string(200000, 'z');
  ASSERT_TRUE(files_.ReplaceFile(path, first));
  EXPECT_EQ(files_.ReadFile(path), first);
  ASSERT_TRUE(files_.ReplaceFile(path, "short"));
  EXPECT_EQ(files_.ReadFile(path), "short");
  const std::wstring japanese =
      folder_.wstring() + std::wstring(1, fs::path::preferred_separator) + L"表計算.ini";
  ASSERT_TRUE(files_.ReplaceFile(japanese, ""));
  EXPECT_EQ(files_.ReadFile(japanese), "");
  EXPECT_EQ(FilesInFolder(), 2u);

  fs::create_directory(folder_ / "Folder.ini");
  EXPECT_TRUE(files_.FileExistsExactName(folder_.wstring(), L"Mirabelton.ini"));
  EXPECT_FALSE(files_.FileExistsExactName(folder_.wstring(), L"mirabelton.ini"));
  EXPECT_FALSE(files_.FileExistsExactName(folder_.wstring(), L"Mirabelton"));
  EXPECT_FALSE(files_.FileExistsExactName(folder_.wstring(), L"Folder.ini"));
  EXPECT_FALSE(files_.FileExistsExactName((folder_ / "missing").wstring(), L"Mirabelton.ini"));
}

TEST_F(BadInput, ASettingsFileThatIsAFolderReadsAsEmptyAndIsNotReplaced) {
  fs::create_directory(File());
  std::ofstream(File() / "inside.txt") << "kept";
  const core::AliasTable table = Read();
  EXPECT_TRUE(table.shortNames.empty());
  EXPECT_EQ(table.hotKeyValue, core::kDefaultHotKey);
  EXPECT_FALSE(SaveHotKey());
  EXPECT_TRUE(fs::exists(File() / "inside.txt"));
  EXPECT_EQ(FilesInFolder(), 1u);
}

// A read-only file still reads; one that another program holds open
// without sharing does not (the launcher starts with no aliases). Neither
// is replaced, and each is whole once let go.
TEST_F(BadInput, AReadOnlyOrHeldFileIsNotReplaced) {
  const std::string bytes = "[Programs]\r\nTotalNumber=1\r\n1=one\r\nHotKey=123\r\n";
  ASSERT_TRUE(files_.ReplaceFile(File().wstring(), bytes));
#ifdef _WIN32
  ASSERT_TRUE(SetFileAttributesW(File().c_str(), FILE_ATTRIBUTE_READONLY));
#else
  fs::permissions(File(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
#endif
  EXPECT_EQ(Read().shortNames, std::vector<std::wstring>{L"one"});
  EXPECT_FALSE(SaveHotKey());
#ifdef _WIN32
  SetFileAttributesW(File().c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE held = CreateFileW(File().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(Read().shortNames.empty());
  EXPECT_FALSE(SaveHotKey());
  CloseHandle(held);
#endif
  EXPECT_EQ(files_.ReadFile(File().wstring()), bytes);
  EXPECT_EQ(FilesInFolder(), 1u);
}

#ifdef _WIN32
// Quotes are where hand-written files and the platform's own profile reader
// could part from ours: each reads the other's values alike.
TEST_F(BadInput, ThePlatformsProfileReaderAgreesWithOurs) {
  core::ProfileFile file =
      core::ProfileFile::Parse("[Programs]\r\nHand1='C:\\x'\r\nHand2=\"'q'\"\r\nHand3='a\"\r\n",
                               *cp932_, core::FileEncoding::Ansi);
  const std::wstring values[] = {L"'C:\\x'", L"'", L"''", L"\"q\"", L" lead'", L"'a\"", L"plain"};
  for (std::size_t i = 0; i < std::size(values); ++i) {
    ASSERT_TRUE(file.Set(L"Programs", std::to_wstring(i), values[i]));
  }
  ASSERT_TRUE(files_.ReplaceFile(File().wstring(), file.Serialize()));
  auto platformReads = [this](const std::wstring& key) {
    wchar_t value[64] = {};
    GetPrivateProfileStringW(L"Programs", key.c_str(), L"", value, 64, File().c_str());
    return std::wstring(value);
  };
  for (std::size_t i = 0; i < std::size(values); ++i) {
    EXPECT_EQ(platformReads(std::to_wstring(i)), values[i]) << i;
  }
  for (const wchar_t* key : {L"Hand1", L"Hand2", L"Hand3"}) {
    EXPECT_EQ(platformReads(key), file.Get(L"Programs", key)) << key;
  }
}
#endif

}  // namespace
