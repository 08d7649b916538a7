// The reference data commands of the main window: the two editor windows.
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"

void TForm1::K3Click() { Form2->Show(); }

void TForm1::K5Click() { Form3->Show(); }
