#include "ui/form3.h"

#include "order/file_io.h"
#include "order/reference_files.h"
#include "vcl/fonts.h"
#include "vcl/text.h"

TForm3* Form3 = nullptr;

static_assert(vcl::TMemo::kMaxLength == order::kEditorCapacity,
              "the memo must hold every text LoadListText gives");

TForm3::TForm3() {
  using vcl::Sjis;
  SetCaption(Sjis("注文番号登録"));
  SetFont(vcl::PixelFont(vcl::kMsPGothic, 12));

  Memo1 = new vcl::TMemo(this);
  Memo1->SetBounds(32, 24, 73, 225);
  Memo1->SetScrollBars(vcl::ssNone);
  Memo1->SetWordWrap(true);
  Memo1->SetText("\r\n");  // one empty line

  Button1 = new vcl::TButton(this);
  Button1->SetBounds(120, 72, 65, 49);
  Button1->SetCaption(Sjis("登録"));
  Button1->OnClick = [this] { Button1Click(); };

  MainMenu1 = new vcl::TMainMenu(this);
  exit1 = new vcl::TMenuItem(this);
  exit1->SetCaption("exit");
  exit1->OnClick = [this] { exit1Click(); };
  MainMenu1->Add(exit1);
  SetMenu(MainMenu1);

  SetTabOrder({Memo1, Button1});
  SetBounds(200, 107, 206, 320);
  SetVisibleAtCreation(false);
}

void TForm3::FormCreate() {
  if (order::FileExists(order::kOrderNumbersFile))
    Memo1->SetText(order::LoadListText(order::kOrderNumbersFile));
}

void TForm3::Button1Click() { order::SaveListText(order::kOrderNumbersFile, Memo1->Text()); }

void TForm3::exit1Click() { Hide(); }
