#include "cli/pdf_page.h"

#include <QBuffer>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "rtl/clock.h"
#include "ui/print_page.h"
#include "vcl/fonts.h"
#include "vcl/printer_canvas.h"

extern "C" __attribute__((visibility("default"))) bool VelmoraDrawPdfPage(
    int dpi, const char* fileName, const char* const* lines, std::size_t lineCount,
    VelmoraPdfSink sink, void* context) {
  // Nothing is shown: draw off screen unless told otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's notes about the session (no runtime folder and the like) are no concern of the tool.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
      std::fprintf(stderr, "velmora-tally: %s\n", message.toLocal8Bit().constData());
  });
  int argc = 1;
  char name[] = "velmora-tally";
  char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);
  vcl::InstallFontSubstitutions();

  QBuffer document;
  document.open(QIODevice::WriteOnly);
  {
    std::unique_ptr<vcl::TDevicePage> page =
        vcl::OpenPdfPage(&document, dpi, vcl::DefaultPdfLayout());
    if (!page) return false;
    vcl::TPrinterCanvas canvas;
    canvas.Attach(page.get());
    ui::DrawResultPage(canvas, fileName, ui::CreationDateText(rtl::Now()),
                       std::vector<std::string>(lines, lines + lineCount));
    canvas.Attach(nullptr);
    page->Finish();
  }
  const QByteArray& bytes = document.data();
  sink(bytes.constData(), static_cast<std::size_t>(bytes.size()), context);
  return true;
}
