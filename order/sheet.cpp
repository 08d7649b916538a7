#include "order/sheet.h"

#include <algorithm>
#include <cassert>

#include "rtl/exception.h"

namespace order {

namespace {
const std::string kEmpty;

auto LowerBound(auto& cells, int col) {
  return std::lower_bound(cells.begin(), cells.end(), col,
                          [](const auto& cell, int c) { return cell.first < c; });
}
}  // namespace

Sheet::RowCells::const_iterator Sheet::FindCol(const RowCells& cells, int col) {
  return LowerBound(cells, col);
}
Sheet::RowCells::iterator Sheet::FindCol(RowCells& cells, int col) { return LowerBound(cells, col); }

Sheet::Sheet() : colWidths_(ColCount, DefaultColWidth) {}

const std::string& Sheet::Cell(int col, int row) const {
  const auto r = rows_.find(row);
  if (r == rows_.end()) return kEmpty;
  const auto c = FindCol(r->second, col);
  return (c != r->second.end() && c->first == col) ? c->second : kEmpty;
}

void Sheet::SetCell(int col, int row, std::string_view text) {
  assert(col >= 0 && row >= 0);
  auto r = rows_.find(row);
  if (r == rows_.end()) {
    if (text.empty()) return;
    r = rows_.emplace(row, RowCells{}).first;
  }
  RowCells& cells = r->second;
  // Cells are mostly written left to right: try the end first.
  auto c = (cells.empty() || cells.back().first < col) ? cells.end() : FindCol(cells, col);
  const bool present = c != cells.end() && c->first == col;
  if (text.empty()) {
    if (!present) return;
    cells.erase(c);
    if (cells.empty()) rows_.erase(r);
  } else if (present) {
    if (c->second == text) return;
    c->second.assign(text);
  } else {
    cells.emplace(c, col, std::string(text));
  }
  NotifyCell(col, row);
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
  ForEachRunCell(row, first, [&](int, const std::string&) { ++length; });
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
