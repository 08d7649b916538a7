// The printing commands of the main window: "印刷設定" and "印刷".
#include "ui/form1.h"

// Not built yet: the menu items are in place and do nothing.
void TForm1::Print2Click() {}
void TForm1::Print3Click() {}
