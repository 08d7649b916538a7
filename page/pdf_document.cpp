#include "page/pdf_document.h"

#include <QBuffer>
#include <memory>

#include "page/print_page.h"
#include "vcl/fonts.h"
#include "vcl/printer_canvas.h"

namespace page {

std::optional<std::string> ResultPagePdf(int dpi, const std::string& fileName,
                                         const std::string& dateText,
                                         const std::vector<std::string>& lines) {
  vcl::InstallFontSubstitutions();
  QBuffer document;
  document.open(QIODevice::WriteOnly);
  {
    std::unique_ptr<vcl::TDevicePage> pdf =
        vcl::OpenPdfPage(&document, dpi, vcl::DefaultPdfLayout());
    if (!pdf) return std::nullopt;
    vcl::TPrinterCanvas canvas;
    canvas.Attach(pdf.get());
    DrawResultPage(canvas, fileName, dateText, lines);
    canvas.Attach(nullptr);
    pdf->Finish();
  }
  return document.data().toStdString();
}

}  // namespace page
