#include "vcl/control.h"

#include "vcl/form.h"

namespace vcl {

TControl::TControl(TForm* owner, QWidget* widget) : TComponent(owner), widget_(widget) {
  widget_->setParent(owner->Client());
  widget_->show();
}

TControl::~TControl() { delete widget_.data(); }

void TControl::SetBounds(int left, int top, int width, int height) {
  widget_->setGeometry(left, top, width, height);
  BoundsChanged();
}

int TControl::Left() const { return widget_->x(); }
int TControl::Top() const { return widget_->y(); }
int TControl::Width() const { return widget_->width(); }
int TControl::Height() const { return widget_->height(); }

bool TControl::Visible() const { return !widget_->isHidden(); }

void TControl::SetVisible(bool visible) { widget_->setVisible(visible); }

void TControl::BringToFront() { widget_->raise(); }

void TControl::SetFont(const QFont& font) {
  widget_->setFont(font);
  BoundsChanged();
}

}  // namespace vcl
