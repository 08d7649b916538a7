#include "vcl/edit.h"

#include "vcl/text.h"

namespace vcl {

TEdit::TEdit(TForm* owner) : TControl(owner, new QLineEdit) {
  QObject::connect(LineEdit(), &QLineEdit::textEdited, [this](const QString& typed) {
    text_ = FromQString(typed);
    // A character without a CP932 form is a "?" in the text: show it as such.
    const QString stored = ToQString(text_);
    if (stored != typed) {
      const int cursor = LineEdit()->cursorPosition();
      LineEdit()->setText(stored);
      LineEdit()->setCursorPosition(cursor);
    }
  });
}

void TEdit::SetText(std::string text) {
  text_ = std::move(text);
  // A line end (a price file's first line keeps its LF) is not drawn; the bytes stay in Text().
  LineEdit()->setText(ToOneLineQString(text_));
  LineEdit()->setCursorPosition(0);
}

}  // namespace vcl
