// The platform's FileAccess against real files in a scratch folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>

#ifdef _WIN32
#include <windows.h>
#undef ReplaceFile  // <windows.h> names a function of its own so

#include "core/profile_file.h"
#include "platform/win32/win_code_page.h"
#include "platform/win32/win_file_access.h"
using PlatformFileAccess = win32::WinFileAccess;
constexpr wchar_t kSeparator[] = L"\\";
#else
#include "platform/posix/posix_file_access.h"
using PlatformFileAccess = posix::PosixFileAccess;
constexpr wchar_t kSeparator[] = L"/";
#endif

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class FileAccessTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() / ("mirabelton-files-" + std::to_string(std::random_device()()));
    fs::create_directories(folder_);
  }
  void TearDown() override {
    for (const auto& entry : fs::recursive_directory_iterator(folder_)) {
      fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add);
    }
    fs::remove_all(folder_);
  }

  std::wstring PathOf(const std::wstring& name) const {
    return folder_.wstring() + kSeparator + name;
  }
  // UTF-8, so that the test itself needs no wide conversion of the locale.
  std::set<std::u8string> Listing() const {
    std::set<std::u8string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.insert(entry.path().filename().u8string());
    }
    return names;
  }
  static std::string Contents(const std::wstring& path) {
    std::ifstream in(fs::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path folder_;
  PlatformFileAccess files_;
};

TEST_F(FileAccessTest, ReplacesAndReadsWholeFilesLeavingNoTemporary) {
  const std::wstring path = PathOf(L"Mirabelton.ini");
  EXPECT_FALSE(files_.ReadFile(path));

  const std::string first = "[Programs]\r\n1=\x95\x5C\0x\n"s + std::string(200000, 'z');
  ASSERT_TRUE(files_.ReplaceFile(path, first));
  EXPECT_EQ(files_.ReadFile(path), first);
  ASSERT_TRUE(files_.ReplaceFile(path, "short"));
  EXPECT_EQ(files_.ReadFile(path), "short");
  ASSERT_TRUE(files_.ReplaceFile(PathOf(L"表計算.ini"), ""));
  EXPECT_EQ(files_.ReadFile(PathOf(L"表計算.ini")), "");
  EXPECT_EQ(Listing(), (std::set<std::u8string>{u8"Mirabelton.ini", u8"表計算.ini"}));
}

TEST_F(FileAccessTest, AFailedReplaceLeavesEverythingAsItWas) {
  fs::create_directory(folder_ / "folder");
  std::ofstream(folder_ / "blocker") << "not a folder";
  EXPECT_FALSE(files_.ReplaceFile(PathOf(L"blocker") + kSeparator + L"Mirabelton.ini", "x"));
  EXPECT_FALSE(files_.ReplaceFile(PathOf(L"folder"), "x"));
  EXPECT_FALSE(files_.ReadFile(PathOf(L"folder")));
  EXPECT_TRUE(fs::is_directory(folder_ / "folder"));
  EXPECT_EQ(Contents(PathOf(L"blocker")), "not a folder");

  const std::wstring path = PathOf(L"Mirabelton.ini");
  ASSERT_TRUE(files_.ReplaceFile(path, "old"));
  fs::permissions(fs::path(path),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  EXPECT_FALSE(files_.ReplaceFile(path, "new"));
  EXPECT_EQ(Contents(path), "old");
  EXPECT_EQ(Listing(), (std::set<std::u8string>{u8"blocker", u8"folder", u8"Mirabelton.ini"}));
}

TEST_F(FileAccessTest, FindsOnlyAnOrdinaryFileOfExactlyThatName) {
  ASSERT_TRUE(files_.ReplaceFile(PathOf(L"Mirabelton.ini"), "x"));
  fs::create_directory(folder_ / "Folder.ini");
  EXPECT_TRUE(files_.FileExistsExactName(folder_.wstring(), L"Mirabelton.ini"));
  EXPECT_FALSE(files_.FileExistsExactName(folder_.wstring(), L"mirabelton.ini"));
  EXPECT_FALSE(files_.FileExistsExactName(folder_.wstring(), L"Mirabelton"));
  EXPECT_FALSE(files_.FileExistsExactName(folder_.wstring(), L"Folder.ini"));
  EXPECT_FALSE(files_.FileExistsExactName(PathOf(L"missing"), L"Mirabelton.ini"));
}

#ifdef _WIN32
// Quotes are where hand-written files and the platform's own profile reader
// could part from ours: each reads the other's values alike.
TEST_F(FileAccessTest, ThePlatformsProfileReaderAgreesWithOurs) {
  const win32::WinCodePage ansi(CP_ACP);
  core::ProfileFile file =
      core::ProfileFile::Parse("[Programs]\r\nHand1='C:\\x'\r\nHand2=\"'q'\"\r\nHand3='a\"\r\n",
                               ansi, core::FileEncoding::Ansi);
  const std::wstring values[] = {L"'C:\\x'", L"'", L"''", L"\"q\"", L" lead'", L"'a\"", L"plain"};
  for (std::size_t i = 0; i < std::size(values); ++i) {
    ASSERT_TRUE(file.Set(L"Programs", std::to_wstring(i), values[i]));
  }
  const std::wstring path = PathOf(L"Mirabelton.ini");
  ASSERT_TRUE(files_.ReplaceFile(path, file.Serialize()));
  auto platformReads = [&path](const std::wstring& key) {
    wchar_t value[64] = {};
    GetPrivateProfileStringW(L"Programs", key.c_str(), L"", value, 64, path.c_str());
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
