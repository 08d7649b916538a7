#pragma once

#include <cstring>
#include <string>
#include <string_view>

namespace order {

namespace detail {
// `line` without its CR bytes; `scratch` holds the copy when one is needed. A CR that ends the
// line, as in every line of a file with CR LF line ends, needs none.
inline std::string_view DropCr(std::string_view line, std::string& scratch) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || std::memchr(line.data(), '\r', line.size()) == nullptr) return line;
  scratch.clear();
  for (const char c : line)
    if (c != '\r') scratch += c;
  return scratch;
}
}  // namespace detail

template <class F>
bool TextModeLines::Feed(std::string_view piece, F&& f) {
  if (piece.empty()) return true;
  bool more = true;
  if (const void* eof = std::memchr(piece.data(), 0x1A, piece.size())) {
    piece = piece.substr(0, static_cast<size_t>(static_cast<const char*>(eof) - piece.data()));
    more = false;
  }
  while (!piece.empty()) {
    const void* lf = std::memchr(piece.data(), '\n', piece.size());
    if (!lf) {
      carry_.append(piece);
      break;
    }
    const size_t end = static_cast<size_t>(static_cast<const char*>(lf) - piece.data());
    std::string_view line = piece.substr(0, end);
    if (!carry_.empty()) {
      carry_.append(line);
      line = carry_;
    }
    f(detail::DropCr(line, scratch_), true);
    carry_.clear();
    piece.remove_prefix(end + 1);
  }
  return more;
}

template <class F>
void TextModeLines::Finish(F&& f) {
  const std::string_view line = detail::DropCr(carry_, scratch_);
  if (!line.empty()) f(line, false);
  carry_.clear();
}

template <class F>
void ForEachTextModeLine(std::string_view data, F&& f) {
  TextModeLines lines;
  lines.Feed(data, f);
  lines.Finish(f);
}

template <class F>
void ForEachTextModeLine(FilePieces& file, F&& f) {
  TextModeLines lines;
  for (std::string_view piece = file.Next(); !piece.empty(); piece = file.Next())
    if (!lines.Feed(piece, f)) break;
  lines.Finish(f);
}

}  // namespace order
