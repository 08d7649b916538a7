// A grid of text cells with one fixed row and one fixed column, over a GridData.
//
// Row 0 and column 0 are fixed: drawn as header sections, always in view, never current, never
// edited. Every other cell can be typed into; every change in the cell editor is written to the
// data at once. The grid is virtual: it asks for the cells in view only, so rows in the hundreds
// of thousands cost nothing until they are shown.
#pragma once

#include <QFont>
#include <QTableView>
#include <functional>

#include "vcl/control.h"
#include "vcl/grid_data.h"

namespace vcl {

class TStringGrid : public TControl {
 public:
  explicit TStringGrid(TForm* owner);
  ~TStringGrid() override;

  // The data shown; not owned, must outlive the grid or be replaced first.
  void SetData(GridData* data);
  GridData* Data() const { return data_; }

  void SetDefaultRowHeight(int pixels);
  int DefaultRowHeight() const { return rowHeight_; }
  void SetGridLineWidth(int pixels);

  // Tell the grid what changed in its data.
  void CellChanged(int col, int row);
  void RowCountChanged(int oldCount, int newCount);
  void CurrentCellChanged();
  void ColWidthChanged(int col);
  void DataReset();

  // Told when the cell editor opens on cell (col, row), and when it closes, whether its text was
  // taken or given up. In between, every change typed has gone to the data at once.
  std::function<void(int col, int row)> OnEditorOpened;
  std::function<void()> OnEditorClosed;

  QTableView* View() const { return static_cast<QTableView*>(Widget()); }
  // Where cell (col, row) is drawn, in the coordinates of View()->viewport(); empty when it is a
  // fixed cell or out of view.
  QRect CellRect(int col, int row) const;

 private:
  class Model;
  class Delegate;
  class CornerPainter;
  class FixedCells;
  // The area of a fixed cell drawn as the header section `section`: without its grid lines.
  QRect FixedCellArea(const QRect& section) const;
  void ApplySizes();
  void SyncCurrent();
  void UserMovedTo(const QModelIndex& index);

  GridData* data_ = nullptr;
  Model* model_;
  int rowHeight_ = 20;
  int lineWidth_ = 1;
  bool syncing_ = false;
};

}  // namespace vcl
