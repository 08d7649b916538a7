// A one-line edit box. Its text is CP932 bytes: what the program set stays byte for byte until the
// user edits it.
//
// Like the platform's edit box it has a thin border and a pixel of margin inside it, so that a
// small box shows as much of its text as it can.
#pragma once

#include <QLineEdit>
#include <string>

#include "vcl/control.h"

namespace vcl {

class TEdit : public TControl {
 public:
  explicit TEdit(TForm* owner);

  const std::string& Text() const { return text_; }
  void SetText(std::string text);

  // Keeps `digits` digits of the box's font in view between its borders (0, the default: no
  // such promise): where they would not fit, the font is narrowed as far as needed.
  void SetDigitsInView(int digits);

  QLineEdit* LineEdit() const { return static_cast<QLineEdit*>(Widget()); }

  // Never: the next key typed, meant for the control that hid, would change the text.
  bool TakesFocusBack() const override { return false; }

 private:
  class Box;

  std::string text_;
};

}  // namespace vcl
