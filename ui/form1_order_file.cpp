// The order file commands of the main window: "読み込み" and "保存", and loading a file dropped on
// the window. A file that cannot be read or written is reported in the error box; a failed save
// leaves the file that was there whole.
#include "order/order_file.h"
#include "rtl/file_names.h"
#include "ui/form1.h"

void TForm1::K2Click() {
  if (!OpenDialog1->Execute()) return;
  ReadOpenDialogFile();
}

void TForm1::DropOrderFile(const std::string& path) {
  OpenDialog1->SetFileName(rtl::ExpandFileName(path));
  ReadOpenDialogFile();
}

void TForm1::ReadOpenDialogFile() {
  order::ReadOrderFile(StringGrid1->Sheet(), OpenDialog1->FileName(), &StringGrid1->History());
}

void TForm1::K6Click() {
  if (!SaveDialog1->Execute()) return;
  order::WriteOrderFile(StringGrid1->Sheet(), SaveDialog1->FileName());
}
