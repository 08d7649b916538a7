// The order sheet: a sparse table of CP932 text cells addressed (column, row), the row count, the
// current cell, and the column widths. Row 0 is the header, column 0 holds the names; the person
// rows are 1 to RowCount() - 1.
//
// Any cell with column >= 0 and row >= 0 can be written and read, also outside the counts; a cell
// never written (or last written with the empty text) reads as the empty text. Storage is per
// written cell only, so one cell at (1'000'000, 1'000'000) costs one cell.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "order/row_cells.h"

namespace order {

// Told about every change of a sheet, so that a view can follow it. Between BeginUpdate() and
// the matching EndUpdate() the sheet tells nothing and sends one SheetReset() at the end instead.
class SheetObserver {
 public:
  virtual ~SheetObserver() = default;
  virtual void CellChanged(int col, int row) = 0;
  virtual void RowCountChanged(int oldCount, int newCount) = 0;
  virtual void CurrentCellChanged(int col, int row) = 0;
  virtual void ColWidthChanged(int col) = 0;
  virtual void SheetReset() = 0;
};

class Sheet {
 public:
  static constexpr int ColCount = 50;
  static constexpr int InitialRowCount = 5;
  static constexpr int DefaultColWidth = 40;   // pixels
  static constexpr int DefaultRowHeight = 20;  // pixels

  Sheet();

  // The text of a cell; the empty text for a cell without one. Valid until the row changes.
  std::string_view Cell(int col, int row) const;
  // Writes a cell; the empty text removes it.
  void SetCell(int col, int row, std::string_view text);
  // Writes fields[j] into cell (j, row) for every j (an empty field empties its cell); the cells
  // after the last field keep their texts. One call per row, as a load does.
  void SetRowFields(int row, const std::vector<std::string_view>& fields);

  int RowCount() const { return rowCount_; }
  // Sets the row count (a value below 1 becomes 1). Rows beyond it keep their cells. A current
  // cell below the new last row moves up to it, keeping its column.
  void SetRowCount(int count);

  int Col() const { return col_; }
  int Row() const { return row_; }
  // Moves the current cell; outside the grid it throws rtl::EInvalidGridOperation and stays.
  void MoveTo(int col, int row);

  int ColWidth(int col) const { return colWidths_.at(static_cast<size_t>(col)); }
  void SetColWidth(int col, int pixels);

  // The run of row `row` from column `first`: its cells from `first` up to, not including, the
  // first empty cell at `first` or after it. The order run is the run from column 0: the name
  // cell, then the order cells. Calls f(col, text) for each cell of the run, in column order.
  template <class F>
  void ForEachRunCell(int row, int first, F&& f) const {
    if (const RowCells* cells = FindRow(row)) cells->ForEachRunCell(first, f);
  }
  // The number of cells of the run of row `row` from column `first`.
  int RunLength(int row, int first = 0) const;

  void SetObserver(SheetObserver* observer) { observer_ = observer; }
  void BeginUpdate() { ++updating_; }
  void EndUpdate();

 private:
  const RowCells* FindRow(int row) const;
  // The row's cells, created when missing.
  RowCells& MutableRow(int row);
  // Forgets a sparse row without cells.
  void DropIfEmpty(int row);
  void NotifyCell(int col, int row);

  // Rows 0 to dense_.size() - 1 live in a vector; a row far below them lives in sparse_, so a
  // lone cell at a huge row costs one entry, not a row per row above it.
  std::vector<RowCells> dense_;
  std::unordered_map<int, RowCells> sparse_;
  int rowCount_ = InitialRowCount;
  int col_ = 1;
  int row_ = 1;
  std::vector<int> colWidths_;
  SheetObserver* observer_ = nullptr;
  int updating_ = 0;
};

}  // namespace order
