// The unit-price command of the main window: "１枚の値段登録".
#include <string>

#include "order/reference_files.h"
#include "ui/form1.h"
#include "vcl/input_box.h"
#include "vcl/text.h"

// Asks for the price per photo, the price box's text offered, and keeps the answer in nedan.txt
// and the price box. Cancelling keeps the offered text, which is written all the same. The box
// takes the text only once the file has it: a file that cannot be written leaves both as they
// were, and its error goes to the error box.
void TForm1::K10Click() {
  const std::string initial = Edit1->Text();
  const std::string price =
      vcl::InputBox(vcl::Sjis("１枚の値段登録"), vcl::Sjis("一枚の値段(円)は?"), initial);
  order::WriteUnitPrice(price);
  Edit1->SetText(price);
}
