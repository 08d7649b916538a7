// A one-line edit box. Its text is CP932 bytes: what the program set stays byte for byte until the
// user edits it.
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

  QLineEdit* LineEdit() const { return static_cast<QLineEdit*>(Widget()); }

  // Never: the next key typed, meant for the control that hid, would change the text.
  bool TakesFocusBack() const override { return false; }

 private:
  std::string text_;
};

}  // namespace vcl
