// The order sheet on screen: a string grid that owns an order::Sheet, shows it, and follows every
// change of it.
#pragma once

#include <string>
#include <string_view>

#include "order/sheet.h"
#include "vcl/grid_data.h"
#include "vcl/string_grid.h"

namespace ui {

class SheetGrid : public vcl::TStringGrid, private vcl::GridData, private order::SheetObserver {
 public:
  explicit SheetGrid(vcl::TForm* owner);
  ~SheetGrid() override;

  order::Sheet& Sheet() { return sheet_; }
  const order::Sheet& Sheet() const { return sheet_; }

 private:
  // vcl::GridData
  int ColCount() const override { return order::Sheet::ColCount; }
  int RowCount() const override { return sheet_.RowCount(); }
  std::string_view Cell(int col, int row) const override { return sheet_.Cell(col, row); }
  void SetCell(int col, int row, std::string_view text) override { sheet_.SetCell(col, row, text); }
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

  order::Sheet sheet_;
};

}  // namespace ui
