#include "vcl/list_box.h"

#include <QAbstractListModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>
#include <iterator>

#include "rtl/exception.h"
#include "vcl/event_frame.h"
#include "vcl/text.h"

namespace vcl {

class TListBox::Model : public QAbstractListModel {
 public:
  static constexpr size_t kShownBytes = 4096;

  Model(const std::vector<std::string>& items, QObject* parent)
      : QAbstractListModel(parent), items_(items) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(items_.size());
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    // An entry is shown up to its first kShownBytes bytes: no list box is that wide, and laying
    // out a tally line of a hundred thousand characters would cost more than the tally.
    return ToQString(
        std::string_view(items_[static_cast<size_t>(index.row())]).substr(0, kShownBytes));
  }

  void BeginReset() { beginResetModel(); }
  void EndReset() { endResetModel(); }
  void BeginAppend(int first, int last) { beginInsertRows({}, first, last); }
  void EndAppend() { endInsertRows(); }

 private:
  const std::vector<std::string>& items_;
};

class TListBox::ListWidget : public QListView {
 public:
  explicit ListWidget(TListBox* box) : box_(box) {}

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QListView::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    const QModelIndex hit = indexAt(event->position().toPoint());
    if (!hit.isValid())
      box_->BlankClicked();
    else if (hit == currentIndex())
      box_->ItemClicked();
  }
  void keyPressEvent(QKeyEvent* event) override {
    // With no entry selected, the first arrow key selects the entry the keyboard stands on (the
    // first one after Tab brought the focus here) rather than moving past it.
    static constexpr int kArrows[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right};
    if (box_->ItemIndex() < 0 && currentIndex().isValid() &&
        std::find(std::begin(kArrows), std::end(kArrows), event->key()) != std::end(kArrows)) {
      setCurrentIndex(currentIndex());
      event->accept();
      box_->ItemClicked();
      return;
    }
    const QPersistentModelIndex before = currentIndex();
    QListView::keyPressEvent(event);
    if (currentIndex().isValid() && currentIndex() != before) box_->ItemClicked();
  }
  // A click selects the entry under it whatever keys are held: Ctrl would otherwise take the
  // selection off the selected entry, and the click would pick with none selected.
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override {
    const QItemSelectionModel::SelectionFlags flags = QListView::selectionCommand(index, event);
    if (index.isValid() && (flags & QItemSelectionModel::Deselect))
      return QItemSelectionModel::ClearAndSelect;
    return flags;
  }

 private:
  TListBox* box_;
};

TListBox::TListBox(TForm* owner) : TControl(owner, new ListWidget(this)) {
  model_ = new Model(items_, View());
  QListView* view = View();
  view->setModel(model_);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setUniformItemSizes(true);
  view->setTextElideMode(Qt::ElideNone);
}

TListBox::~TListBox() = default;

QListView* TListBox::View() const { return static_cast<QListView*>(Widget()); }

const std::string& TListBox::Item(int index) const {
  if (index < 0 || index >= Count()) throw rtl::EStringListError();
  return items_[static_cast<size_t>(index)];
}

void TListBox::SetItems(std::vector<std::string> items) {
  model_->BeginReset();
  items_ = std::move(items);
  model_->EndReset();
}

void TListBox::Add(std::string item) {
  model_->BeginAppend(Count(), Count());
  items_.push_back(std::move(item));
  model_->EndAppend();
}

void TListBox::AddStrings(const std::vector<std::string>& items) {
  if (items.empty()) return;
  model_->BeginAppend(Count(), Count() + static_cast<int>(items.size()) - 1);
  items_.insert(items_.end(), items.begin(), items.end());
  model_->EndAppend();
}

void TListBox::AddStrings(std::vector<std::string>&& items) {
  if (items.empty()) return;
  model_->BeginAppend(Count(), Count() + static_cast<int>(items.size()) - 1);
  if (items_.empty())
    items_ = std::move(items);
  else
    items_.insert(items_.end(), std::make_move_iterator(items.begin()),
                  std::make_move_iterator(items.end()));
  model_->EndAppend();
}

void TListBox::Clear() { SetItems({}); }

int TListBox::ItemIndex() const {
  const QModelIndexList selected = View()->selectionModel()->selectedIndexes();
  return selected.isEmpty() ? -1 : selected.front().row();
}

void TListBox::SetItemIndex(int index) {
  if (index < 0 || index >= Count()) {
    View()->selectionModel()->clear();
    return;
  }
  View()->setCurrentIndex(model_->index(index));
}

void TListBox::SetColumns(int columns) {
  columns_ = columns;
  BoundsChanged();
}

void TListBox::BoundsChanged() {
  QListView* view = View();
  const int itemHeight = view->fontMetrics().height();
  if (columns_ > 0) {
    view->setFlow(QListView::TopToBottom);
    view->setWrapping(true);
    view->setResizeMode(QListView::Adjust);
    view->setGridSize(QSize(std::max(Width() / columns_, 1), itemHeight));
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  } else {
    view->setFlow(QListView::TopToBottom);
    view->setWrapping(false);
    view->setGridSize(QSize());
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  }
}

void TListBox::ItemClicked() {
  if (OnClick) CallHandler(OnClick);
}

void TListBox::BlankClicked() {
  if (OnBlankClick) CallHandler(OnBlankClick);
}

}  // namespace vcl
