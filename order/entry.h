// Filling the sheet: the header, entering a picked order number, and "改行" (next line).
#pragma once

#include <string>
#include <vector>

#include "order/sheet.h"

namespace order {

// Row 0 := "氏名", "1" .. "49"; column 0 twice the default width.
void SetUpHeader(Sheet& sheet);

// Writes entry `itemIndex` of `entries` into the current cell, then moves the current cell one
// column to the right. Without such an entry (-1: none selected) throws rtl::EStringListError and
// writes nothing; at the last column the write stays and the move throws
// rtl::EInvalidGridOperation.
void PickEntry(Sheet& sheet, const std::vector<std::string>& entries, int itemIndex);

// Moves the current cell to column 1 of the next row, from the last row back to row 1.
void NextLine(Sheet& sheet);

}  // namespace order
