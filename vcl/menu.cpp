#include "vcl/menu.h"

#include "vcl/event_frame.h"
#include "vcl/text.h"

namespace vcl {

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), action_(std::make_unique<QAction>()) {
  QObject::connect(action_.get(), &QAction::triggered, [this] { Click(); });
}

TMenuItem::~TMenuItem() { delete menu_.data(); }

QAction* TMenuItem::Action() const { return menu_ ? menu_->menuAction() : action_.get(); }

void TMenuItem::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  QString text = ToQString(caption_);
  // A caption is shown as it stands: no access keys.
  text.replace('&', "&&");
  action_->setText(text);
  if (menu_) menu_->setTitle(text);
}

void TMenuItem::Add(TMenuItem* item) { items_.push_back(item); }

void TMenuItem::Click() {
  if (OnClick) CallHandler(OnClick);
}

void TMenuItem::BuildInto(QWidget* parentMenu) {
  if (items_.empty()) {
    parentMenu->addAction(action_.get());
    return;
  }
  delete menu_.data();
  menu_ = new QMenu(action_->text(), parentMenu);
  for (TMenuItem* item : items_) item->BuildInto(menu_);
  parentMenu->addAction(menu_->menuAction());
}

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner) {}

void TMainMenu::Add(TMenuItem* item) { items_.push_back(item); }

void TMainMenu::BuildInto(QMenuBar* bar) {
  bar->clear();
  for (TMenuItem* item : items_) item->BuildInto(bar);
}

}  // namespace vcl
