// The order sheet: a sparse table of CP932 text cells addressed (column, row), the row count, the
// current cell, and the column widths. Row 0 is the header, column 0 holds the names; the person
// rows are 1 to RowCount() - 1.
//
// Any cell with column >= 0 and row >= 0 can be written and read, also outside the counts; a cell
// never written (or last written with the empty text) reads as the empty text. Storage is per
// written cell only, so one cell at (1'000'000, 1'000'000) costs one cell. The rows' cells live in
// a few large blocks owned by the sheet, a few bytes per cell besides the texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "order/row_arena.h"
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
  // A copy holds the same cells, counts, current cell, widths and observer.
  Sheet(const Sheet& other);
  Sheet& operator=(const Sheet& other);
  Sheet(Sheet&& other) noexcept;
  Sheet& operator=(Sheet&& other) noexcept;
  ~Sheet();

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
    if (const RowSlot* found = FindRow(row)) found->Cells().ForEachRunCell(first, f);
  }
  // Calls f(col, text) for each cell of row `row` that holds a text, in column order, as long as
  // f returns true.
  template <class F>
  void ForEachCell(int row, F&& f) const {
    if (const RowSlot* found = FindRow(row)) found->Cells().ForEachCell(f);
  }
  // The number of cells of the run of row `row` from column `first`.
  int RunLength(int row, int first = 0) const;

  void SetObserver(SheetObserver* observer) { observer_ = observer; }
  void BeginUpdate() { ++updating_; }
  void EndUpdate();

 private:
  // Where a row's encoded cells lie in the arena; a row without cells has none.
  struct RowSlot {
    const char* data = nullptr;
    uint32_t size = 0;
    uint32_t block = 0;
    RowCells Cells() const { return RowCells(data, size); }
  };
  // Rows 0 to denseRows_ - 1 live in chunks of a fixed number of rows, so that a growing sheet
  // never moves them; a row far below them lives in sparse_, so that a lone cell at a huge row
  // costs one entry, not a row per row above it.
  static constexpr int kChunkBits = 12;
  static constexpr size_t kChunkRows = size_t{1} << kChunkBits;

  const RowSlot* FindRow(int row) const {
    if (row >= 0 && static_cast<size_t>(row) < denseRows_)
      return &chunks_[static_cast<size_t>(row) >> kChunkBits][row & (kChunkRows - 1)];
    return sparse_.empty() ? nullptr : FindSparseRow(row);
  }
  const RowSlot* FindSparseRow(int row) const;
  // The row's slot, created when missing.
  RowSlot& MutableRow(int row);
  void GrowDense(size_t rows);
  // Replaces the cells of `row` with those that cells(put) puts, in rising column order.
  template <class Cells>
  void StoreRow(int row, const Cells& cells);
  RowSlot CopyOf(const RowSlot& row);
  // Forgets a sparse row without cells.
  void DropIfEmpty(int row);
  void NotifyCell(int col, int row);

  std::vector<std::unique_ptr<RowSlot[]>> chunks_;
  size_t denseRows_ = 0;
  std::unordered_map<int, RowSlot> sparse_;
  RowArena arena_;
  int rowCount_ = InitialRowCount;
  int col_ = 1;
  int row_ = 1;
  std::vector<int> colWidths_;
  SheetObserver* observer_ = nullptr;
  int updating_ = 0;
};

}  // namespace order
