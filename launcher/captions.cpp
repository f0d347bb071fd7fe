#include "launcher/captions.h"

#include "core/decimal_text.h"

namespace launcher {

std::wstring VersionCaption(int major, int minor) {
  std::wstring minorText = core::DecimalText(minor);
  if (minorText.size() == 1) minorText.insert(0, L"0");
  return L"Mirabelton Ver" + core::DecimalText(major) + L"." + minorText;
}

std::wstring GetPlatformName(const std::optional<platform::OsVersion>& version) {
  if (!version) return L"Windows";
  const auto [platformId, major, minor] = *version;
  if (platformId == platform::kVerPlatformWin32Windows && major == 4) {
    if (minor == 0) return L"Windows95";
    if (minor == 10) return L"Windows98";
    if (minor >= 90) return L"WindowsMe";
    return L"Windows";
  }
  if (platformId != platform::kVerPlatformWin32Windows) {
    if (major == 4) return L"WindowsNT4.0";
    if (major == 5 && minor == 0) return L"Windows2000";
    if (major == 5 && minor == 1) return L"WindowsXP";
  }
  return L"Windows";
}

}  // namespace launcher
