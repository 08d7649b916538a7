#include "rtl/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace rtl {

namespace {

constexpr char32_t kEscapeBase = 0xF700;  // U+F780..U+F7FF stand for the bytes 0x80..0xFF

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1))
      throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much of `in` as it can into `out`. Returns the number of input bytes used; stops
  // at the first input it cannot convert (or at the end).
  size_t Convert(std::string_view in, std::string& out) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char buffer[4096];
    while (srcLeft > 0) {
      char* dst = buffer;
      size_t dstLeft = sizeof buffer;
      const size_t rc = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<size_t>(dst - buffer));
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) break;
    }
    return in.size() - srcLeft;
  }

 private:
  iconv_t cd_;
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Length of the well-formed UTF-8 sequence at the start of `s`, or 0 when it is not one.
size_t Utf8SequenceLength(std::string_view s, char32_t& code) {
  const auto b = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = b(0);
  size_t len;
  if (lead < 0x80) {
    code = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    len = 2, code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    len = 3, code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    len = 4, code = lead & 0x07;
  } else {
    return 0;
  }
  if (s.size() < len) return 0;
  for (size_t i = 1; i < len; ++i) {
    if ((b(i) & 0xC0) != 0x80) return 0;
    code = (code << 6) | (b(i) & 0x3F);
  }
  const char32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < minimum[len] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
  thread_local Converter converter("UTF-8", "CP932");
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  while (!cp932.empty()) {
    const size_t used = converter.Convert(cp932, out);
    cp932.remove_prefix(used);
    if (cp932.empty()) break;
    AppendUtf8(out, kEscapeBase + static_cast<unsigned char>(cp932.front()));
    cp932.remove_prefix(1);
  }
  return out;
}

std::string Utf8ToCp932(std::string_view utf8) {
  thread_local Converter converter("CP932", "UTF-8");
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    const size_t used = converter.Convert(utf8, out);
    utf8.remove_prefix(used);
    if (utf8.empty()) break;
    char32_t code = 0;
    const size_t len = Utf8SequenceLength(utf8, code);
    if (len == 0) {
      out += '?';
      utf8.remove_prefix(1);
      continue;
    }
    if (code >= kEscapeBase + 0x80 && code <= kEscapeBase + 0xFF)
      out += static_cast<char>(code - kEscapeBase);
    else
      out += '?';
    utf8.remove_prefix(len);
  }
  return out;
}

}  // namespace rtl
