#include "ui/form2.h"

#include "order/reference_files.h"
#include "ui/list_editor.h"

TForm2* Form2 = nullptr;

TForm2::TForm2() {
  const ui::ListEditorParts parts = ui::BuildListEditor(*this, {"氏名入力",
                                                                {200, 107, 296, 300},
                                                                {24, 16, 113, 233},
                                                                vcl::ssVertical,
                                                                {184, 24, 65, 49},
                                                                "保存",
                                                                "EXIT"});
  Memo1 = parts.memo;
  Button1 = parts.button;
  MainMenu1 = parts.menu;
  EXIT1 = parts.menuItem;
  Button1->OnClick = [this] { Button1Click(); };
  EXIT1->OnClick = [this] { exitClick(); };
}

void TForm2::FormCreate() { ui::LoadListEditor(*Memo1, order::kNamesFile); }

void TForm2::Button1Click() { order::SaveListText(order::kNamesFile, Memo1->Text()); }

void TForm2::exitClick() { Hide(); }
