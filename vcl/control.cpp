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

void TControl::SetVisible(bool visible) {
  if (visible == Visible()) return;
  if (visible) {
    QWidget* focus = widget_->window()->focusWidget();
    focusBefore_ = focus && !widget_->isAncestorOf(focus) ? focus : nullptr;
  } else {
    GiveFocusBack();
  }
  widget_->setVisible(visible);
}

// Left to itself, Qt hands the focus of a hidden widget to the next one in the tab order, which
// may be a box that then takes the next key typed.
void TControl::GiveFocusBack() {
  QWidget* window = widget_->window();
  QWidget* focus = window->focusWidget();
  const QPointer<QWidget> before = focusBefore_;
  focusBefore_ = nullptr;
  if (!focus || (focus != widget_ && !widget_->isAncestorOf(focus))) return;
  const TForm* form = dynamic_cast<const TForm*>(Owner());
  const auto canTake = [&](const QWidget* w) {
    if (!w || w == widget_ || widget_->isAncestorOf(w) || w->window() != window ||
        !w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus))
      return false;
    if (form)
      for (const TControl* control : form->TabOrder())
        if (control->Widget() == w || control->Widget()->isAncestorOf(w))
          return control->TakesFocusBack();
    return true;
  };
  QWidget* target = canTake(before) ? before.data() : nullptr;
  if (!target && form)
    for (const TControl* control : form->TabOrder())
      if (canTake(control->Widget())) {
        target = control->Widget();
        break;
      }
  if (target)
    target->setFocus(Qt::OtherFocusReason);
  else
    focus->clearFocus();  // no key for anyone rather than one for a box that did not ask
}

void TControl::BringToFront() { widget_->raise(); }

void TControl::SetFont(const QFont& font) {
  widget_->setFont(font);
  BoundsChanged();
}

}  // namespace vcl
