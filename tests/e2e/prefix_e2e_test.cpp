// The Wine prefix the tests run in must be the Japanese system the launcher
// is made for; without the ja_JP.UTF-8 locale Wine quietly falls back to
// code page 1252, and settings-file tests fail for no visible reason.
#include <windows.h>
#include <gtest/gtest.h>

TEST(WinePrefix, IsAJapaneseSystemWithCodePage932) {
  EXPECT_EQ(GetACP(), 932u) << "generate the ja_JP.UTF-8 locale (tools/bootstrap)";
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_JAPANESE);
}
