#include "ui/form2.h"

#include "vcl/text.h"

TForm2* Form2 = nullptr;

TForm2::TForm2() { SetCaption(vcl::Sjis("氏名入力")); }
