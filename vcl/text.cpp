#include "vcl/text.h"

#include "rtl/cp932.h"

namespace vcl {

QString ToQString(std::string_view cp932) {
  bool ascii = true;
  for (const char c : cp932)
    if (static_cast<unsigned char>(c) >= 0x80) {
      ascii = false;
      break;
    }
  if (ascii) return QString::fromLatin1(cp932.data(), static_cast<qsizetype>(cp932.size()));
  const std::string utf8 = rtl::Cp932ToUtf8(cp932);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return rtl::Utf8ToCp932(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

QString ToOneLineQString(std::string_view cp932) {
  QString shown = ToQString(cp932);
  shown.remove('\r');
  shown.remove('\n');
  return shown;
}

std::string Sjis(std::string_view utf8) { return rtl::Utf8ToCp932(utf8); }

}  // namespace vcl
