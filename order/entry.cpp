#include "order/entry.h"

#include "rtl/exception.h"

namespace order {

void SetUpHeader(Sheet& sheet) {
  for (int c = 1; c < Sheet::ColCount; ++c) sheet.SetCell(c, 0, std::to_string(c));
  sheet.SetCell(0, 0, "\x8E\x81\x96\xBC");  // 氏名
  sheet.SetColWidth(0, 2 * Sheet::DefaultColWidth);
}

void PickEntry(Sheet& sheet, const std::vector<std::string>& entries, int itemIndex) {
  if (itemIndex < 0 || static_cast<size_t>(itemIndex) >= entries.size())
    throw rtl::EStringListError();
  sheet.SetCell(sheet.Col(), sheet.Row(), entries[static_cast<size_t>(itemIndex)]);
  sheet.MoveTo(sheet.Col() + 1, sheet.Row());
}

void NextLine(Sheet& sheet) {
  // Two moves on purpose: the command sets the column first and the row after it, so whoever
  // watches the current cell (the grid, which scrolls to it) sees column 1 of the current row in
  // between. The cell it ends in is the one a single move would reach.
  sheet.MoveTo(1, sheet.Row());
  sheet.MoveTo(1, sheet.Row() + 1 < sheet.RowCount() ? sheet.Row() + 1 : 1);
}

}  // namespace order
