#include "order/row_cells.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace order {

namespace {
constexpr size_t kHeader = sizeof(uint32_t);
}  // namespace

size_t RowCells::Count() const {
  if (data_.empty()) return 0;
  uint32_t n;
  std::memcpy(&n, data_.data(), sizeof n);
  return n;
}

RowCells::Entry RowCells::EntryAt(size_t i) const {
  Entry e;
  std::memcpy(&e, data_.data() + kHeader + i * sizeof(Entry), sizeof e);
  return e;
}

std::string_view RowCells::TextAt(size_t i) const {
  const size_t texts = kHeader + Count() * sizeof(Entry);
  const uint32_t begin = i == 0 ? 0 : EntryAt(i - 1).end;
  return std::string_view(data_).substr(texts + begin, EntryAt(i).end - begin);
}

size_t RowCells::Find(int col) const {
  size_t lo = 0, hi = Count();
  while (lo < hi) {
    const size_t mid = (lo + hi) / 2;
    if (EntryAt(mid).col < col)
      lo = mid + 1;
    else
      hi = mid;
  }
  return lo;
}

std::string_view RowCells::Text(int col) const {
  const size_t i = Find(col);
  return i < Count() && EntryAt(i).col == col ? TextAt(i) : std::string_view();
}

RowCells::CellList RowCells::Cells() const {
  CellList cells;
  const size_t n = Count();
  cells.reserve(n + 1);
  for (size_t i = 0; i < n; ++i) cells.emplace_back(EntryAt(i).col, TextAt(i));
  return cells;
}

void RowCells::Assign(const CellList& cells) {
  if (cells.empty()) {
    data_.clear();
    data_.shrink_to_fit();
    return;
  }
  size_t textBytes = 0;
  for (const auto& [col, text] : cells) textBytes += text.size();
  if (textBytes > std::numeric_limits<uint32_t>::max()) throw std::length_error("row too long");
  const size_t texts = kHeader + cells.size() * sizeof(Entry);
  std::string data(texts + textBytes, '\0');
  const uint32_t n = static_cast<uint32_t>(cells.size());
  std::memcpy(data.data(), &n, sizeof n);
  uint32_t end = 0;
  for (size_t i = 0; i < cells.size(); ++i) {
    const auto& [col, text] = cells[i];
    std::memcpy(data.data() + texts + end, text.data(), text.size());
    end += static_cast<uint32_t>(text.size());
    const Entry e{col, end};
    std::memcpy(data.data() + kHeader + i * sizeof(Entry), &e, sizeof e);
  }
  data_ = std::move(data);
}

bool RowCells::Set(int col, std::string_view text) {
  const size_t i = Find(col);
  const bool present = i < Count() && EntryAt(i).col == col;
  if (present ? TextAt(i) == text : text.empty()) return false;
  CellList cells = Cells();
  const auto at = cells.begin() + static_cast<ptrdiff_t>(i);
  if (text.empty())
    cells.erase(at);
  else if (present)
    at->second = text;
  else
    cells.emplace(at, col, text);
  Assign(cells);
  return true;
}

void RowCells::SetPrefix(const std::vector<std::string_view>& fields) {
  const int k = static_cast<int>(fields.size());
  thread_local CellList cells;  // kept between calls: a load calls this once per row
  cells.clear();
  const size_t n = Count();
  const size_t keep = Find(k);
  cells.reserve(fields.size() + (n - keep));
  for (int j = 0; j < k; ++j)
    if (!fields[j].empty()) cells.emplace_back(j, fields[j]);
  for (size_t i = keep; i < n; ++i) cells.emplace_back(EntryAt(i).col, TextAt(i));
  Assign(cells);
}

}  // namespace order
