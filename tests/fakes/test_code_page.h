// The Japanese ANSI code page (932) as the platform converts it, for tests
// that need real Shift_JIS bytes.
#pragma once

#include <memory>

#include "core/text_codec.h"

namespace fakes {

std::unique_ptr<core::AnsiCodePage> MakeCodePage932();

}  // namespace fakes
