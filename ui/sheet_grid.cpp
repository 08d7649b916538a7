#include "ui/sheet_grid.h"

namespace ui {

SheetGrid::SheetGrid(vcl::TForm* owner) : TStringGrid(owner) {
  SetDefaultRowHeight(order::Sheet::DefaultRowHeight);
  sheet_.SetObserver(this);
  SetData(this);
}

SheetGrid::~SheetGrid() {
  sheet_.SetObserver(nullptr);
  SetData(nullptr);
}

}  // namespace ui
