#include "vcl/printer_setup_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>

#include "rtl/seam.h"

namespace vcl {

namespace {

rtl::AnswerQueue<std::optional<PrinterSettings>(const PrinterSettings&)>& Answers() {
  static rtl::AnswerQueue<std::optional<PrinterSettings>(const PrinterSettings&)> answers;
  return answers;
}

// The dialog itself: printer, paper and orientation, OK and Cancel.
std::optional<PrinterSettings> ShowDialog(TPrinterSystem& system, const PrinterSettings& shown) {
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(QString::fromUtf8("プリンタの設定"));
  auto* printers = new QComboBox(&dialog);
  auto* papers = new QComboBox(&dialog);
  auto* orientation = new QComboBox(&dialog);
  printers->addItems(system.Printers());
  printers->setCurrentText(shown.printer);
  const auto fillPapers = [&](const QString& printer, const QPageSize& current) {
    papers->clear();
    for (const QPageSize& size : system.PageSizes(printer)) {
      papers->addItem(size.name(), QVariant::fromValue(size));
      if (size.isEquivalentTo(current)) papers->setCurrentIndex(papers->count() - 1);
    }
  };
  fillPapers(shown.printer, shown.pageSize);
  QObject::connect(printers, &QComboBox::currentTextChanged, &dialog, [&](const QString& printer) {
    fillPapers(printer, system.DefaultSettings(printer).pageSize);
  });
  orientation->addItem(QString::fromUtf8("縦"), int(QPageLayout::Portrait));
  orientation->addItem(QString::fromUtf8("横"), int(QPageLayout::Landscape));
  orientation->setCurrentIndex(shown.orientation == QPageLayout::Landscape ? 1 : 0);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* form = new QFormLayout(&dialog);
  form->addRow(QString::fromUtf8("プリンタ名:"), printers);
  form->addRow(QString::fromUtf8("用紙サイズ:"), papers);
  form->addRow(QString::fromUtf8("印刷の向き:"), orientation);
  form->addRow(buttons);

  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  PrinterSettings chosen{printers->currentText()};
  if (papers->currentIndex() >= 0) chosen.pageSize = papers->currentData().value<QPageSize>();
  chosen.orientation = static_cast<QPageLayout::Orientation>(orientation->currentData().toInt());
  return chosen;
}

}  // namespace

bool TPrinterSetupDialog::Execute() {
  TPrinter* printer = Printer();
  const PrinterSettings shown = printer->Settings();
  const Answer answer = Answers().TakeNext();
  const std::optional<PrinterSettings> chosen =
      answer ? answer(shown) : ShowDialog(printer->System(), shown);
  if (!chosen) return false;
  printer->SetSettings(*chosen);
  return true;
}

void TPrinterSetupDialog::QueueAnswer(Answer answer) { Answers().Push(std::move(answer)); }

void TPrinterSetupDialog::ClearAnswers() { Answers().Clear(); }

}  // namespace vcl
