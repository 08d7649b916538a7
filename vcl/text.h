// The one place where the program's CP932 bytes meet Qt's Unicode strings.
//
// Decoding is lossless (bytes that are not valid CP932 become private-use characters and come back
// unchanged); a character typed that has no CP932 form encodes as "?".
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vcl {

QString ToQString(std::string_view cp932);
std::string FromQString(const QString& text);

// CP932 bytes as a one-line field shows them: line ends are not drawn (the bytes keep them).
QString ToOneLineQString(std::string_view cp932);

// UTF-8 source text (a literal of the program) as CP932 bytes.
std::string Sjis(std::string_view utf8);

}  // namespace vcl
