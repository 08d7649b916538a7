// The order file reader on any bytes. Loads the input into a fresh sheet, then its second half on
// top of that (so that rows with cells beyond a line's fields are exercised), and compares the
// sheet with a plain model of what the reader must do. Then checks the writer: its text has the
// file's shape, and loading it into a fresh sheet and writing again gives the same text.
//
// Note what does not hold: loading OrderFileText(sheet) does not give back the input bytes, nor
// always the same cells (CR, Ctrl-Z, NUL and the text after a NUL are gone; the writer stops a
// row at its first empty order cell). What holds is that the writer's text is a fixed point.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "fuzz/fuzz_check.h"
#include "fuzz/text_model.h"
#include "order/order_file.h"
#include "order/sheet.h"

namespace {

// What the sheet must hold: the cells with text by (row, column), and the row count.
struct ModelSheet {
  std::map<std::pair<int, int>, std::string> cells;
  std::map<int, int> widths;  // per row a load has written: the number of columns it wrote
  int rowCount = order::Sheet::InitialRowCount;

  void Load(std::string_view data) {
    const auto lines = fuzz_model::TextModeLines(data);
    int row = 1;
    for (const std::string& line : lines) {
      const auto fields = fuzz_model::SplitTabs(fuzz_model::UpToNul(line));
      int& width = widths[row];
      width = std::max(width, static_cast<int>(fields.size()));
      for (size_t j = 0; j < fields.size(); ++j) {
        const auto key = std::make_pair(row, static_cast<int>(j));
        if (fields[j].empty())
          cells.erase(key);
        else
          cells[key] = fields[j];
      }
      ++row;
    }
    if (!lines.empty()) rowCount = row;
  }

  std::string_view Cell(int col, int row) const {
    const auto it = cells.find({row, col});
    return it == cells.end() ? std::string_view() : std::string_view(it->second);
  }
};

void CheckSheet(const order::Sheet& sheet, const ModelSheet& model) {
  FUZZ_CHECK(sheet.RowCount() == model.rowCount);
  // Every column a load wrote and the one after it; rows never written stay empty.
  const int lastRow = model.widths.empty() ? 0 : model.widths.rbegin()->first;
  for (int row = 0; row <= std::max(model.rowCount, lastRow + 1); ++row) {
    const auto it = model.widths.find(row);
    const int width = it == model.widths.end() ? 0 : it->second;
    for (int col = 0; col <= width; ++col) FUZZ_CHECK(sheet.Cell(col, row) == model.Cell(col, row));
  }
  // The runs, as the writer and the tallies walk them.
  for (const auto& entry : model.widths) {
    const int row = entry.first;
    int length = 0;
    while (!model.Cell(length, row).empty()) ++length;
    FUZZ_CHECK(sheet.RunLength(row) == length);
    int col = 0;
    sheet.ForEachRunCell(row, 0, [&](int c, std::string_view cell) {
      FUZZ_CHECK(c == col);
      FUZZ_CHECK(cell == model.Cell(c, row));
      ++col;
    });
  }
}

// The writer's text as the file format describes it, built from the model.
std::string ModelFileText(const ModelSheet& model) {
  std::string text;
  for (int r = 1; r < model.rowCount; ++r) {
    text += model.Cell(0, r);
    text += '\t';
    for (int c = 1; !model.Cell(c, r).empty(); ++c) {
      text += model.Cell(c, r);
      text += '\t';
    }
    text += "\r\n";
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view secondHalf = bytes.substr(size / 2);

  order::Sheet sheet;
  ModelSheet model;
  order::LoadOrderText(sheet, bytes);
  model.Load(bytes);
  CheckSheet(sheet, model);
  order::LoadOrderText(sheet, secondHalf);
  model.Load(secondHalf);
  CheckSheet(sheet, model);

  const std::string text = order::OrderFileText(sheet);
  FUZZ_CHECK(text == ModelFileText(model));
  // Written cells hold no byte that the reader treats specially, so every line of the text is a
  // row and every TAB ends a field.
  for (const char c : text) FUZZ_CHECK(c != '\0' && c != '\x1A');

  order::Sheet reloaded;
  order::LoadOrderText(reloaded, text);
  FUZZ_CHECK(reloaded.RowCount() == sheet.RowCount());
  FUZZ_CHECK(order::OrderFileText(reloaded) == text);
  return 0;
}
