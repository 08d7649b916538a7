#include "vcl/form.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <algorithm>

#include "vcl/control.h"
#include "vcl/menu.h"
#include "vcl/text.h"

namespace vcl {

class TForm::FormWindow : public QMainWindow {
 public:
  explicit FormWindow(TForm* form) : form_(form) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    if (form_->OnClose) form_->OnClose();
  }

 private:
  TForm* form_;
};

TForm::TForm() : TComponent(nullptr), window_(std::make_unique<FormWindow>(this)) {
  client_ = new QWidget(window_.get());
  window_->setCentralWidget(client_);
}

TForm::~TForm() {
  // The components go first: they hold widgets and actions of this window.
  DestroyComponents();
  window_.reset();
}

void TForm::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  window_->setWindowTitle(ToQString(caption_));
}

void TForm::SetBounds(int left, int top, int width, int height) {
  left_ = left, top_ = top, width_ = width, height_ = height;
  ApplyGeometry();
}

int TForm::ClientWidth() const { return width_ - 2 * kBorder; }
int TForm::ClientHeight() const {
  return height_ - 2 * kBorder - kCaptionBar - (menu_ ? kMenuBar : 0);
}

void TForm::ApplyGeometry() {
  // The window system draws its own frame around the window; the client area keeps the size it
  // had inside the frame the sizes were given for, so controls keep their places.
  const int menuHeight = menu_ ? window_->menuBar()->sizeHint().height() : 0;
  window_->move(left_, top_);
  window_->resize(std::max(ClientWidth(), 1), std::max(menuHeight + ClientHeight(), 1));
}

void TForm::SetFont(const QFont& font) {
  window_->setFont(font);
  ApplyGeometry();
}

void TForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  menu->BuildInto(window_->menuBar());
  ApplyGeometry();
}

bool TForm::Visible() const { return window_->isVisible(); }

void TForm::Show() {
  window_->show();
  window_->raise();
  window_->activateWindow();
}

void TForm::Hide() { window_->hide(); }

void TForm::Close() { window_->close(); }

void TForm::SetTabOrder(std::initializer_list<TControl*> controls) {
  tabOrder_.assign(controls);
  const TControl* previous = nullptr;
  for (TControl* control : controls) {
    if (previous) QWidget::setTabOrder(previous->Widget(), control->Widget());
    previous = control;
  }
}

}  // namespace vcl
