#include "ui/form3.h"

#include "vcl/text.h"

TForm3* Form3 = nullptr;

TForm3::TForm3() { SetCaption(vcl::Sjis("注文番号登録")); }
