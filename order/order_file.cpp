#include "order/order_file.h"

#include <cstring>
#include <vector>

#include "order/file_io.h"
#include "rtl/exception.h"

namespace order {

std::string OrderFileText(const Sheet& sheet) {
  std::string text;
  for (int r = 1; r < sheet.RowCount(); ++r) {
    text += sheet.Cell(0, r);
    text += '\t';
    sheet.ForEachRunCell(r, 1, [&](int, std::string_view cell) {
      text += cell;
      text += '\t';
    });
    text += "\r\n";
  }
  return text;
}

void WriteOrderFile(const Sheet& sheet, const std::string& path) {
  WriteWholeFile(path, OrderFileText(sheet));
}

namespace {

// Calls f(row, fields) for each line of an order file's bytes: the row it fills and the fields it
// puts into columns 0 to fields.size() - 1.
template <class F>
void ForEachOrderRow(std::string_view data, F&& f) {
  int row = 0;
  std::vector<std::string_view> fields;
  ForEachTextModeLine(data, [&](std::string_view line, bool) {
    ++row;
    line = line.substr(0, line.find('\0'));
    fields.clear();
    for (;;) {
      const size_t tab = line.find('\t');
      fields.push_back(line.substr(0, tab));
      if (tab == std::string_view::npos) break;
      line.remove_prefix(tab + 1);
    }
    f(row, fields);
  });
}

}  // namespace

void LoadOrderText(Sheet& sheet, std::string_view data) {
  sheet.BeginUpdate();
  ForEachOrderRow(data, [&](int row, const std::vector<std::string_view>& fields) {
    sheet.SetRowCount(row + 1);
    sheet.SetRowFields(row, fields);
  });
  sheet.EndUpdate();
}

void ReadOrderFile(Sheet& sheet, const std::string& path, SheetHistory* history) {
  const auto data = ReadWholeFile(path);
  if (!data) throw rtl::EFOpenError(path);
  if (!history) {
    LoadOrderText(sheet, *data);
    return;
  }
  SheetHistory::Change change(*history, sheet);
  ForEachOrderRow(*data, [&](int row, const std::vector<std::string_view>& fields) {
    history->TouchRow(row, 0, static_cast<int>(fields.size()));
  });
  LoadOrderText(sheet, *data);
}

}  // namespace order
