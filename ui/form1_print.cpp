// The printing commands of the main window: "印刷設定" and "印刷".
#include "page/print_page.h"
#include "rtl/cp932.h"
#include "ui/form1.h"
#include "vcl/printer.h"

void TForm1::Print2Click() { PrinterSetupDialog1->Execute(); }

void TForm1::Print3Click() {
  vcl::TPrinter* printer = vcl::Printer();
  printer->BeginDoc();
  // The heading names the file last confirmed in the load dialog, loaded or not.
  page::DrawResultPage(*printer->Canvas(), rtl::Utf8ToCp932(OpenDialog1->FileName()),
                       Label2->Caption(), ListBox2->Items());
  printer->EndDoc();
}
