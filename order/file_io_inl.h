#pragma once

#include <cstring>
#include <string>
#include <string_view>

namespace order {

namespace detail {
// `line` without its CR bytes; `scratch` holds the copy when one is needed.
inline std::string_view DropCr(std::string_view line, std::string& scratch) {
  if (line.empty() || std::memchr(line.data(), '\r', line.size()) == nullptr) return line;
  scratch.clear();
  for (const char c : line)
    if (c != '\r') scratch += c;
  return scratch;
}
}  // namespace detail

template <class F>
void ForEachTextModeLine(std::string_view data, F&& f) {
  if (data.empty()) return;
  if (const void* eof = std::memchr(data.data(), 0x1A, data.size()))
    data = data.substr(0, static_cast<size_t>(static_cast<const char*>(eof) - data.data()));
  std::string scratch;
  while (!data.empty()) {
    const void* lf = std::memchr(data.data(), '\n', data.size());
    const size_t end =
        lf ? static_cast<size_t>(static_cast<const char*>(lf) - data.data()) : data.size();
    const std::string_view line = detail::DropCr(data.substr(0, end), scratch);
    if (lf) {
      f(line, true);
      data.remove_prefix(end + 1);
    } else {
      if (!line.empty()) f(line, false);
      break;
    }
  }
}

}  // namespace order
