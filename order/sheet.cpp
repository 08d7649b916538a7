#include "order/sheet.h"

#include <algorithm>
#include <cassert>

#include "rtl/exception.h"

namespace order {

Sheet::Sheet() : colWidths_(ColCount, DefaultColWidth) {}

const RowCells* Sheet::FindRow(int row) const {
  if (row >= 0 && static_cast<size_t>(row) < dense_.size())
    return &dense_[static_cast<size_t>(row)];
  const auto it = sparse_.find(row);
  return it == sparse_.end() ? nullptr : &it->second;
}

RowCells& Sheet::MutableRow(int row) {
  const size_t r = static_cast<size_t>(row);
  if (r >= dense_.size() && r < std::max<size_t>(1024, 2 * dense_.size())) {
    // Close enough to the dense rows: grow them over it, taking in the sparse rows on the way.
    dense_.resize(r + 1);
    for (auto it = sparse_.begin(); it != sparse_.end();) {
      const size_t at = static_cast<size_t>(it->first);
      if (at < dense_.size()) {
        dense_[at] = std::move(it->second);
        it = sparse_.erase(it);
      } else {
        ++it;
      }
    }
  }
  return r < dense_.size() ? dense_[r] : sparse_[row];
}

void Sheet::DropIfEmpty(int row) {
  if (static_cast<size_t>(row) >= dense_.size()) {
    const auto it = sparse_.find(row);
    if (it != sparse_.end() && it->second.empty()) sparse_.erase(it);
  }
}

std::string_view Sheet::Cell(int col, int row) const {
  const RowCells* cells = FindRow(row);
  return cells ? cells->Text(col) : std::string_view();
}

void Sheet::SetCell(int col, int row, std::string_view text) {
  assert(col >= 0 && row >= 0);
  if (text.empty() && !FindRow(row)) return;
  const bool changed = MutableRow(row).Set(col, text);
  DropIfEmpty(row);
  if (changed) NotifyCell(col, row);
}

void Sheet::SetRowFields(int row, const std::vector<std::string_view>& fields) {
  assert(row >= 0);
  MutableRow(row).SetPrefix(fields);
  DropIfEmpty(row);
  if (observer_ && !updating_)
    for (int j = 0; j < static_cast<int>(fields.size()); ++j) observer_->CellChanged(j, row);
}

void Sheet::SetRowCount(int count) {
  count = std::max(count, 1);
  if (count == rowCount_) return;
  const int old = rowCount_;
  rowCount_ = count;
  if (observer_ && !updating_) observer_->RowCountChanged(old, count);
  if (row_ >= count) {
    row_ = count - 1;
    if (observer_ && !updating_) observer_->CurrentCellChanged(col_, row_);
  }
}

void Sheet::MoveTo(int col, int row) {
  if (col < 0 || col >= ColCount || row < 0 || row >= rowCount_) throw rtl::EInvalidGridOperation();
  if (col == col_ && row == row_) return;
  col_ = col;
  row_ = row;
  if (observer_ && !updating_) observer_->CurrentCellChanged(col, row);
}

void Sheet::SetColWidth(int col, int pixels) {
  colWidths_.at(static_cast<size_t>(col)) = pixels;
  if (observer_ && !updating_) observer_->ColWidthChanged(col);
}

int Sheet::RunLength(int row, int first) const {
  int length = 0;
  ForEachRunCell(row, first, [&](int, std::string_view) { ++length; });
  return length;
}

void Sheet::EndUpdate() {
  assert(updating_ > 0);
  if (--updating_ == 0 && observer_) observer_->SheetReset();
}

void Sheet::NotifyCell(int col, int row) {
  if (observer_ && !updating_) observer_->CellChanged(col, row);
}

}  // namespace order
