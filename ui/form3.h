// The order-number registration window "注文番号登録". Hidden until the main window asks for it.
#pragma once

#include "vcl/form.h"

class TForm3 : public vcl::TForm {
 public:
  TForm3();
};

extern TForm3* Form3;
