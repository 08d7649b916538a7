// The cells of one sheet row that hold text, kept in one buffer so that a row costs one
// allocation: a count n, then n entries (column, end of its text), sorted by column, then the
// texts one after another.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace order {

class RowCells {
 public:
  bool empty() const { return data_.empty(); }

  // The text at `col`; empty when the cell holds none.
  std::string_view Text(int col) const;
  // Sets the text at `col`; the empty text removes the cell. Returns whether anything changed.
  bool Set(int col, std::string_view text);
  // Replaces the cells of columns 0 to fields.size() - 1 with `fields`, keeping the cells after.
  void SetPrefix(const std::vector<std::string_view>& fields);

  // Calls f(col, text) for the cells from column `first` on up to the first column without text.
  template <class F>
  void ForEachRunCell(int first, F&& f) const {
    const size_t n = Count();
    int col = first;
    for (size_t i = Find(first); i < n && EntryAt(i).col == col; ++i, ++col) f(col, TextAt(i));
  }

 private:
  struct Entry {
    int32_t col;
    uint32_t end;  // offset in the text area just past this cell's text
  };
  using CellList = std::vector<std::pair<int, std::string_view>>;

  size_t Count() const;
  Entry EntryAt(size_t i) const;
  std::string_view TextAt(size_t i) const;
  // Index of the first cell at `col` or after it.
  size_t Find(int col) const;
  CellList Cells() const;
  // Rebuilds the buffer from cells sorted by column, none of them empty.
  void Assign(const CellList& cells);

  std::string data_;
};

}  // namespace order
