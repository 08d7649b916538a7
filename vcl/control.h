// A visible component placed on a form's client area, in pixels.
#pragma once

#include <QPointer>
#include <QWidget>

#include "vcl/component.h"

namespace vcl {

class TForm;

class TControl : public TComponent {
 public:
  ~TControl() override;

  // Place and size inside the owner's client area.
  void SetBounds(int left, int top, int width, int height);
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;

  bool Visible() const;
  // A control that hides while it has the keyboard focus gives the focus back to the control of
  // its window that had it when this one was shown; when that one cannot take it (or there was
  // none), to the first control in the window's tab order that can.
  void SetVisible(bool visible);
  // Whether the focus given back by a hiding control may go to this one.
  virtual bool TakesFocusBack() const { return true; }
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Puts the control above its siblings.
  void BringToFront();

  void SetFont(const QFont& font);

  QWidget* Widget() const { return widget_; }

 protected:
  // `widget` becomes a child of the owner's client area; the control deletes it when it goes.
  TControl(TForm* owner, QWidget* widget);
  virtual void BoundsChanged() {}

 private:
  void GiveFocusBack();

  QPointer<QWidget> widget_;
  QPointer<QWidget> focusBefore_;  // where the focus was when the control was shown
};

}  // namespace vcl
