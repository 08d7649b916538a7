// The printer object: one for the program, created on first use. It holds the selected printer
// and its settings (the system's default printer until the set-up dialog chooses another), is idle
// or printing, and draws through its canvas. Jobs go to the system's printers through Qt Print
// Support (CUPS); tests put a PDF file or a recording page in their place.
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <QStringList>
#include <memory>

#include "vcl/printer_canvas.h"

namespace vcl {

// A printer and the settings a job uses on it.
struct PrinterSettings {
  QString printer;
  QPageSize pageSize{QPageSize::A4};
  QPageLayout::Orientation orientation = QPageLayout::Portrait;
};

// The printers jobs can go to.
class TPrinterSystem {
 public:
  virtual ~TPrinterSystem() = default;
  // The default printer's name; empty when there is none.
  virtual QString DefaultPrinter() = 0;
  virtual QStringList Printers() = 0;
  // The settings a printer starts with.
  virtual PrinterSettings DefaultSettings(const QString& printer) = 0;
  virtual QList<QPageSize> PageSizes(const QString& printer) = 0;
  // Opens the printer and starts a job of one page on it; null when the printer cannot be opened.
  virtual std::unique_ptr<TCanvasPage> Open(const PrinterSettings& settings) = 0;
};

// The system's printers, through Qt Print Support.
std::unique_ptr<TPrinterSystem> SystemPrinters();

// One printer named "PDF", the default, that writes each job to the PDF file `path` at `dpi`.
std::unique_ptr<TPrinterSystem> PdfFilePrinter(const QString& path, int dpi);

// One printer named "Recorder", the default, that records each job's texts.
class RecordingPrinter : public TPrinterSystem {
 public:
  explicit RecordingPrinter(int dpi = 300) : dpi_(dpi) {}
  QString DefaultPrinter() override { return "Recorder"; }
  QStringList Printers() override { return {"Recorder"}; }
  PrinterSettings DefaultSettings(const QString& printer) override { return {printer}; }
  QList<QPageSize> PageSizes(const QString&) override { return {QPageSize(QPageSize::A4)}; }
  std::unique_ptr<TCanvasPage> Open(const PrinterSettings& settings) override;

  // The pages of the jobs begun so far, oldest first.
  const std::vector<std::unique_ptr<TRecordingPage>>& Jobs() const { return jobs_; }

 private:
  int dpi_;
  std::vector<std::unique_ptr<TRecordingPage>> jobs_;
};

class TPrinter {
 public:
  TPrinter() = default;
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;
  ~TPrinter();

  bool Printing() const { return job_ != nullptr; }
  TPrinterCanvas* Canvas() { return &canvas_; }

  // Opens the selected printer and starts a job of one page; the canvas font takes the printer's
  // vertical resolution and keeps its point size. Fails with "印刷中" while a job is in progress,
  // "ﾃﾞﾌｫﾙﾄ ﾌﾟﾘﾝﾀが存在しません" when no printer is selected and the system names no default,
  // "選択したﾌﾟﾘﾝﾀは有効ではありません" when the printer cannot be opened; then nothing changes.
  void BeginDoc();
  // Ends the page and the document and hands the job to the printer.
  void EndDoc();

  // The selected printer and its settings; on first use the system's default printer (fails with
  // "ﾃﾞﾌｫﾙﾄ ﾌﾟﾘﾝﾀが存在しません" when there is none).
  const PrinterSettings& Settings();
  // Makes `settings` current for the jobs to come; fails with "印刷中" while a job is in progress.
  void SetSettings(const PrinterSettings& settings);

  TPrinterSystem& System();
  // Puts `system` in place of the system's printers and forgets the selected printer (tests).
  void SetSystem(std::unique_ptr<TPrinterSystem> system);

 private:
  std::unique_ptr<TPrinterSystem> system_;
  std::unique_ptr<PrinterSettings> settings_;
  std::unique_ptr<TCanvasPage> job_;
  TPrinterCanvas canvas_;
};

// The program's printer object, created on first use.
TPrinter* Printer();
// Destroys it (the application object does this when it goes); the next Printer() makes a new one.
void DestroyPrinter();

}  // namespace vcl
