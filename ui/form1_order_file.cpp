// The order file commands of the main window: "読み込み" and "保存". A file that cannot be read or
// written is reported in the error box; a failed save leaves the file that was there whole.
#include "order/order_file.h"
#include "ui/form1.h"

void TForm1::K2Click() {
  if (!OpenDialog1->Execute()) return;
  order::ReadOrderFile(StringGrid1->Sheet(), OpenDialog1->FileName());
}

void TForm1::K6Click() {
  if (!SaveDialog1->Execute()) return;
  order::WriteOrderFile(StringGrid1->Sheet(), SaveDialog1->FileName());
}
