// The ANSI code page through glibc's iconv, so that Linux tests read and
// write the same bytes as Windows does for that code page.
#pragma once

#include <iconv.h>

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "core/text_codec.h"

namespace posix {

class IconvCodePage : public core::AnsiCodePage {
 public:
  // charset is an iconv name such as "CP932"; throws std::invalid_argument
  // when iconv does not know it.
  explicit IconvCodePage(const std::string& charset);
  ~IconvCodePage() override;
  IconvCodePage(const IconvCodePage&) = delete;
  IconvCodePage& operator=(const IconvCodePage&) = delete;

  std::optional<std::wstring> Decode(std::string_view bytes) const override;
  std::optional<std::string> Encode(std::wstring_view text) const override;

 private:
  // iconv descriptors keep shift state, so each conversion holds the lock.
  mutable std::mutex mutex_;
  iconv_t toWide_;
  iconv_t fromWide_;
};

}  // namespace posix
