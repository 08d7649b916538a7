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
    sheet.ForEachRunCell(r, 1, [&](int, const std::string& cell) {
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
    if (const void* nul = std::memchr(line.data(), '\0', line.size()))
      line = line.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - line.data()));
    fields.clear();
    for (;;) {
      const size_t tab = line.find('\t');
      fields.push_back(line.substr(0, tab));
      if (tab == std::string_view::npos) break;
      line.remove_prefix(tab + 1);
    }
    for (size_t j = 0; j < fields.size(); ++j) sheet.SetCell(static_cast<int>(j), n - 1, fields[j]);
  });
  sheet.EndUpdate();
}

void ReadOrderFile(Sheet& sheet, const std::string& path) {
  const auto data = ReadWholeFile(path);
  if (!data) throw rtl::EFOpenError(path);
  LoadOrderText(sheet, *data);
}

}  // namespace order
