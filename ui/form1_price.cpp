// The unit-price command of the main window: "１枚の値段登録".
#include "ui/form1.h"

// Not built yet: the menu item is in place and does nothing.
void TForm1::K10Click() {}
