// Bad settings files and bad places to keep them, through the real file
// access of the platform: what the launcher reads, and what a save does.
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
// Before <windows.h>, whose ReplaceFile macro would rename the member.
// clang-format off
#include "platform/win32/win_file_access.h"
#include <windows.h>
// clang-format on
using PlatformFileAccess = win32::WinFileAccess;
#else
#include <unistd.h>

#include "platform/posix/posix_file_access.h"
using PlatformFileAccess = posix::PosixFileAccess;
#endif

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class BadInput : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() / ("mirabelton-bad-" + std::to_string(std::random_device()()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
#ifdef _WIN32
    SetFileAttributesW(File().c_str(), FILE_ATTRIBUTE_NORMAL);
#endif
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  fs::path File() const { return folder_ / "Mirabelton.ini"; }
  core::SettingsStore StoreAt(const fs::path& path) {
    return core::SettingsStore(files_, *cp932_, core::FileEncoding::Ansi, path.wstring());
  }
  void Write(const std::string& bytes) const {
    std::ofstream(File(), std::ios::binary | std::ios::trunc) << bytes;
  }
  std::string Contents() const {
    std::ifstream in(File(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  core::AliasTable Read() { return core::ReadAliasTable(StoreAt(File()).Load()); }
  // What saving the settings window's answer does to the file.
  bool SaveHotKey(const std::wstring& value) {
    return StoreAt(File()).Update([&](core::ProfileFile& file) {
      return file.Set(core::kSection, core::kHotKeyKey, value);
    }) == core::UpdateResult::kSaved;
  }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder_), {}));
  }

  fs::path folder_;
  PlatformFileAccess files_;
  std::unique_ptr<core::AnsiCodePage> cp932_ = fakes::MakeCodePage932();
};

TEST_F(BadInput, MalformedLinesAreSkippedAndTheWellFormedOnesRead) {
  Write(
      "1=before any section\r\n"
      "[Programs\r\n"  // no closing bracket: not a header
      "[Programs]\r\n"
      "no equals sign\r\n"
      "=a value without a key\r\n"
      "TotalNumber=3\r\n"
      "TotalNumber=9\r\n"  // the first occurrence counts
      "1=\"unclosed quote\r\n"
      "1R=  C:\\a.exe\t\r"  // a lone CR ends a line too
      "2\0=nul in the key\r\n"s
      "\t \r\n"
      "3=three\n"
      "3R=\"  C:\\spaced.exe  \"\r\n"
      "[Programs]\r\n"  // a second section of the name is not read
      "2=late\r\n");
  const core::AliasTable table = Read();
  EXPECT_EQ(table.totalNumberText, L"3");
  EXPECT_EQ(table.shortNames, (std::vector<std::wstring>{L"\"unclosed quote", L"", L"three"}));
  EXPECT_EQ(table.realPaths,
            (std::vector<std::wstring>{L"", L"C:\\a.exe", L"", L"  C:\\spaced.exe  "}));
  EXPECT_EQ(table.hotKeyValue, core::kDefaultHotKey);
}

// Garbage reads as no aliases and the default key; a save keeps every byte
// of it and adds its own lines after it.
TEST_F(BadInput, BinaryGarbageReadsAsNothingAndSurvivesASave) {
  std::mt19937 random(20260);
  std::string garbage(256 * 1024, '\0');
  for (char& c : garbage) c = static_cast<char>(random());
  Write(garbage);
  const core::AliasTable table = Read();
  EXPECT_TRUE(table.shortNames.empty());
  EXPECT_EQ(table.hotKeyValue, core::kDefaultHotKey);

  ASSERT_TRUE(SaveHotKey(L"122"));
  EXPECT_EQ(Contents().substr(0, garbage.size()), garbage);
  EXPECT_EQ(Read().hotKeyValue, 122);
}

TEST_F(BadInput, ATenMegabyteValueReadsWholeAndSavesBack) {
  const std::string huge = "C:\\" + std::string(10 * 1024 * 1024, 'x') + ".exe";
  Write("[Programs]\r\nTotalNumber=1\r\n1=big\r\n1R=" + huge + "\r\n");
  ASSERT_EQ(Read().realPaths.at(1).size(), huge.size());
  ASSERT_TRUE(SaveHotKey(L"122"));
  const core::AliasTable table = Read();
  EXPECT_EQ(table.realPaths.at(1), std::wstring(huge.begin(), huge.end()));
  EXPECT_EQ(table.hotKeyValue, 122);
}

TEST_F(BadInput, NumbersThatDoNotReadFallBack) {
  const struct {
    std::string totalNumber;
    std::string hotKey;
    std::size_t aliases;
    std::int32_t hotKeyValue;
  } cases[] = {
      {"-5", "x", 0, 123},
      {"99999", "1099511627776", 32767, 123},  // 2^40
      {"abc", "-1", 0, -1},
  };
  for (const auto& c : cases) {
    Write("[Programs]\r\nTotalNumber=" + c.totalNumber + "\r\nHotKey=" + c.hotKey +
          "\r\n1=one\r\n1R=C:\\one.exe\r\n");
    const core::AliasTable table = Read();
    EXPECT_EQ(table.shortNames.size(), c.aliases) << c.totalNumber;
    EXPECT_EQ(table.realPaths.size(), c.aliases + 1) << c.totalNumber;
    EXPECT_EQ(table.hotKeyValue, c.hotKeyValue) << c.hotKey;
  }
  // Beyond the entries the file holds, the table has empty ones.
  Write("[Programs]\r\nTotalNumber=99999\r\n1=one\r\n");
  const core::AliasTable capped = Read();
  EXPECT_EQ(capped.shortNames.front(), L"one");
  EXPECT_EQ(capped.shortNames.back(), L"");
}

// Running as root, neither permissions nor a read-only folder stop a
// write, so a folder that cannot take the new file is a path through a
// file: creating the temporary file fails the same way.
TEST_F(BadInput, AFolderThatCannotBeWrittenFailsTheSaveAndChangesNothing) {
  std::ofstream(folder_ / "blocker") << "a file, not a folder";
  core::SettingsStore store = StoreAt(folder_ / "blocker" / "Mirabelton.ini");
  EXPECT_TRUE(core::ReadAliasTable(store.Load()).shortNames.empty());
  EXPECT_EQ(store.Update([](core::ProfileFile& file) {
    return file.Set(core::kSection, core::kHotKeyKey, L"122");
  }),
            core::UpdateResult::kWriteFailed);
  EXPECT_TRUE(fs::is_regular_file(folder_ / "blocker"));
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(BadInput, ASettingsFileThatIsAFolderReadsAsEmptyAndIsNotReplaced) {
  fs::create_directory(File());
  std::ofstream(File() / "inside.txt") << "kept";
  const core::AliasTable table = Read();
  EXPECT_TRUE(table.shortNames.empty());
  EXPECT_EQ(table.hotKeyValue, core::kDefaultHotKey);
  EXPECT_FALSE(SaveHotKey(L"122"));
  EXPECT_TRUE(fs::is_directory(File()));
  EXPECT_TRUE(fs::exists(File() / "inside.txt"));
  EXPECT_EQ(FilesInFolder(), 1u);
}

#ifndef _WIN32
// A full disk fails the write of the temporary file. The temporary file's
// name is planted beforehand as a link to /dev/full, where every write
// fails with ENOSPC; the old file must stay as it was, and the link go.
TEST_F(BadInput, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
  Write("[Programs]\r\nHotKey=123\r\n");
  const fs::path temp = File().string() + ".tmp-" + std::to_string(getpid());
  fs::create_symlink("/dev/full", temp);
  EXPECT_FALSE(SaveHotKey(L"122"));
  EXPECT_EQ(Contents(), "[Programs]\r\nHotKey=123\r\n");
  EXPECT_FALSE(fs::exists(fs::symlink_status(temp)));
  EXPECT_EQ(FilesInFolder(), 1u);
}
#endif

#ifdef _WIN32
// Another program holds the file open without sharing: it reads as empty
// (so the launcher starts with no aliases) and a save fails, leaving the
// file as it was once the other program lets go.
TEST_F(BadInput, AFileHeldOpenWithoutSharingIsNeitherReadNorReplaced) {
  Write("[Programs]\r\nTotalNumber=1\r\n1=one\r\nHotKey=123\r\n");
  HANDLE held = CreateFileW(File().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(Read().shortNames.empty());
  EXPECT_FALSE(SaveHotKey(L"122"));
  CloseHandle(held);
  EXPECT_EQ(Contents(), "[Programs]\r\nTotalNumber=1\r\n1=one\r\nHotKey=123\r\n");
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(BadInput, AReadOnlyFileReadsButIsNotReplaced) {
  Write("[Programs]\r\nTotalNumber=1\r\n1=one\r\nHotKey=123\r\n");
  ASSERT_TRUE(SetFileAttributesW(File().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Read().shortNames, std::vector<std::wstring>{L"one"});
  EXPECT_FALSE(SaveHotKey(L"122"));
  EXPECT_EQ(Read().hotKeyValue, 123);
  EXPECT_EQ(FilesInFolder(), 1u);
}
#endif

}  // namespace
