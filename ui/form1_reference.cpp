// The reference data commands of the main window: the two editor windows.
#include "ui/form1.h"

// Not built yet: the menu items are in place and do nothing.
void TForm1::K3Click() {}
void TForm1::K5Click() {}
