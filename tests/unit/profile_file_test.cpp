#include "core/profile_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/settings_file.h"
#include "tests/fakes/test_code_page.h"

using core::FileEncoding;
using core::ProfileFile;
using namespace std::string_literals;

namespace {

// Code page 932 bytes; '\' (0x5C) occurs as a second byte.
const std::string kSoftware = "\x83\x5C\x83\x74\x83\x67";     // ソフト
const std::string kSpreadsheet = "\x95\x5C\x8C\x76\x8E\x5A";  // 表計算
const std::wstring kCp932Path = L"C:\\ソフト\\表計算";
const std::string kCp932PathBytes = "C:\\" + kSoftware + "\\" + kSpreadsheet;

class ProfileFileTest : public ::testing::Test {
 protected:
  ProfileFile Parse(std::string_view bytes, FileEncoding newFile = FileEncoding::Ansi) const {
    return ProfileFile::Parse(bytes, *cp932_, newFile);
  }
  ProfileFile Reparse(const ProfileFile& file) const { return Parse(file.Serialize()); }

  std::unique_ptr<core::AnsiCodePage> cp932_ = fakes::MakeCodePage932();
};

TEST_F(ProfileFileTest, ReadsWithProfileSemantics) {
  const ProfileFile file = Parse(
      "outside=1\r\n[programs]\r\n  TotalNumber  =  3  \r\nQuoted=\"  spaced  \"\r\n"
      "Single= 'C:\\x' "
      "\r\nMixed='x\"\r\nHalf=\"open\r\nEmpty=\r\nNoEquals\r\nkey=first\r\nKEY=second\r\n;"
      "commented=x\r\n"
      "  ; indented=x\r\nnul=ab\0cd\r\n[Other]\r\nx=1\r\n[PROGRAMS]\r\nlate=yes\r\n"s);

  EXPECT_EQ(file.Get(L"Programs", L"totalnumber"), L"3");
  EXPECT_EQ(file.Get(L"Programs", L"Quoted"), L"  spaced  ");
  EXPECT_EQ(file.Get(L"Programs", L"Half"), L"\"open");
  EXPECT_EQ(file.Get(L"Programs", L"Single"), L"C:\\x");
  EXPECT_EQ(file.Get(L"Programs", L"Mixed"), L"'x\"");
  EXPECT_EQ(file.Get(L"Programs", L"Empty"), L"");
  EXPECT_EQ(file.Get(L"Programs", L"Key"), L"first");
  EXPECT_EQ(file.Get(L"Programs", L"nul"), L"ab");
  EXPECT_EQ(file.Get(L"OTHER", L"X"), L"1");
  EXPECT_FALSE(file.Get(L"Programs", L"NoEquals"));
  EXPECT_FALSE(file.Get(L"Programs", L";commented"));
  EXPECT_FALSE(file.Get(L"Programs", L"late")) << "only the first section of a name counts";
  EXPECT_FALSE(file.Get(L"Missing", L"x"));
  EXPECT_EQ(file.GetString(L"Missing", L"x", L"fallback"), L"fallback");
}

TEST_F(ProfileFileTest, WritesInPlaceAndKeepsEveryOtherLineByteForByte) {
  ProfileFile file =
      Parse("; head\n[Programs]\r\n  TotalNumber = 1 \r\n1=a\r\n\r\n   \r\n[Other]\rx=1");
  ASSERT_TRUE(file.Set(L"Programs", L"totalnumber", L"2"));
  ASSERT_TRUE(file.Set(L"Programs", L"2", L"b"));
  ASSERT_TRUE(file.Set(L"Other", L"y", L"2"));
  ASSERT_TRUE(file.Set(L"New", L"k", L"v"));
  EXPECT_FALSE(file.Set(L"Other", L"z", L"two\nlines"));
  EXPECT_EQ(file.Serialize(),
            "; head\n[Programs]\r\n  TotalNumber =2\r\n1=a\r\n2=b\r\n\r\n   \r\n"
            "[Other]\rx=1\r\ny=2\r\n[New]\r\nk=v\r\n");
  // A file that opens with a blank line still ends its new lines as it does.
  ProfileFile blankFirst = Parse("\r\n[Programs]");
  ASSERT_TRUE(blankFirst.Set(L"Programs", L"1", L"a"));
  EXPECT_EQ(blankFirst.Serialize(), "\r\n[Programs]\r\n1=a\r\n");
}

TEST_F(ProfileFileTest, EveryAcceptedValueReadsBackExactly) {
  std::vector<std::wstring> values = {L"",   L"   ",  L" lead",  L"trail\t", L"\"quoted\"",
                                      L"\"", L"\"\"", L"a\"b\"", L"\" half", L"'C:\\x'",
                                      L"'",  L"''",   L"x=y;z",  L"[Evil]"};
  values.push_back(std::wstring(100000, L'b'));
  values.push_back(L"  " + kCp932Path + L"  ");
  ProfileFile file = Parse("");
  // Overwriting long values first leaves most of the document's bytes
  // unused, which makes it compact them on the way.
  for (int round = 0; round < 2; ++round) {
    for (std::size_t i = 0; i < values.size(); ++i) {
      ASSERT_TRUE(file.Set(L"Programs", std::to_wstring(i),
                           round == 0 ? std::wstring(50000, L'f') : values[i]));
    }
  }
  const ProfileFile back = Reparse(file);
  for (std::size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(back.Get(L"Programs", std::to_wstring(i)), values[i]) << "value " << i;
  }
}

// Faults the fuzzers found in the reader and writer, one test per fault,
// with the input that showed it (shortened where the rest did not matter).
// Tests named after a fixed fault stay for good.
using FuzzRegression = ProfileFileTest;

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

TEST(SettingsNumbers, TotalNumberIsANonNegativeDecimalCappedAtTheAliasLimit) {
  const struct {
    const wchar_t* text;
    int expected;
  } cases[] = {
      {L"0", 0},         {L"2", 2},         {L"  7 ", 7}, {L"\t+12\t", 12}, {L"32767", 32767},
      {L"32768", 32767}, {L"99999", 32767}, {L"-5", 0},   {L"-0", 0},       {L"abc", 0},
      {L"", 0},          {L"   ", 0},       {L"1 2", 0},  {L"0x10", 0},     {L"+", 0},
      {L"3.0", 0},       {L"１２", 0},  // full-width digits are not decimal digits here
  };
  for (const auto& c : cases) EXPECT_EQ(core::ParseTotalNumber(c.text), c.expected) << c.text;
  EXPECT_EQ(core::ParseTotalNumber(std::wstring(100, L'9')), 32767);
  EXPECT_EQ(core::ParseTotalNumber(L"-" + std::wstring(100, L'9')), 0);
}

TEST(SettingsNumbers, HotKeyIsAnyInt32ElseTheDefault) {
  EXPECT_EQ(core::ParseHotKey(L"122"), 122);
  EXPECT_EQ(core::ParseHotKey(L" 117 "), 117);
  EXPECT_EQ(core::ParseHotKey(L"-1"), -1);
  EXPECT_EQ(core::ParseHotKey(L"2147483647"), 2147483647);
  EXPECT_EQ(core::ParseHotKey(L"-2147483648"), -2147483647 - 1);
  for (const std::wstring text : {L"x", L"", L"2147483648", L"-2147483649", L"1099511627776"}) {
    EXPECT_EQ(core::ParseHotKey(text), 123) << text.size();
  }
  EXPECT_EQ(core::ParseHotKey(std::wstring(100, L'1')), 123);
}

TEST(Utf8Codec, IsStrict) {
  // The first and last code point of each length, and a full-width form.
  const std::string bytes =
      "a\xC2\x80\xDF\xBF\xC3\xA9\xE3\x82\xBD\xEF\xBD\x9E\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF";
  const std::wstring text = L"a\u0080\u07FFéソ～😀\U0010FFFF";
  EXPECT_EQ(core::DecodeUtf8(bytes), text);
  EXPECT_EQ(core::EncodeUtf8(text), bytes);
  for (const char* bad : {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
                          "\xE3\x82", "\xC3", "\x82", "\xFF"}) {
    EXPECT_FALSE(core::DecodeUtf8(bad)) << bad;
  }
  const std::wstring loneSurrogate(1, static_cast<wchar_t>(0xD800));
  EXPECT_EQ(core::EncodeUtf8(loneSurrogate + L"x"), "\xEF\xBF\xBDx");

  EXPECT_FALSE(core::LooksLikeUtf8("plain ascii"));
  EXPECT_TRUE(core::LooksLikeUtf8("\xC3\xA9t\xC3\xA9"));
  EXPECT_FALSE(core::LooksLikeUtf8(kCp932PathBytes));
}

}  // namespace
