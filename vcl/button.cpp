#include "vcl/button.h"

#include "vcl/event_frame.h"
#include "vcl/text.h"

namespace vcl {

TButton::TButton(TForm* owner) : TControl(owner, new QPushButton) {
  QObject::connect(Button(), &QPushButton::clicked, [this] {
    if (OnClick) CallHandler(OnClick);
  });
}

void TButton::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  QString text = ToQString(caption_);
  text.replace('&', "&&");
  Button()->setText(text);
}

}  // namespace vcl
