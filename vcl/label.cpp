#include "vcl/label.h"

#include "vcl/text.h"

namespace vcl {

TLabel::TLabel(TForm* owner) : TControl(owner, new QLabel) {
  Label()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label()->setTextFormat(Qt::PlainText);
}

void TLabel::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  Label()->setText(ToQString(caption_));
}

}  // namespace vcl
