// Code page 932 (Shift-JIS) <-> UTF-8, through glibc's iconv "CP932".
//
// Decoding is lossless: a byte that does not start a valid CP932 character (a cut double-byte
// character, a stray byte) becomes the private-use code point U+F700 + byte, and encoding turns
// those code points back into the byte. A character without a CP932 form encodes as "?".
#pragma once

#include <string>
#include <string_view>

namespace rtl {

std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8);

}  // namespace rtl
