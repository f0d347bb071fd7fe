#include "core/line_buffer.h"

#include <algorithm>

namespace core {

std::string_view LineBuffer::EolText(Eol eol) {
  switch (eol) {
    case Eol::kCrLf:
      return "\r\n";
    case Eol::kLf:
      return "\n";
    case Eol::kCr:
      return "\r";
    case Eol::kNone:
      break;
  }
  return {};
}

std::size_t LineBuffer::FindOrEnd(char c, std::size_t from) const {
  return std::min(text_.find(c, from), text_.size());
}

// CR and LF are searched for separately, each only once it is passed:
// memchr is much faster than testing every byte for both.
std::size_t LineBuffer::LineEnd(std::size_t from) {
  if (nextCr_ < from) nextCr_ = FindOrEnd('\r', from);
  if (nextLf_ < from) nextLf_ = FindOrEnd('\n', from);
  return std::min(nextCr_, nextLf_);
}

LineBuffer::Line LineBuffer::Append(std::string_view first, std::string_view second) {
  Line line;
  line.begin = text_.size();
  line.length = first.size() + second.size();
  text_.append(first).append(second);
  liveBytes_ += line.length;
  return line;
}

// The new copy goes to the end of the buffer; the old bytes stay behind
// until the next compaction.
void LineBuffer::Rewrite(Line& line, std::size_t keepLength, std::string_view tail) {
  const std::size_t begin = text_.size();
  text_.reserve(begin + keepLength + tail.size());
  text_.append(text_, line.begin, keepLength);
  text_.append(tail);
  liveBytes_ += keepLength + tail.size() - line.length;
  line.begin = begin;
  line.length = keepLength + tail.size();
}

}  // namespace core
