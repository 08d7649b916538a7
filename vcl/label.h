// A line of text on a form.
#pragma once

#include <QLabel>
#include <string>

#include "vcl/control.h"

namespace vcl {

class TLabel : public TControl {
 public:
  explicit TLabel(TForm* owner);

  const std::string& Caption() const { return caption_; }  // CP932
  void SetCaption(std::string caption);

  QLabel* Label() const { return static_cast<QLabel*>(Widget()); }

 private:
  std::string caption_;
};

}  // namespace vcl
