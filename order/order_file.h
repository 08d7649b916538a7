// The order file: one line per person row (rows 1 to RowCount() - 1), each field followed by a
// TAB, lines ended by CR LF, CP932 bytes as they stand. Field j of a line is column j.
#pragma once

#include <string>
#include <string_view>

#include "order/sheet.h"
#include "order/sheet_history.h"

namespace order {

// The file's bytes for the sheet: per row, column 0 (even when empty), then columns 1, 2, ... up
// to the first empty one, each followed by a TAB; then CR LF.
std::string OrderFileText(const Sheet& sheet);

// Writes OrderFileText(sheet) to `path` (see WriteWholeFile: EFCreateError, EWriteError).
void WriteOrderFile(const Sheet& sheet, const std::string& path);

// Puts an order file's bytes into the sheet, read in text mode (CR dropped, Ctrl-Z ends the
// data). Each line is one row from row 1 on: the row count is raised to the row before the row
// is filled, and its fields (split at TAB, the text ending at a NUL) replace columns 0 to k; the
// cells after them keep their texts. No bytes leave the sheet as it was.
void LoadOrderText(Sheet& sheet, std::string_view data);

// Reads the file at `path` into the sheet (LoadOrderText). Throws rtl::EFOpenError when the file
// cannot be opened; the sheet is then unchanged. With a `history`, the load is recorded in it as
// one change.
void ReadOrderFile(Sheet& sheet, const std::string& path, SheetHistory* history = nullptr);

}  // namespace order
