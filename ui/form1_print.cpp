// The printing commands of the main window: "印刷設定" and "印刷".
#include "ui/form1.h"
#include "ui/print_page.h"
#include "vcl/printer.h"

void TForm1::Print2Click() { PrinterSetupDialog1->Execute(); }

void TForm1::Print3Click() {
  vcl::TPrinter* printer = vcl::Printer();
  printer->BeginDoc();
  // The heading's file name is the load dialog's, which the window does not have yet.
  ui::DrawResultPage(*printer->Canvas(), std::string(), Label2->Caption(), ListBox2->Items());
  printer->EndDoc();
}
