#include "ui/form1.h"

#include <exception>
#include <string>
#include <vector>

#include "order/entry.h"
#include "order/reference_files.h"
#include "order/tally.h"
#include "page/print_page.h"
#include "rtl/clock.h"
#include "rtl/date_time.h"
#include "rtl/process_exit.h"
#include "vcl/application.h"
#include "vcl/fonts.h"
#include "vcl/help_engine.h"
#include "vcl/text.h"

TForm1* Form1 = nullptr;

namespace {

vcl::TMenuItem* NewItem(vcl::TForm* owner, const char* caption, std::function<void()> onClick) {
  auto* item = new vcl::TMenuItem(owner);
  item->SetCaption(vcl::Sjis(caption));
  item->OnClick = std::move(onClick);
  return item;
}

}  // namespace

TForm1::TForm1() {
  using vcl::Sjis;
  SetCaption(Sjis("写真注文集計"));
  SetFont(vcl::PixelFont(vcl::kMsPGothic, 12));

  StringGrid1 = new ui::SheetGrid(this);
  StringGrid1->SetBounds(16, 8, 433, 305);
  StringGrid1->SetFont(vcl::PixelFont(vcl::kMsPGothic, 13));

  MainMenu1 = new vcl::TMainMenu(this);
  Exit1 = NewItem(this, "ファイル", nullptr);
  Print1 = NewItem(this, "表示", nullptr);

  ListBox1 = new vcl::TListBox(this);
  ListBox1->SetBounds(464, 8, 129, 305);
  ListBox1->SetColumns(3);
  ListBox1->OnClick = [this] { ListBox1Click(); };

  Button1 = new vcl::TButton(this);
  Button1->SetBounds(560, 296, 33, 17);
  Button1->SetCaption(Sjis("改行"));
  Button1->OnClick = [this] { Button1Click(); };

  K3 = NewItem(this, "氏名入力", [this] { K3Click(); });
  K4 = NewItem(this, "設定", nullptr);
  K5 = NewItem(this, "注文番号登録", [this] { K5Click(); });
  K1 = NewItem(this, "終了", [this] { K1Click(); });
  K2 = NewItem(this, "読み込み", [this] { K2Click(); });
  K6 = NewItem(this, "保存", [this] { K6Click(); });

  OpenDialog1 = new vcl::TOpenDialog(this);
  SaveDialog1 = new vcl::TSaveDialog(this);
  for (vcl::TOpenDialog* dialog : {OpenDialog1, static_cast<vcl::TOpenDialog*>(SaveDialog1)}) {
    dialog->SetDefaultExt("txt");
    dialog->SetFilter(Sjis("写真注文データ|*.txt"));
  }

  K7 = NewItem(this, "個人毎集計", [this] { K7Click(); });
  K9 = NewItem(this, "全集計詳細", [this] { K9Click(); });

  ListBox2 = new vcl::TListBox(this);
  ListBox2->SetBounds(8, 88, 593, 81);
  ListBox2->Hide();
  ListBox2->OnClick = [this] { ListBox2Click(); };
  // An empty result list has no entry to click; a click anywhere on it hides it all the same.
  ListBox2->OnBlankClick = [this] { ListBox2Click(); };

  K10 = NewItem(this, "１枚の値段登録", [this] { K10Click(); });

  Edit1 = new vcl::TEdit(this);
  Edit1->SetBounds(520, 320, 25, 20);
  Edit1->SetText(order::kDefaultUnitPrice);
  Edit1->SetDigitsInView(4);  // a price up to 9999 円 shows whole

  Label1 = new vcl::TLabel(this);
  Label1->SetBounds(552, 320, 36, 12);
  Label1->SetCaption(Sjis("円／枚"));

  Print2 = NewItem(this, "印刷設定", [this] { Print2Click(); });
  Print3 = NewItem(this, "印刷", [this] { Print3Click(); });

  Label2 = new vcl::TLabel(this);
  Label2->SetBounds(176, 320, 161, 17);

  K8 = NewItem(this, "ヘルプ", [this] { K8Click(); });
  PrinterSetupDialog1 = new vcl::TPrinterSetupDialog(this);

  Exit1->Add(K2);
  Exit1->Add(K6);
  Exit1->Add(K1);
  K4->Add(K3);
  K4->Add(K5);
  K4->Add(K10);
  Print1->Add(K7);
  Print1->Add(K9);
  for (vcl::TMenuItem* item : {Exit1, K4, Print1, Print2, Print3, K8}) MainMenu1->Add(item);
  SetMenu(MainMenu1);

  // Undo and redo of the sheet; in an open cell editor or the price box they undo the typing.
  AddShortcut("Ctrl+Z", FieldCommand::kUndo, [this] { StringGrid1->Undo(); });
  AddShortcut("Ctrl+Shift+Z", FieldCommand::kRedo, [this] { StringGrid1->Redo(); });
  AddShortcut("Ctrl+Y", FieldCommand::kRedo, [this] { StringGrid1->Redo(); });
  OnDropFiles = [this](const std::vector<std::string>& paths) { DropOrderFile(paths.front()); };

  SetTabOrder({StringGrid1, ListBox1, Button1, ListBox2, Edit1});
  SetBounds(42, 75, 622, 389);
  SetVisibleAtCreation(true);
}

void TForm1::FormCreate() {
  Label2->SetCaption(page::CreationDateText(rtl::Now()));
  order::ReferenceData reference = order::ReadReferenceFiles(StringGrid1->Sheet());
  Edit1->SetText(std::move(reference.price));
  // The error goes to the error box; the picker stays empty.
  if (reference.error) std::rethrow_exception(reference.error);
  ListBox1->SetItems(std::move(reference.entries));
}

void TForm1::ListBox1Click() {
  order::SheetHistory::Change change(StringGrid1->History(), StringGrid1->Sheet());
  StringGrid1->History().Touch(StringGrid1->Sheet().Col(), StringGrid1->Sheet().Row());
  order::PickEntry(StringGrid1->Sheet(), ListBox1->Items(), ListBox1->ItemIndex());
}

void TForm1::Button1Click() { order::NextLine(StringGrid1->Sheet()); }

void TForm1::K7Click() {
  ListBox2->Clear();
  ListBox2->Show();
  ListBox2->AddStrings(order::PerPersonTally(StringGrid1->Sheet(), Edit1->Text()));
}

void TForm1::K9Click() {
  ListBox2->Clear();
  ListBox2->Show();
  ListBox2->AddStrings(
      order::PerOrderTally(StringGrid1->Sheet(), ListBox1->Items(), Edit1->Text()));
}

void TForm1::ListBox2Click() { ListBox2->Hide(); }

void TForm1::K1Click() { rtl::Exit(0); }

void TForm1::K8Click() {
  vcl::Application->SetHelpFile("VELMORA.hlp");
  vcl::Application->HelpCommand(vcl::HELP_CONTENTS, 0);
}
