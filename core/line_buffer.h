// The bytes of a document's lines, held in one buffer. A line is a range
// of it and its ending; a rewritten line moves to the end of the buffer,
// and the bytes it leaves behind are dropped once they are the larger part.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace core {

class LineBuffer {
 public:
  enum class Eol : unsigned char { kNone, kCrLf, kLf, kCr };
  struct Line {
    std::size_t begin = 0;
    std::size_t length = 0;
    Eol eol = Eol::kNone;  // kNone only for a last line without an ending
  };

  LineBuffer() = default;
  explicit LineBuffer(std::string_view bytes) : text_(bytes) {}

  static std::string_view EolText(Eol eol);
  std::string_view TextOf(const Line& line) const {
    return std::string_view(text_).substr(line.begin, line.length);
  }

  // Cuts the bytes given at construction into lines at CR LF, LF and CR,
  // handing each to onLine in order; returns the ending most lines have
  // (CR LF when no other one is more frequent).
  template <class OnLine>
  Eol Split(OnLine onLine);

  // A new line of first followed by second, without an ending yet.
  Line Append(std::string_view first, std::string_view second);
  // Makes line its first keepLength bytes followed by tail.
  void Rewrite(Line& line, std::size_t keepLength, std::string_view tail);
  // Copies the lines that forEachLine(visit) visits into a new buffer when
  // most bytes are left behind by rewrites; forEachLine must visit every
  // line once.
  template <class ForEachLine>
  void CompactIfWasteful(ForEachLine forEachLine);

 private:
  std::size_t FindOrEnd(char c, std::size_t from) const;
  std::size_t LineEnd(std::size_t from);

  std::string text_;
  std::size_t liveBytes_ = 0;            // bytes of text_ that some line still uses
  std::size_t nextCr_ = 0, nextLf_ = 0;  // while splitting
};

template <class OnLine>
LineBuffer::Eol LineBuffer::Split(OnLine onLine) {
  std::size_t counts[4] = {};  // by Eol
  nextCr_ = FindOrEnd('\r', 0);
  nextLf_ = FindOrEnd('\n', 0);
  std::size_t pos = 0;
  while (pos < text_.size()) {
    Line line;
    line.begin = pos;
    const std::size_t end = LineEnd(pos);
    line.length = end - pos;
    if (end == text_.size()) {
      pos = end;
    } else if (text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n') {
      line.eol = Eol::kCrLf;
      pos = end + 2;
    } else {
      line.eol = text_[end] == '\r' ? Eol::kCr : Eol::kLf;
      pos = end + 1;
    }
    ++counts[static_cast<int>(line.eol)];
    liveBytes_ += line.length;
    onLine(line);
  }
  const auto crlf = counts[static_cast<int>(Eol::kCrLf)];
  const auto lf = counts[static_cast<int>(Eol::kLf)];
  const auto cr = counts[static_cast<int>(Eol::kCr)];
  if (lf > crlf && lf >= cr) return Eol::kLf;
  if (cr > crlf && cr > lf) return Eol::kCr;
  return Eol::kCrLf;
}

template <class ForEachLine>
void LineBuffer::CompactIfWasteful(ForEachLine forEachLine) {
  if (text_.size() < 2 * liveBytes_ + 65536) return;
  std::string compact;
  compact.reserve(liveBytes_);
  forEachLine([&](Line& line) {
    const std::size_t begin = compact.size();
    compact += TextOf(line);
    line.begin = begin;
  });
  text_ = std::move(compact);
}

}  // namespace core
