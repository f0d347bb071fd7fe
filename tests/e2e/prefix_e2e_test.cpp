// The Wine prefix the tests run in must be the Japanese system the launcher
// is made for; without the ja_JP.UTF-8 locale Wine quietly falls back to
// code page 1252, and settings-file tests fail for no visible reason. It
// must have Marlett, as every Windows has, or the launcher takes a path for
// its glyphs that Windows never takes, and caption buttons show letters.
#include <windows.h>
#include <gtest/gtest.h>

#include <cwchar>

TEST(WinePrefix, IsAJapaneseSystemWithCodePage932) {
  EXPECT_EQ(GetACP(), 932u) << "generate the ja_JP.UTF-8 locale (tools/bootstrap)";
  EXPECT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), LANG_JAPANESE);
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;  // one is enough
}

TEST(WinePrefix, HasMarlett) {
  LOGFONTW query{};
  query.lfCharSet = SYMBOL_CHARSET;
  wcscpy(query.lfFaceName, L"Marlett");
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &query, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  EXPECT_TRUE(found) << "tools/wine-env.sh copies Wine's marlett.ttf into the prefix";
}
