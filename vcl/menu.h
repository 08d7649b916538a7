// The main menu of a form and its items. An item with sub-items opens a menu; an item without
// them runs its click event, also when it stands directly on the menu bar.
#pragma once

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "vcl/component.h"

namespace vcl {

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }  // CP932
  void SetCaption(std::string caption);

  void Add(TMenuItem* item);
  const std::vector<TMenuItem*>& Items() const { return items_; }

  std::function<void()> OnClick;
  // Runs OnClick as a click on the item does (errors go to the error box).
  void Click();

  // The item on screen: a menu bar entry, a menu entry, or the entry that opens its sub-menu.
  QAction* Action() const;

 private:
  friend class TMainMenu;
  void BuildInto(QWidget* parentMenu);

  std::string caption_;
  std::vector<TMenuItem*> items_;
  std::unique_ptr<QAction> action_;
  QPointer<QMenu> menu_;
};

class TMainMenu : public TComponent {
 public:
  explicit TMainMenu(TComponent* owner);

  void Add(TMenuItem* item);
  const std::vector<TMenuItem*>& Items() const { return items_; }

  // Puts the items on `bar` (TForm::SetMenu does this).
  void BuildInto(QMenuBar* bar);

 private:
  std::vector<TMenuItem*> items_;
};

}  // namespace vcl
