// Fonts by family name and pixel height, and the substitutes for the Windows Japanese families.
#pragma once

#include <QFont>
#include <string_view>

namespace vcl {

// "ＭＳ Ｐゴシック", the proportional Japanese gothic the windows ask for.
inline constexpr std::string_view kMsPGothic = "ＭＳ Ｐゴシック";

// Maps the Windows Japanese gothic families to installed ones: IPAPGothic (same metrics) first,
// then other Japanese gothic fonts. Call once after the QApplication exists.
void InstallFontSubstitutions();

// A font of `family` (UTF-8) whose characters are `pixelHeight` pixels high.
QFont PixelFont(std::string_view family, int pixelHeight);

}  // namespace vcl
