// The main window "写真注文集計": the order sheet, the picker of order numbers, the result list,
// the price box, the creation date and the main menu.
#pragma once

#include <string>

#include "ui/sheet_grid.h"
#include "vcl/button.h"
#include "vcl/edit.h"
#include "vcl/file_dialog.h"
#include "vcl/form.h"
#include "vcl/label.h"
#include "vcl/list_box.h"
#include "vcl/menu.h"
#include "vcl/printer_setup_dialog.h"

class TForm1 : public vcl::TForm {
 public:
  TForm1();

  ui::SheetGrid* StringGrid1;
  vcl::TMainMenu* MainMenu1;
  vcl::TMenuItem* Exit1;   // "ファイル"
  vcl::TMenuItem* Print1;  // "表示"
  vcl::TListBox* ListBox1;
  vcl::TButton* Button1;
  vcl::TMenuItem* K3;  // "設定" → "氏名入力"
  vcl::TMenuItem* K4;  // "設定"
  vcl::TMenuItem* K5;  // "設定" → "注文番号登録"
  vcl::TMenuItem* K1;  // "ファイル" → "終了"
  vcl::TMenuItem* K2;  // "ファイル" → "読み込み"
  vcl::TMenuItem* K6;  // "ファイル" → "保存"
  vcl::TOpenDialog* OpenDialog1;
  vcl::TSaveDialog* SaveDialog1;
  vcl::TMenuItem* K7;  // "表示" → "個人毎集計"
  vcl::TMenuItem* K9;  // "表示" → "全集計詳細"
  vcl::TListBox* ListBox2;
  vcl::TMenuItem* K10;  // "設定" → "１枚の値段登録"
  vcl::TEdit* Edit1;
  vcl::TLabel* Label1;
  vcl::TMenuItem* Print2;  // "印刷設定"
  vcl::TMenuItem* Print3;  // "印刷"
  vcl::TLabel* Label2;
  vcl::TMenuItem* K8;  // "ヘルプ"
  vcl::TPrinterSetupDialog* PrinterSetupDialog1;

  void FormCreate() override;
  void ListBox1Click();
  void Button1Click();
  void K3Click();
  void K5Click();
  void K1Click();
  void K2Click();
  void K6Click();
  void K7Click();
  void K10Click();
  void ListBox2Click();
  void K9Click();
  void Print2Click();
  void Print3Click();
  void K8Click();

 private:
  // Reads the file named in OpenDialog1 into the sheet, as one change that can be undone.
  void ReadOpenDialogFile();
  // An order file dropped on the window: loaded as if chosen in OpenDialog1.
  void DropOrderFile(const std::string& path);
};

extern TForm1* Form1;
