#include "vcl/error_box.h"

#include <QApplication>
#include <QMessageBox>

namespace vcl {

namespace {
ErrorBoxPresenter& Presenter() {
  static ErrorBoxPresenter presenter;
  return presenter;
}
}  // namespace

void ShowErrorBox(const std::string& caption, const std::string& text) {
  if (Presenter()) return Presenter()(caption, text);
  QMessageBox box(QMessageBox::Critical, QString::fromStdString(caption),
                  QString::fromStdString(text), QMessageBox::Ok, QApplication::activeWindow());
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

void SetErrorBoxPresenter(ErrorBoxPresenter presenter) { Presenter() = std::move(presenter); }

}  // namespace vcl
