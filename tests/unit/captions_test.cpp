#include "launcher/captions.h"

#include <gtest/gtest.h>

#include "platform/system_values.h"

namespace {

TEST(Captions, EachSystemVersionReadsAsItsOwnName) {
  constexpr unsigned k9x = platform::kVerPlatformWin32Windows, kNt = 2;
  const struct {
    unsigned platformId, major, minor;
    const wchar_t* name;
  } cases[] = {
      {k9x, 4, 0, L"Windows95"}, {k9x, 4, 10, L"Windows98"},   {k9x, 4, 90, L"WindowsMe"},
      {k9x, 4, 3, L"Windows"},   {kNt, 4, 0, L"WindowsNT4.0"}, {kNt, 5, 0, L"Windows2000"},
      {kNt, 5, 1, L"WindowsXP"}, {kNt, 5, 2, L"Windows"},      {kNt, 6, 0, L"Windows"},
      {kNt, 6, 1, L"Windows"},   {kNt, 6, 3, L"Windows"},      {kNt, 10, 0, L"Windows"},
      {kNt, 10, 1, L"Windows"},  {k9x, 5, 1, L"Windows"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(launcher::GetPlatformName(platform::OsVersion{c.platformId, c.major, c.minor}),
              c.name)
        << c.platformId << " " << c.major << "." << c.minor;
  }
  EXPECT_EQ(launcher::GetPlatformName(std::nullopt), L"Windows");
}

}  // namespace
