#include "vcl/string_grid.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QValidator>

#include "vcl/event_frame.h"
#include "vcl/text.h"

namespace vcl {

// Cell (c, r) of the data is item (r - 1, c - 1) of the model; row 0 and column 0 are the header
// sections, cell (0, 0) the corner.
//
// The data tells the grid of a new row count after it changed, but a view must see the old count
// until rows are announced as inserted or removed: the model keeps the counts it has announced.
class TStringGrid::Model : public QAbstractTableModel {
 public:
  Model(TStringGrid* grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid) {}

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : columns_;
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if ((role != Qt::DisplayRole && role != Qt::EditRole) || !index.isValid()) return {};
    return ToQString(grid_->data_->Cell(index.column() + 1, index.row() + 1));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || !grid_->data_) return {};
    return orientation == Qt::Horizontal ? ToQString(grid_->data_->Cell(section + 1, 0))
                                         : ToQString(grid_->data_->Cell(0, section + 1));
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }
  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (role != Qt::EditRole || !index.isValid() || !grid_->data_) return false;
    // A text that reads as the cell already does keeps the cell's bytes: some characters have
    // two CP932 codes, and encoding again would swap one for the other.
    const QString shown = value.toString();
    if (shown == ToQString(grid_->data_->Cell(index.column() + 1, index.row() + 1))) return true;
    const std::string text = FromQString(shown);
    CallHandler([&] { grid_->data_->SetCell(index.column() + 1, index.row() + 1, text); });
    return true;
  }

  void Reset() {
    beginResetModel();
    const GridData* data = grid_->data_;
    rows_ = data ? std::max(data->RowCount() - 1, 0) : 0;
    columns_ = data ? std::max(data->ColCount() - 1, 0) : 0;
    endResetModel();
  }
  void ItemChanged(int row, int col) { emit dataChanged(index(row, col), index(row, col)); }
  void SectionChanged(Qt::Orientation orientation, int section) {
    emit headerDataChanged(orientation, section, section);
  }
  void RowsAdded(int first, int last) {
    beginInsertRows({}, first, last);
    rows_ += last - first + 1;
    endInsertRows();
  }
  void RowsRemoved(int first, int last) {
    beginRemoveRows({}, first, last);
    rows_ -= last - first + 1;
    endRemoveRows();
  }

 private:
  TStringGrid* grid_;
  int rows_ = 0;  // as announced to the views
  int columns_ = 0;
};

namespace {

// Keeps the cell editor's text on one line: a TAB, CR or LF typed, pasted or dropped is dropped,
// the rest of the text stays. A cell holding one would split into two fields or two lines when
// the sheet is saved.
class SingleLineValidator : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override {
    for (qsizetype i = input.size(); i-- > 0;) {
      const QChar c = input[i];
      if (c != '\t' && c != '\r' && c != '\n') continue;
      input.remove(i, 1);
      if (i < pos) --pos;
    }
    return Acceptable;
  }
};

// Draws a cell's text as every cell has it, fixed or not: on one line, from 2 pixels inside the
// cell's left and top edges, cut at its edges. `cell` leaves out the grid lines.
void DrawCellText(QPainter* painter, const QRect& cell, const QString& text, const QColor& colour,
                  const QFont& font) {
  if (text.isEmpty()) return;
  constexpr int kInset = 2;
  painter->save();
  painter->setClipRect(cell);
  painter->setFont(font);
  painter->setPen(colour);
  painter->drawText(cell.adjusted(kInset, kInset, 0, 0),
                    Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  painter->restore();
}

}  // namespace

// Draws a cell's text (see DrawCellText) and edits it in a line editor that writes every change
// to the cell at once.
class TStringGrid::Delegate : public QStyledItemDelegate {
 public:
  Delegate(TStringGrid* grid, QObject* parent) : QStyledItemDelegate(parent), grid_(grid) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    widget->style()->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
    const bool selected = opt.state & QStyle::State_Selected;
    DrawCellText(painter, option.rect, text,
                 opt.palette.color(selected ? QPalette::HighlightedText : QPalette::Text),
                 opt.font);
  }

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                        const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setTextMargins(0, 0, 0, 0);
    editor->setValidator(new SingleLineValidator(editor));
    auto* model = const_cast<QAbstractItemModel*>(index.model());
    const QPersistentModelIndex cell(index);
    QObject::connect(editor, &QLineEdit::textEdited, editor, [model, cell](const QString& text) {
      if (cell.isValid()) model->setData(cell, text, Qt::EditRole);
    });
    if (grid_->OnEditorOpened)
      CallHandler([&] { grid_->OnEditorOpened(index.column() + 1, index.row() + 1); });
    return editor;
  }

  void destroyEditor(QWidget* editor, const QModelIndex& index) const override {
    if (grid_->OnEditorClosed) CallHandler(grid_->OnEditorClosed);
    QStyledItemDelegate::destroyEditor(editor, index);
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line->text() == text) return;  // the cell already holds what is typed: keep the cursor
    const int cursor = line->cursorPosition();
    line->setText(text);
    line->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override {
    model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
  }

 private:
  TStringGrid* grid_;
};

// Paints cell (0, 0) on the table's corner button, as a header section.
class TStringGrid::CornerPainter : public QObject {
 public:
  explicit CornerPainter(TStringGrid* grid) : QObject(grid->View()), grid_(grid) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint) return false;
    auto* button = static_cast<QWidget*>(watched);
    QPainter painter(button);
    QStyleOptionHeader opt;
    opt.initFrom(button);
    // The button is disabled (a click on it selects nothing), but the cell is drawn as the other
    // fixed cells are.
    opt.state |= QStyle::State_Enabled | QStyle::State_Raised;
    opt.palette.setCurrentColorGroup(QPalette::Active);
    opt.rect = button->rect();
    opt.position = QStyleOptionHeader::OnlyOneSection;
    button->style()->drawControl(QStyle::CE_Header, &opt, &painter, button);
    if (grid_->data_)
      DrawCellText(&painter, grid_->FixedCellArea(opt.rect), ToQString(grid_->data_->Cell(0, 0)),
                   opt.palette.color(QPalette::ButtonText), grid_->View()->font());
    return true;
  }

 private:
  TStringGrid* grid_;
};

// The fixed row or column: its sections drawn as header sections with their text as every cell
// has it, and past the last section the grid's plain background, as below the last row.
class TStringGrid::FixedCells : public QHeaderView {
 public:
  FixedCells(Qt::Orientation orientation, TStringGrid* grid)
      : QHeaderView(orientation, grid->View()), grid_(grid) {}

 protected:
  void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
    QStyleOptionHeader opt;
    initStyleOption(&opt);
    initStyleOptionForIndex(&opt, logicalIndex);
    opt.rect = rect;
    const QString text = opt.text;
    opt.text.clear();
    style()->drawControl(QStyle::CE_Header, &opt, painter, this);
    DrawCellText(painter, grid_->FixedCellArea(rect), text, opt.palette.color(QPalette::ButtonText),
                 font());
  }

  void paintEvent(QPaintEvent* event) override {
    QHeaderView::paintEvent(event);
    const int end = length() - offset();
    const QRect all = viewport()->rect();
    const QRect beyond = orientation() == Qt::Horizontal
                             ? QRect(QPoint(end, all.top()), all.bottomRight())
                             : QRect(QPoint(all.left(), end), all.bottomRight());
    if (beyond.isEmpty()) return;
    const QWidget* cells = grid_->View()->viewport();
    QPainter painter(viewport());
    painter.fillRect(beyond, cells->palette().brush(cells->backgroundRole()));
  }

 private:
  TStringGrid* grid_;
};

QRect TStringGrid::FixedCellArea(const QRect& section) const {
  return section.adjusted(0, 0, -lineWidth_, -lineWidth_);
}

TStringGrid::TStringGrid(TForm* owner) : TControl(owner, new QTableView) {
  QTableView* view = View();
  view->setHorizontalHeader(new FixedCells(Qt::Horizontal, this));
  view->setVerticalHeader(new FixedCells(Qt::Vertical, this));
  model_ = new Model(this, view);
  view->setModel(model_);
  view->setItemDelegate(new Delegate(this, view));
  view->setSelectionMode(QAbstractItemView::ContiguousSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectItems);
  view->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked |
                        QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  view->setWordWrap(false);
  view->setTabKeyNavigation(false);  // Tab leaves the grid for the next control
  view->setCornerButtonEnabled(false);
  view->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  for (QHeaderView* header : {view->horizontalHeader(), view->verticalHeader()}) {
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setMinimumSectionSize(1);
    header->setHighlightSections(false);
    header->setSectionsClickable(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  }
  if (auto* corner = view->findChild<QAbstractButton*>())
    corner->installEventFilter(new CornerPainter(this));
  QObject::connect(view->selectionModel(), &QItemSelectionModel::currentChanged, view,
                   [this](const QModelIndex& current) {
                     if (!syncing_ && current.isValid()) UserMovedTo(current);
                   });
  ApplySizes();
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::SetData(GridData* data) {
  data_ = data;
  DataReset();
}

void TStringGrid::SetDefaultRowHeight(int pixels) {
  rowHeight_ = pixels;
  ApplySizes();
}

void TStringGrid::SetGridLineWidth(int pixels) {
  lineWidth_ = pixels;
  View()->setShowGrid(pixels > 0);
  ApplySizes();
}

void TStringGrid::ApplySizes() {
  QTableView* view = View();
  // Qt draws a grid line inside each section; the sizes given leave it out.
  view->verticalHeader()->setDefaultSectionSize(rowHeight_ + lineWidth_);
  view->horizontalHeader()->setFixedHeight(rowHeight_ + lineWidth_);
  if (!data_) return;
  view->verticalHeader()->setFixedWidth(data_->ColWidth(0) + lineWidth_);
  QHeaderView* columns = view->horizontalHeader();
  for (int c = 1; c < data_->ColCount(); ++c) {
    const int width = data_->ColWidth(c) + lineWidth_;
    if (columns->sectionSize(c - 1) != width) columns->resizeSection(c - 1, width);
  }
}

void TStringGrid::CellChanged(int col, int row) {
  if (!data_ || col >= data_->ColCount() || row >= data_->RowCount()) return;
  if (col == 0 && row == 0) {
    if (auto* corner = View()->findChild<QAbstractButton*>()) corner->update();
  } else if (row == 0) {
    model_->SectionChanged(Qt::Horizontal, col - 1);
  } else if (col == 0) {
    model_->SectionChanged(Qt::Vertical, row - 1);
  } else {
    model_->ItemChanged(row - 1, col - 1);
  }
}

void TStringGrid::RowCountChanged(int oldCount, int newCount) {
  syncing_ = true;
  if (newCount > oldCount)
    model_->RowsAdded(std::max(oldCount - 1, 0), newCount - 2);
  else if (newCount < oldCount)
    model_->RowsRemoved(std::max(newCount - 1, 0), oldCount - 2);
  syncing_ = false;
  SyncCurrent();
}

void TStringGrid::CurrentCellChanged() { SyncCurrent(); }

void TStringGrid::ColWidthChanged(int) { ApplySizes(); }

void TStringGrid::DataReset() {
  syncing_ = true;
  model_->Reset();
  syncing_ = false;
  ApplySizes();
  SyncCurrent();
}

void TStringGrid::SyncCurrent() {
  if (!data_) return;
  const int col = data_->Col(), row = data_->Row();
  if (col < 1 || row < 1 || col >= data_->ColCount() || row >= data_->RowCount()) return;
  syncing_ = true;
  const QModelIndex index = model_->index(row - 1, col - 1);
  View()->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
  View()->scrollTo(index);
  syncing_ = false;
}

void TStringGrid::UserMovedTo(const QModelIndex& index) {
  CallHandler([&] { data_->MoveTo(index.column() + 1, index.row() + 1); });
}

QRect TStringGrid::CellRect(int col, int row) const {
  if (col < 1 || row < 1) return {};
  return View()->visualRect(model_->index(row - 1, col - 1));
}

}  // namespace vcl
