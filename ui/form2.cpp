#include "ui/form2.h"

#include "order/file_io.h"
#include "order/reference_files.h"
#include "vcl/fonts.h"
#include "vcl/text.h"

TForm2* Form2 = nullptr;

static_assert(vcl::TMemo::kMaxLength == order::kEditorCapacity,
              "the memo must hold every text LoadListText gives");

TForm2::TForm2() {
  using vcl::Sjis;
  SetCaption(Sjis("氏名入力"));
  SetFont(vcl::PixelFont(vcl::kMsPGothic, 12));

  Memo1 = new vcl::TMemo(this);
  Memo1->SetBounds(24, 16, 113, 233);
  Memo1->SetScrollBars(vcl::ssVertical);
  Memo1->SetWordWrap(true);
  Memo1->SetText("\r\n");  // one empty line

  Button1 = new vcl::TButton(this);
  Button1->SetBounds(184, 24, 65, 49);
  Button1->SetCaption(Sjis("保存"));
  Button1->OnClick = [this] { Button1Click(); };

  MainMenu1 = new vcl::TMainMenu(this);
  EXIT1 = new vcl::TMenuItem(this);
  EXIT1->SetCaption("EXIT");
  EXIT1->OnClick = [this] { exitClick(); };
  MainMenu1->Add(EXIT1);
  SetMenu(MainMenu1);

  SetTabOrder({Memo1, Button1});
  SetBounds(200, 107, 296, 300);
  SetVisibleAtCreation(false);
}

void TForm2::FormCreate() {
  if (order::FileExists(order::kNamesFile)) Memo1->SetText(order::LoadListText(order::kNamesFile));
}

void TForm2::Button1Click() { order::SaveListText(order::kNamesFile, Memo1->Text()); }

void TForm2::exitClick() { Hide(); }
