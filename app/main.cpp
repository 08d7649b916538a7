// velmora: the photo order tally program. Creates the three windows and runs the event loop.

#include <QApplication>

#include "rtl/exception.h"
#include "ui/form1.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "vcl/application.h"

int main(int argc, char* argv[]) {
  QApplication qt(argc, argv);
  vcl::TApplication application;
  try {
    application.Initialize();
    application.CreateForm(Form1);
    application.CreateForm(Form2);
    application.CreateForm(Form3);
    application.Run();
  } catch (const rtl::Exception& error) {
    application.ShowException(error);
  } catch (const std::exception& error) {
    application.ShowException(rtl::Exception(error.what()));
  }
  return 0;
}
