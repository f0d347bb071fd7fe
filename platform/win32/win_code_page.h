// The ANSI code page through the Windows conversion functions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/text_codec.h"

namespace win32 {

class WinCodePage : public core::AnsiCodePage {
 public:
  // codePage 0 (CP_ACP) stands for the system's ANSI code page.
  explicit WinCodePage(unsigned codePage);

  std::optional<std::wstring> Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::wstring_view text) const override;

 private:
  unsigned codePage_;
};

}  // namespace win32
