// The order-number registration window "注文番号登録": the order-number file in a memo, saved back
// with "登録". Hidden until the main window asks for it.
#pragma once

#include "vcl/button.h"
#include "vcl/form.h"
#include "vcl/memo.h"
#include "vcl/menu.h"

class TForm3 : public vcl::TForm {
 public:
  TForm3();

  vcl::TMemo* Memo1;
  vcl::TButton* Button1;
  vcl::TMainMenu* MainMenu1;
  vcl::TMenuItem* exit1;

  void Button1Click();
  void exit1Click();
  void FormCreate() override;
};

extern TForm3* Form3;
