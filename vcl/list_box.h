// A list box of CP932 entries, in one column or several (entries run down a column, then on to the
// next, and the list scrolls sideways). One entry can be selected.
//
// OnClick runs when the user selects an entry: a mouse click on an entry (also on the one already
// selected) or a move of the selection with the keyboard. A change made by the program raises
// nothing.
#pragma once

#include <QListView>
#include <functional>
#include <string>
#include <vector>

#include "vcl/control.h"

namespace vcl {

class TListBox : public TControl {
 public:
  explicit TListBox(TForm* owner);
  ~TListBox() override;

  const std::vector<std::string>& Items() const { return items_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // The entry at `index`; outside the entries it throws rtl::EStringListError.
  const std::string& Item(int index) const;
  // Replaces all entries.
  void SetItems(std::vector<std::string> items);
  void Add(std::string item);
  void AddStrings(const std::vector<std::string>& items);
  // The same, taking the entries over instead of copying them.
  void AddStrings(std::vector<std::string>&& items);
  void Clear();

  // The selected entry's index, -1 when none is selected.
  int ItemIndex() const;
  void SetItemIndex(int index);

  // 0: one column that scrolls down; n > 0: columns of Width() / n pixels that scroll sideways.
  void SetColumns(int columns);
  int Columns() const { return columns_; }

  std::function<void()> OnClick;
  // A mouse click that lands on no entry (below the last one, or in an empty list).
  std::function<void()> OnBlankClick;

  QListView* View() const;

 private:
  class Model;
  class ListWidget;
  void BoundsChanged() override;
  void ItemClicked();
  void BlankClicked();

  std::vector<std::string> items_;
  Model* model_;
  int columns_ = 0;
};

}  // namespace vcl
