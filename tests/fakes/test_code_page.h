// The Japanese ANSI code page (932) as the platform converts it, for tests
// that need real Shift_JIS bytes.
#pragma once

#include <memory>

#include "core/text_codec.h"
#ifdef _WIN32
#include "platform/win32/win_code_page.h"
#else
#include "platform/posix/iconv_code_page.h"
#endif

namespace fakes {

inline std::unique_ptr<core::AnsiCodePage> MakeCodePage932() {
#ifdef _WIN32
  return std::make_unique<win32::WinCodePage>(932);
#else
  return std::make_unique<posix::IconvCodePage>("CP932");
#endif
}

}  // namespace fakes
