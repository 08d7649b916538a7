// Plain, slow restatements of how the readers see a file's bytes, for the fuzz targets to compare
// the real readers against.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fuzz_model {

// The lines of a file read in text mode: the data ends at the first Ctrl-Z, CR bytes are
// dropped, a LF ends a line, and a last line without LF counts when it holds a byte.
inline std::vector<std::string> TextModeLines(std::string_view data) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;  // a byte of the current line was read
  for (const char c : data) {
    if (c == '\x1A') break;
    if (c == '\r') continue;
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
      open = false;
    } else {
      line += c;
      open = true;
    }
  }
  if (open) lines.push_back(line);
  return lines;
}

// `text` up to its first NUL byte.
inline std::string UpToNul(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\0') break;
    out += c;
  }
  return out;
}

// `text` cut at every TAB.
inline std::vector<std::string> SplitTabs(std::string_view text) {
  std::vector<std::string> fields(1);
  for (const char c : text) {
    if (c == '\t')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

}  // namespace fuzz_model
