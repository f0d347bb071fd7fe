// Faults the fuzzers found in the settings-file reader and writer, one test
// per fault, with the input that showed it (shortened where the rest did
// not matter).
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/profile_file.h"
#include "core/text_codec.h"
#include "tests/fakes/test_code_page.h"

using core::FileEncoding;
using core::ProfileFile;
using namespace std::string_literals;

namespace {

class FuzzRegression : public ::testing::Test {
 protected:
  ProfileFile Parse(std::string_view bytes, FileEncoding newFile = FileEncoding::Ansi) const {
    return ProfileFile::Parse(bytes, *cp932_, newFile);
  }
  ProfileFile Reparse(const ProfileFile& file) const { return Parse(file.Serialize()); }

  std::unique_ptr<core::AnsiCodePage> cp932_ = fakes::MakeCodePage932();
};

// A UTF-8 file with one damaged byte reads as code page 932. A value that
// code page cannot hold switches the file to UTF-8; the damaged line kept
// its bytes, which UTF-8 reads as other characters: the path changed.
TEST_F(FuzzRegression, SwitchToUtf8ChangedTheReadingOfALineThatDidNotDecode) {
  const std::string bytes =
      "[Progra(ms]\r\nTotalNumber=1\r\n1=\xE3\x82\xBD\xE3\x83\x95\xE3\x83\x88\r\n"
      "1R=C:\\\xE3\x02\xBD\xE3\x83\x95\xE3\x83\x88\\\xE8\xA1\xA8\r\nHotKey=123"s;
  ProfileFile file = Parse(bytes);
  ASSERT_EQ(file.Encoding(), FileEncoding::Ansi);
  const auto path = file.Get(L"Progra(ms", L"1R");
  const auto name = file.Get(L"Progra(ms", L"1");

  ASSERT_TRUE(file.Set(L"Programs", L"\u301C\u301C\u203E\u0416", L"ot"));
  ASSERT_EQ(file.Encoding(), FileEncoding::Utf8Bom);
  const ProfileFile back = Reparse(file);
  EXPECT_EQ(back.Get(L"Progra(ms", L"1R"), path);
  EXPECT_EQ(back.Get(L"Progra(ms", L"1"), name);
  EXPECT_EQ(back.Get(L"Programs", L"\u301C\u301C\u203E\u0416"), L"ot");
}

// The same switch, two more ways a kept line could read differently: a
// broken header ('[' with an undecodable byte before its ']') became a
// section in UTF-8 and took the keys after it; and a converted key, now
// reachable by name, was added a second time instead of rewritten.
TEST_F(FuzzRegression, SwitchToUtf8TurnedABrokenHeaderIntoASectionAndDuplicatedAKey) {
  ProfileFile file = Parse("[Programs]\r\n[\x81!]\r\n1R=C:\\\x95\x5C\r\n\x82\xA0\x83=old\r\n"s);
  ASSERT_EQ(file.Get(L"Programs", L"1R"), L"C:\\表");

  ASSERT_TRUE(file.Set(L"Programs", L"\u3042\uFFFD", L"new"));
  const ProfileFile back = Reparse(file);
  EXPECT_EQ(back.Get(L"Programs", L"1R"), L"C:\\表");
  EXPECT_EQ(back.Get(L"Programs", L"\u3042\uFFFD"), L"new");
  EXPECT_EQ(file.Serialize().find("=old"), std::string::npos);
}

// Half-width katakana in code page 932 can form valid UTF-8 ("ﾃｨ" is
// C3 A8, UTF-8 for "è"). A file whose only other non-ASCII bytes were
// rewritten, or a new file, then read back as UTF-8: every such name
// changed. Such a file is now written as UTF-8 with a BOM.
TEST_F(FuzzRegression, AnsiBytesThatFormedValidUtf8ReadBackAsOtherCharacters) {
  ProfileFile existing = Parse("[Programs]\r\n1=\xC3\xA8\r\n2=\xC3\xBD\xC4\r\n"s);
  ASSERT_EQ(existing.Encoding(), FileEncoding::Ansi);
  ASSERT_TRUE(existing.Set(L"Programs", L"2", L"x"));
  const ProfileFile existingBack = Reparse(existing);
  EXPECT_EQ(existingBack.Get(L"Programs", L"1"), L"\uFF83\uFF68");
  EXPECT_EQ(existingBack.Get(L"Programs", L"2"), L"x");

  ProfileFile fresh = Parse("");
  ASSERT_TRUE(fresh.Set(L"Programs", L"1", L"\uFF83\uFF69"));
  EXPECT_EQ(fresh.Serialize().substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(Reparse(fresh).Get(L"Programs", L"1"), L"\uFF83\uFF69");

  // Bytes that cannot be UTF-8 stay in the code page, as before.
  ProfileFile plain = Parse("");
  ASSERT_TRUE(plain.Set(L"Programs", L"1", L"\uFF83\uFF7D\uFF84"));
  EXPECT_EQ(plain.Serialize(), "[Programs]\r\n1=\xC3\xBD\xC4\r\n");
}

// An empty file read with UTF-8 as the encoding for new files wrote back a
// lone BOM although nothing had changed.
TEST_F(FuzzRegression, UnchangedEmptyFileWroteABom) {
  EXPECT_EQ(Parse("", FileEncoding::Utf8Bom).Serialize(), "");
  EXPECT_EQ(Parse("\xEF\xBB\xBF", FileEncoding::Ansi).Serialize(), "\xEF\xBB\xBF");
}

}  // namespace
