// The order file commands of the main window: "読み込み" and "保存".
#include "ui/form1.h"

// Not built yet: the menu items are in place and do nothing.
void TForm1::K2Click() {}
void TForm1::K6Click() {}
