#include "cli/pdf_page.h"

#include <QGuiApplication>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "page/pdf_document.h"
#include "page/print_page.h"
#include "rtl/clock.h"

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

  const std::optional<std::string> document =
      page::ResultPagePdf(dpi, fileName, page::CreationDateText(rtl::Now()),
                          std::vector<std::string>(lines, lines + lineCount));
  if (!document) return false;
  sink(document->data(), document->size(), context);
  return true;
}
