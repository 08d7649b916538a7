// A push button with a caption and a click event.
#pragma once

#include <QPushButton>
#include <functional>
#include <string>

#include "vcl/control.h"

namespace vcl {

class TButton : public TControl {
 public:
  explicit TButton(TForm* owner);

  const std::string& Caption() const { return caption_; }  // CP932
  void SetCaption(std::string caption);

  std::function<void()> OnClick;

  QPushButton* Button() const { return static_cast<QPushButton*>(Widget()); }

 private:
  std::string caption_;
};

}  // namespace vcl
