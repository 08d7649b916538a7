#include "vcl/error_box.h"

#include <QApplication>
#include <QMessageBox>

#include "rtl/seam.h"

namespace vcl {

namespace {
rtl::Hook<void(const std::string&, const std::string&)>& Presenter() {
  static rtl::Hook<void(const std::string&, const std::string&)> presenter;
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

void SetErrorBoxPresenter(ErrorBoxPresenter presenter) { Presenter().Set(std::move(presenter)); }

}  // namespace vcl
