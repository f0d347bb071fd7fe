#include "platform/posix/iconv_code_page.h"

#include <cerrno>
#include <stdexcept>

namespace posix {
namespace {

const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

// Runs one whole conversion, the final shift-state flush included; false on
// any character iconv rejects or converts only approximately.
bool Convert(iconv_t cd, const char* input, std::size_t inputSize, std::string& output) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char* in = const_cast<char*>(input);
  std::size_t inLeft = inputSize;
  output.assign(inputSize * 4 + 16, '\0');
  std::size_t written = 0;
  bool flushed = false;
  while (!flushed) {
    char* out = output.data() + written;
    std::size_t outLeft = output.size() - written;
    const bool flushing = inLeft == 0;
    const std::size_t result = flushing ? iconv(cd, nullptr, nullptr, &out, &outLeft)
                                        : iconv(cd, &in, &inLeft, &out, &outLeft);
    written = output.size() - outLeft;
    if (result == static_cast<std::size_t>(-1)) {
      if (errno != E2BIG) return false;  // EILSEQ, or EINVAL for a cut sequence
      output.resize(output.size() * 2);
      continue;
    }
    if (result != 0) return false;  // irreversible conversions
    flushed = flushing;
  }
  output.resize(written);
  return true;
}

}  // namespace

IconvCodePage::IconvCodePage(const std::string& charset)
    : toWide_(iconv_open("WCHAR_T", charset.c_str())),
      fromWide_(iconv_open(charset.c_str(), "WCHAR_T")) {
  if (toWide_ == kInvalid || fromWide_ == kInvalid) {
    if (toWide_ != kInvalid) iconv_close(toWide_);
    if (fromWide_ != kInvalid) iconv_close(fromWide_);
    throw std::invalid_argument("iconv does not know the charset " + charset);
  }
}

IconvCodePage::~IconvCodePage() {
  iconv_close(toWide_);
  iconv_close(fromWide_);
}

std::optional<std::wstring> IconvCodePage::Decode(std::string_view bytes) const {
  std::string wideBytes;
  {
    std::lock_guard lock(mutex_);
    if (!Convert(toWide_, bytes.data(), bytes.size(), wideBytes)) return std::nullopt;
  }
  std::wstring text(wideBytes.size() / sizeof(wchar_t), L'\0');
  wideBytes.copy(reinterpret_cast<char*>(text.data()), text.size() * sizeof(wchar_t));
  return text;
}

std::optional<std::string> IconvCodePage::Encode(std::wstring_view text) const {
  std::string bytes;
  {
    std::lock_guard lock(mutex_);
    if (!Convert(fromWide_, reinterpret_cast<const char*>(text.data()),
                 text.size() * sizeof(wchar_t), bytes)) {
      return std::nullopt;
    }
  }
  // Several characters can share one byte sequence (U+301C and U+FF5E in
  // CP932); only the one that comes back is exact.
  auto back = Decode(bytes);
  if (!back || *back != text) return std::nullopt;
  return bytes;
}

}  // namespace posix
