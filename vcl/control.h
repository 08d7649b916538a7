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
  void SetVisible(bool visible);
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
  QPointer<QWidget> widget_;
};

}  // namespace vcl
