// The name entry window "氏名入力". Hidden until the main window asks for it.
#pragma once

#include "vcl/form.h"

class TForm2 : public vcl::TForm {
 public:
  TForm2();
};

extern TForm2* Form2;
