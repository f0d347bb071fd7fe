#include "platform/win32/win_code_page.h"

#include <windows.h>

#include <climits>

namespace win32 {
namespace {

// Code pages whose conversions take no flags at all.
bool RefusesFlags(unsigned codePage) {
  return codePage == 42 || codePage == CP_UTF7 || (codePage >= 50220 && codePage <= 50229) ||
         (codePage >= 57002 && codePage <= 57011);
}

}  // namespace

WinCodePage::WinCodePage(unsigned codePage)
    : codePage_(codePage == CP_ACP ? ::GetACP() : codePage) {}

std::optional<std::wstring> WinCodePage::Decode(std::string_view bytes) const {
  if (bytes.empty()) return std::wstring();
  if (bytes.size() > INT_MAX) return std::nullopt;
  const DWORD flags = RefusesFlags(codePage_) ? 0 : MB_ERR_INVALID_CHARS;
  const int size = static_cast<int>(bytes.size());
  const int length = ::MultiByteToWideChar(codePage_, flags, bytes.data(), size, nullptr, 0);
  if (length <= 0) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length), L'\0');
  if (::MultiByteToWideChar(codePage_, flags, bytes.data(), size, text.data(), length) != length) {
    return std::nullopt;
  }
  return text;
}

std::optional<std::string> WinCodePage::Encode(std::wstring_view text) const {
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX) return std::nullopt;
  // Only genuine ANSI code pages report the default character; for the
  // others the round trip below is the whole check.
  DWORD flags = WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultOut = &usedDefault;
  if (codePage_ == CP_UTF8 || codePage_ == 54936) {
    flags = WC_ERR_INVALID_CHARS;
    usedDefaultOut = nullptr;
  } else if (RefusesFlags(codePage_)) {
    flags = 0;
    usedDefaultOut = nullptr;
  }
  const int size = static_cast<int>(text.size());
  const int length = ::WideCharToMultiByte(codePage_, flags, text.data(), size, nullptr, 0, nullptr,
                                           usedDefaultOut);
  if (length <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  if (::WideCharToMultiByte(codePage_, flags, text.data(), size, bytes.data(), length, nullptr,
                            usedDefaultOut) != length ||
      usedDefault) {
    return std::nullopt;
  }
  auto back = Decode(bytes);
  if (!back || *back != text) return std::nullopt;
  return bytes;
}

}  // namespace win32
