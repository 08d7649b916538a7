#include "ui/form3.h"

#include "order/reference_files.h"
#include "ui/list_editor.h"

TForm3* Form3 = nullptr;

TForm3::TForm3() {
  const ui::ListEditorParts parts = ui::BuildListEditor(*this, {"注文番号登録",
                                                                {200, 107, 206, 320},
                                                                {32, 24, 73, 225},
                                                                vcl::ssNone,
                                                                {120, 72, 65, 49},
                                                                "登録",
                                                                "exit"});
  Memo1 = parts.memo;
  Button1 = parts.button;
  MainMenu1 = parts.menu;
  exit1 = parts.menuItem;
  Button1->OnClick = [this] { Button1Click(); };
  exit1->OnClick = [this] { exit1Click(); };
}

void TForm3::FormCreate() { ui::LoadListEditor(*Memo1, order::kOrderNumbersFile); }

void TForm3::Button1Click() { order::SaveListText(order::kOrderNumbersFile, Memo1->Text()); }

void TForm3::exit1Click() { Hide(); }
