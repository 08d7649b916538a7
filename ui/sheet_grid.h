// The order sheet on screen: a string grid that owns an order::Sheet, shows it, follows every
// change of it, and keeps its undo history. What the cell editor types into one cell, from the
// editor's opening to its closing, is one change of that history.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "order/sheet.h"
#include "order/sheet_history.h"
#include "vcl/grid_data.h"
#include "vcl/string_grid.h"

namespace ui {

class SheetGrid : public vcl::TStringGrid, private vcl::GridData, private order::SheetObserver {
 public:
  explicit SheetGrid(vcl::TForm* owner);
  ~SheetGrid() override;

  order::Sheet& Sheet() { return sheet_; }
  const order::Sheet& Sheet() const { return sheet_; }

  // Where the window records its own changes of the sheet (order::SheetHistory::Change).
  order::SheetHistory& History() { return history_; }
  // Undoes or redoes the last change of the sheet; nothing when there is none.
  void Undo() { history_.Undo(sheet_); }
  void Redo() { history_.Redo(sheet_); }

 private:
  // vcl::GridData
  int ColCount() const override { return order::Sheet::ColCount; }
  int RowCount() const override { return sheet_.RowCount(); }
  std::string_view Cell(int col, int row) const override { return sheet_.Cell(col, row); }
  void SetCell(int col, int row, std::string_view text) override;
  int Col() const override { return sheet_.Col(); }
  int Row() const override { return sheet_.Row(); }
  void MoveTo(int col, int row) override { sheet_.MoveTo(col, row); }
  int ColWidth(int col) const override { return sheet_.ColWidth(col); }

  // order::SheetObserver
  void CellChanged(int col, int row) override { TStringGrid::CellChanged(col, row); }
  void RowCountChanged(int oldCount, int newCount) override {
    TStringGrid::RowCountChanged(oldCount, newCount);
  }
  void CurrentCellChanged(int, int) override { TStringGrid::CurrentCellChanged(); }
  void ColWidthChanged(int col) override { TStringGrid::ColWidthChanged(col); }
  void SheetReset() override { DataReset(); }

  void EndEdit();

  order::Sheet sheet_;
  order::SheetHistory history_;
  // The change the cell editor is making, and its cell.
  uint64_t edit_ = 0;
  int editCol_ = -1, editRow_ = -1;
};

}  // namespace ui
