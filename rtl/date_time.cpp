#include "rtl/date_time.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace rtl {

namespace {

std::string Digits(int value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

}  // namespace

std::string FormatDateTime(std::string_view pattern, const DateTime& when) {
  std::string out;
  size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c == '\'' || c == '"') {
      const size_t end = pattern.find(c, i + 1);
      const size_t stop = end == std::string_view::npos ? pattern.size() : end;
      out.append(pattern.substr(i + 1, stop - i - 1));
      i = stop == pattern.size() ? stop : stop + 1;
      continue;
    }
    const char l = Lower(c);
    size_t run = 1;
    while (i + run < pattern.size() && Lower(pattern[i + run]) == l) ++run;
    switch (l) {
      case 'y':
        if (run >= 4) {
          out += Digits(when.year, 4);
          run = 4;
        } else {
          out += Digits(when.year % 100, 2);
          run = std::min<size_t>(run, 2);
        }
        break;
      case 'm':
      case 'd':
      case 'h':
      case 'n':
      case 's': {
        run = std::min<size_t>(run, 2);
        const int value = l == 'm'   ? when.month
                          : l == 'd' ? when.day
                          : l == 'h' ? when.hour
                          : l == 'n' ? when.minute
                                     : when.second;
        out += Digits(value, static_cast<int>(run));
        break;
      }
      default:
        out += c;
        run = 1;
        break;
    }
    i += run;
  }
  return out;
}

}  // namespace rtl
