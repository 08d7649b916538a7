#include "page/print_page.h"

#include "rtl/cp932.h"

namespace page {

namespace {

// `units` of the 300 dpi layout in dots of a `dpi` device, rounded.
int ToDots(int units, int dpi) {
  return static_cast<int>((static_cast<long long>(units) * dpi + kLayoutDpi / 2) / kLayoutDpi);
}

}  // namespace

void DrawResultPage(vcl::TPrinterCanvas& canvas, const std::string& fileName,
                    const std::string& dateText, const std::vector<std::string>& lines) {
  canvas.Font()->SetSize(kFontSize);
  const int dpi = canvas.Font()->PixelsPerInch();
  canvas.TextOut(0, 0, rtl::Utf8ToCp932("ファイル名:") + fileName);
  canvas.TextOut(ToDots(kDateX, dpi), 0, dateText);
  for (size_t i = 0; i < lines.size(); ++i)
    canvas.TextOut(0, ToDots(kFirstLineY + kLinePitch * static_cast<int>(i), dpi), lines[i]);
}

std::string CreationDateText(const rtl::DateTime& when) {
  return rtl::Utf8ToCp932(rtl::FormatDateTime("'作成日'yyyy'年'mm'月'dd'日'", when));
}

}  // namespace page
