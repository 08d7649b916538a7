#include "vcl/printer.h"

#include <QPrinter>
#include <QPrinterInfo>

#include "rtl/exception.h"

namespace vcl {

namespace {

class QtPrinters : public TPrinterSystem {
 public:
  QString DefaultPrinter() override { return QPrinterInfo::defaultPrinterName(); }
  QStringList Printers() override { return QPrinterInfo::availablePrinterNames(); }
  PrinterSettings DefaultSettings(const QString& printer) override {
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    PrinterSettings settings{printer};
    if (info.defaultPageSize().isValid()) settings.pageSize = info.defaultPageSize();
    return settings;
  }
  QList<QPageSize> PageSizes(const QString& printer) override {
    return QPrinterInfo::printerInfo(printer).supportedPageSizes();
  }
  std::unique_ptr<TCanvasPage> Open(const PrinterSettings& settings) override {
    const QPrinterInfo info = QPrinterInfo::printerInfo(settings.printer);
    if (info.isNull()) return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid()) return nullptr;
    printer->setPageSize(settings.pageSize);
    printer->setPageOrientation(settings.orientation);
    auto page = std::make_unique<TDevicePage>(std::move(printer));
    if (!page->Ok()) return nullptr;
    return page;
  }
};

class PdfPrinter : public TPrinterSystem {
 public:
  PdfPrinter(QString path, int dpi) : path_(std::move(path)), dpi_(dpi) {}
  QString DefaultPrinter() override { return "PDF"; }
  QStringList Printers() override { return {"PDF"}; }
  PrinterSettings DefaultSettings(const QString& printer) override { return {printer}; }
  QList<QPageSize> PageSizes(const QString&) override {
    return {QPageSize(QPageSize::A4), QPageSize(QPageSize::A5), QPageSize(QPageSize::B5),
            QPageSize(QPageSize::Letter)};
  }
  std::unique_ptr<TCanvasPage> Open(const PrinterSettings& settings) override {
    if (settings.printer != "PDF") return nullptr;
    QPageLayout layout = DefaultPdfLayout();
    layout.setPageSize(settings.pageSize);
    layout.setOrientation(settings.orientation);
    return OpenPdfPage(path_, dpi_, layout);
  }

 private:
  QString path_;
  int dpi_;
};

// A page that records into a page kept by the recording printer.
class RecordingJob : public TCanvasPage {
 public:
  explicit RecordingJob(TRecordingPage* page) : page_(page) {}
  int PixelsPerInchY() const override { return page_->PixelsPerInchY(); }
  void TextOut(int x, int y, std::string_view text, const TFont& font) override {
    page_->TextOut(x, y, text, font);
  }
  void Finish() override { page_->Finish(); }

 private:
  TRecordingPage* page_;
};

std::unique_ptr<TPrinter> thePrinter;

}  // namespace

std::unique_ptr<TPrinterSystem> SystemPrinters() { return std::make_unique<QtPrinters>(); }

std::unique_ptr<TPrinterSystem> PdfFilePrinter(const QString& path, int dpi) {
  return std::make_unique<PdfPrinter>(path, dpi);
}

std::unique_ptr<TCanvasPage> RecordingPrinter::Open(const PrinterSettings& settings) {
  if (settings.printer != "Recorder") return nullptr;
  jobs_.push_back(std::make_unique<TRecordingPage>(dpi_));
  return std::make_unique<RecordingJob>(jobs_.back().get());
}

TPrinter::~TPrinter() {
  canvas_.Attach(nullptr);
  if (job_) job_->Finish();
}

void TPrinter::BeginDoc() {
  if (Printing()) throw rtl::EPrinter::Printing();
  const PrinterSettings& settings = Settings();
  std::unique_ptr<TCanvasPage> job = System().Open(settings);
  if (!job) throw rtl::EPrinter::InvalidPrinter();
  job_ = std::move(job);
  canvas_.Attach(job_.get());
}

void TPrinter::EndDoc() {
  if (!job_) return;
  canvas_.Attach(nullptr);
  std::unique_ptr<TCanvasPage> job = std::move(job_);
  job->Finish();
}

const PrinterSettings& TPrinter::Settings() {
  if (!settings_) {
    const QString name = System().DefaultPrinter();
    if (name.isEmpty()) throw rtl::EPrinter::NoDefaultPrinter();
    settings_ = std::make_unique<PrinterSettings>(System().DefaultSettings(name));
  }
  return *settings_;
}

void TPrinter::SetSettings(const PrinterSettings& settings) {
  if (Printing()) throw rtl::EPrinter::Printing();
  settings_ = std::make_unique<PrinterSettings>(settings);
}

TPrinterSystem& TPrinter::System() {
  if (!system_) system_ = SystemPrinters();
  return *system_;
}

void TPrinter::SetSystem(std::unique_ptr<TPrinterSystem> system) {
  system_ = std::move(system);
  settings_.reset();
}

TPrinter* Printer() {
  if (!thePrinter) thePrinter = std::make_unique<TPrinter>();
  return thePrinter.get();
}

void DestroyPrinter() { thePrinter.reset(); }

}  // namespace vcl
