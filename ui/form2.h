// The name entry window "氏名入力": the names file in a memo, saved back with "保存". Hidden until
// the main window asks for it.
#pragma once

#include "vcl/button.h"
#include "vcl/form.h"
#include "vcl/memo.h"
#include "vcl/menu.h"

class TForm2 : public vcl::TForm {
 public:
  TForm2();

  vcl::TMemo* Memo1;
  vcl::TButton* Button1;
  vcl::TMainMenu* MainMenu1;
  vcl::TMenuItem* EXIT1;

  void Button1Click();
  void FormCreate() override;
  void exitClick();
};

extern TForm2* Form2;
