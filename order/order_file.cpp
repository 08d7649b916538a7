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

void LoadOrderText(Sheet& sheet, std::string_view data) {
  sheet.BeginUpdate();
  int n = 1;
  std::vector<std::string_view> fields;
  ForEachTextModeLine(data, [&](std::string_view line, bool) {
    ++n;
    sheet.SetRowCount(n);
    line = line.substr(0, line.find('\0'));
    fields.clear();
    for (;;) {
      const size_t tab = line.find('\t');
      fields.push_back(line.substr(0, tab));
      if (tab == std::string_view::npos) break;
      line.remove_prefix(tab + 1);
    }
    sheet.SetRowFields(n - 1, fields);
  });
  sheet.EndUpdate();
}

void ReadOrderFile(Sheet& sheet, const std::string& path) {
  const auto data = ReadWholeFile(path);
  if (!data) throw rtl::EFOpenError(path);
  LoadOrderText(sheet, *data);
}

}  // namespace order
