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
