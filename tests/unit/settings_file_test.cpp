#include "core/settings_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/fakes/test_code_page.h"

using core::FileEncoding;
using core::ProfileFile;

namespace {

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
  const std::pair<const wchar_t*, std::int32_t> cases[] = {{L"122", 122},
                                                           {L" 117 ", 117},
                                                           {L"-1", -1},
                                                           {L"x", 123},
                                                           {L"", 123},
                                                           {L"2147483647", 2147483647},
                                                           {L"2147483648", 123},
                                                           {L"-2147483649", 123},
                                                           {L"-2147483648", -2147483647 - 1},
                                                           {L"1099511627776", 123}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(core::ParseHotKey(text), expected) << text;
  EXPECT_EQ(core::ParseHotKey(std::wstring(100, L'1')), 123);
}

class SettingsAliasTable : public ::testing::Test {
 protected:
  core::AliasTable Read(std::string_view bytes) const {
    return core::ReadAliasTable(ProfileFile::Parse(bytes, *cp932_, FileEncoding::Ansi));
  }
  std::unique_ptr<core::AnsiCodePage> cp932_ = fakes::MakeCodePage932();
};

TEST_F(SettingsAliasTable, FollowsTotalNumberKeepsDuplicatesAndFillsGaps) {
  auto table = Read(
      "[Programs]\r\nTotalNumber=2\r\n1=mail\r\n1R=C:\\mail.exe\r\n2=web\r\n"
      "R2=C:\\web.exe\r\n3=stale\r\n3R=C:\\stale.exe\r\nHotKey=122\r\n");
  EXPECT_EQ(table.totalNumberText, L"2");
  EXPECT_EQ(table.shortNames, (std::vector<std::wstring>{L"mail", L"web"}));
  EXPECT_EQ(table.realPaths, (std::vector<std::wstring>{L"", L"C:\\mail.exe", L""}));
  EXPECT_EQ(table.hotKeyValue, 122);

  table = Read("[Programs]\r\nTotalNumber= 4 \r\n1=same\r\n1R=a\r\n2=same\r\n2R=b\r\nHotKey=x\r\n");
  EXPECT_EQ(table.totalNumberText, L"4");
  EXPECT_EQ(table.shortNames, (std::vector<std::wstring>{L"same", L"same", L"", L""}));
  EXPECT_EQ(table.realPaths, (std::vector<std::wstring>{L"", L"a", L"b", L"", L""}));
  EXPECT_EQ(table.hotKeyValue, 123);
}

}  // namespace
