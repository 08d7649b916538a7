#include "order/order_file.h"

#include <cstring>
#include <optional>
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

// Puts the lines of an order file into the sheet, one row per line from row 1 on.
class OrderLines {
 public:
  // With a `history`, each row's old cells are noted in it before the line overwrites them.
  OrderLines(Sheet& sheet, SheetHistory* history) : sheet_(sheet), history_(history) {}

  void operator()(std::string_view line, bool) {
    ++n_;
    sheet_.SetRowCount(n_);
    // One pass over the line: a TAB ends a field, a NUL ends the line's text.
    fields_.clear();
    const char* p = line.data();
    size_t start = 0, i = 0;
    for (; i < line.size(); ++i) {
      if (static_cast<unsigned char>(p[i]) > '\t') continue;
      if (p[i] == '\t') {
        fields_.emplace_back(p + start, i - start);
        start = i + 1;
      } else if (p[i] == '\0') {
        break;
      }
    }
    fields_.emplace_back(p + start, i - start);
    if (history_) history_->NoteRowFields(n_ - 1, fields_);
    sheet_.SetRowFields(n_ - 1, fields_);
  }

 private:
  Sheet& sheet_;
  SheetHistory* history_;
  int n_ = 1;
  std::vector<std::string_view> fields_;
};

// Runs read(lines) between BeginUpdate and EndUpdate, also when it throws.
template <class Read>
void LoadInto(Sheet& sheet, SheetHistory* history, Read&& read) {
  OrderLines lines(sheet, history);
  sheet.BeginUpdate();
  try {
    read(lines);
  } catch (...) {
    sheet.EndUpdate();
    throw;
  }
  sheet.EndUpdate();
}

}  // namespace

void LoadOrderText(Sheet& sheet, std::string_view data) {
  LoadInto(sheet, nullptr, [&](OrderLines& lines) { ForEachTextModeLine(data, lines); });
}

void ReadOrderFile(Sheet& sheet, const std::string& path, SheetHistory* history) {
  // Read in pieces, so that the file never sits in memory beside the sheet.
  FilePieces file;
  if (!file.Open(path)) throw rtl::EFOpenError(path);
  // The whole load is one change, also when a read error ends it half way.
  std::optional<SheetHistory::Change> change;
  if (history) change.emplace(*history, sheet);
  LoadInto(sheet, history, [&](OrderLines& lines) { ForEachTextModeLine(file, lines); });
}

}  // namespace order
