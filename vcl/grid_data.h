// What a string grid shows: cells of CP932 text addressed (column, row), the counts, the current
// cell and the column widths. The grid reads it when it draws and writes it when the user types
// or moves the current cell; whoever owns the data tells the grid about changes (TStringGrid).
#pragma once

#include <string>
#include <string_view>

namespace vcl {

class GridData {
 public:
  virtual ~GridData() = default;

  virtual int ColCount() const = 0;
  virtual int RowCount() const = 0;
  virtual std::string_view Cell(int col, int row) const = 0;
  virtual void SetCell(int col, int row, std::string_view text) = 0;

  virtual int Col() const = 0;
  virtual int Row() const = 0;
  // Moves the current cell; may throw an rtl::Exception when the cell lies outside the grid.
  virtual void MoveTo(int col, int row) = 0;

  virtual int ColWidth(int col) const = 0;  // pixels, grid line not included
};

}  // namespace vcl
