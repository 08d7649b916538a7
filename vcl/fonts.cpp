#include "vcl/fonts.h"

#include <QStringList>

namespace vcl {

namespace {
QString FromUtf8(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
}  // namespace

void InstallFontSubstitutions() {
  const QStringList gothic = {"IPAPGothic",   "IPA Pゴシック",     "Noto Sans CJK JP",
                              "Noto Sans JP", "IPAGothic",         "TakaoPGothic",
                              "VL PGothic",   "Source Han Sans JP"};
  const QStringList monoGothic = {"IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP",
                                  "Noto Sans CJK JP", "TakaoGothic"};
  QFont::insertSubstitutions(FromUtf8(kMsPGothic), gothic);
  QFont::insertSubstitutions("MS PGothic", gothic);
  QFont::insertSubstitutions("ＭＳ ゴシック", monoGothic);
  QFont::insertSubstitutions("MS Gothic", monoGothic);
}

QFont PixelFont(std::string_view family, int pixelHeight) {
  QFont font(FromUtf8(family));
  font.setPixelSize(pixelHeight);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace vcl
