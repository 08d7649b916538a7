#include "ui/sheet_grid.h"

namespace ui {

SheetGrid::SheetGrid(vcl::TForm* owner) : TStringGrid(owner) {
  SetDefaultRowHeight(order::Sheet::DefaultRowHeight);
  sheet_.SetObserver(this);
  SetData(this);
  OnEditorOpened = [this](int, int) { EndEdit(); };
  OnEditorClosed = [this] { EndEdit(); };
}

SheetGrid::~SheetGrid() {
  // The view may close an open editor as it goes, after the history has gone.
  OnEditorOpened = nullptr;
  OnEditorClosed = nullptr;
  sheet_.SetObserver(nullptr);
  SetData(nullptr);
}

void SheetGrid::SetCell(int col, int row, std::string_view text) {
  if (!history_.Recording(edit_) || col != editCol_ || row != editRow_) {
    edit_ = history_.Begin(sheet_);
    history_.Touch(col, row);
    editCol_ = col;
    editRow_ = row;
  }
  sheet_.SetCell(col, row, text);
}

void SheetGrid::EndEdit() {
  if (history_.Recording(edit_)) history_.End();
}

}  // namespace ui
