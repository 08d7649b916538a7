#include "order/sheet.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <utility>

#include "rtl/exception.h"

namespace order {

Sheet::Sheet() : colWidths_(ColCount, DefaultColWidth) {}

Sheet::Sheet(const Sheet& other)
    : rowCount_(other.rowCount_),
      col_(other.col_),
      row_(other.row_),
      colWidths_(other.colWidths_),
      observer_(other.observer_),
      updating_(other.updating_) {
  GrowDense(other.denseRows_);
  for (size_t r = 0; r < denseRows_; ++r)
    chunks_[r >> kChunkBits][r & (kChunkRows - 1)] =
        CopyOf(other.chunks_[r >> kChunkBits][r & (kChunkRows - 1)]);
  for (const auto& [row, slot] : other.sparse_) sparse_.emplace(row, CopyOf(slot));
}

Sheet& Sheet::operator=(const Sheet& other) {
  if (this != &other) *this = Sheet(other);
  return *this;
}

// The slots point into the arena's blocks, which stay where they are when the arena moves. The
// sheet moved from keeps no cells.
Sheet::Sheet(Sheet&& other) noexcept
    : chunks_(std::move(other.chunks_)),
      denseRows_(std::exchange(other.denseRows_, 0)),
      sparse_(std::move(other.sparse_)),
      arena_(std::move(other.arena_)),
      rowCount_(other.rowCount_),
      col_(other.col_),
      row_(other.row_),
      colWidths_(std::move(other.colWidths_)),
      observer_(other.observer_),
      updating_(other.updating_) {
  other.sparse_.clear();
}

Sheet& Sheet::operator=(Sheet&& other) noexcept {
  if (this != &other) {
    chunks_ = std::move(other.chunks_);
    denseRows_ = std::exchange(other.denseRows_, 0);
    sparse_ = std::move(other.sparse_);
    other.sparse_.clear();
    arena_ = std::move(other.arena_);
    rowCount_ = other.rowCount_;
    col_ = other.col_;
    row_ = other.row_;
    colWidths_ = std::move(other.colWidths_);
    observer_ = other.observer_;
    updating_ = other.updating_;
  }
  return *this;
}

Sheet::~Sheet() = default;

Sheet::RowSlot Sheet::CopyOf(const RowSlot& row) {
  if (row.size == 0) return {};
  const RowArena::Run run = arena_.Allocate(row.size);
  std::memcpy(run.data, row.data, row.size);
  return {run.data, row.size, run.block};
}

const Sheet::RowSlot* Sheet::FindSparseRow(int row) const {
  const auto it = sparse_.find(row);
  return it == sparse_.end() ? nullptr : &it->second;
}

void Sheet::GrowDense(size_t rows) {
  if (rows <= denseRows_) return;
  while (chunks_.size() * kChunkRows < rows)
    chunks_.push_back(std::make_unique<RowSlot[]>(kChunkRows));
  denseRows_ = rows;
  // Take in the sparse rows that are dense now.
  for (auto it = sparse_.begin(); it != sparse_.end();) {
    const size_t at = static_cast<size_t>(it->first);
    if (at < denseRows_) {
      chunks_[at >> kChunkBits][at & (kChunkRows - 1)] = it->second;
      it = sparse_.erase(it);
    } else {
      ++it;
    }
  }
}

Sheet::RowSlot& Sheet::MutableRow(int row) {
  const size_t r = static_cast<size_t>(row);
  // Close enough to the dense rows: grow them over it.
  if (r >= denseRows_ && r < std::max<size_t>(1024, 2 * denseRows_)) GrowDense(r + 1);
  return r < denseRows_ ? chunks_[r >> kChunkBits][r & (kChunkRows - 1)] : sparse_[row];
}

template <class Cells>
void Sheet::StoreRow(int row, const Cells& cells) {
  RowSlot& slot = MutableRow(row);
  RowSlot fresh;
  // The new cells are written before the old ones are given back: they may be read from them.
  fresh.size = static_cast<uint32_t>(EncodeRow(cells, [&](size_t size) {
    const RowArena::Run run = arena_.Allocate(size);
    fresh.data = run.data;
    fresh.block = run.block;
    return run.data;
  }));
  if (slot.size > 0) arena_.Release(slot.block, slot.size);
  slot = fresh;
}

void Sheet::DropIfEmpty(int row) {
  if (static_cast<size_t>(row) >= denseRows_) {
    const auto it = sparse_.find(row);
    if (it != sparse_.end() && it->second.size == 0) sparse_.erase(it);
  }
}

std::string_view Sheet::Cell(int col, int row) const {
  const RowSlot* found = FindRow(row);
  return found ? found->Cells().Text(col) : std::string_view();
}

void Sheet::SetCell(int col, int row, std::string_view text) {
  assert(col >= 0 && row >= 0);
  const RowSlot* found = FindRow(row);
  const RowCells old = found ? found->Cells() : RowCells();
  if (old.Text(col) == text) return;
  StoreRow(row, [&](const auto& put) {
    bool placed = text.empty();
    old.ForEachCell([&](int c, std::string_view cell) {
      if (!placed && c >= col) {
        put(col, text);
        placed = true;
      }
      if (c != col) put(c, cell);
      return true;
    });
    if (!placed) put(col, text);
  });
  DropIfEmpty(row);
  NotifyCell(col, row);
}

void Sheet::SetRowFields(int row, const std::vector<std::string_view>& fields) {
  assert(row >= 0);
  const RowSlot* found = FindRow(row);
  const RowCells old = found ? found->Cells() : RowCells();
  const int k = static_cast<int>(fields.size());
  StoreRow(row, [&](const auto& put) {
    for (int j = 0; j < k; ++j)
      if (!fields[static_cast<size_t>(j)].empty()) put(j, fields[static_cast<size_t>(j)]);
    old.ForEachCell([&](int c, std::string_view cell) {
      if (c >= k) put(c, cell);
      return true;
    });
  });
  DropIfEmpty(row);
  if (observer_ && !updating_)
    for (int j = 0; j < k; ++j) observer_->CellChanged(j, row);
}

void Sheet::SetRowCount(int count) {
  count = std::max(count, 1);
  if (count == rowCount_) return;
  const int old = rowCount_;
  rowCount_ = count;
  if (observer_ && !updating_) observer_->RowCountChanged(old, count);
  if (row_ >= count) {
    row_ = count - 1;
    if (observer_ && !updating_) observer_->CurrentCellChanged(col_, row_);
  }
}

void Sheet::MoveTo(int col, int row) {
  if (col < 0 || col >= ColCount || row < 0 || row >= rowCount_) throw rtl::EInvalidGridOperation();
  if (col == col_ && row == row_) return;
  col_ = col;
  row_ = row;
  if (observer_ && !updating_) observer_->CurrentCellChanged(col, row);
}

void Sheet::SetColWidth(int col, int pixels) {
  colWidths_.at(static_cast<size_t>(col)) = pixels;
  if (observer_ && !updating_) observer_->ColWidthChanged(col);
}

int Sheet::RunLength(int row, int first) const {
  int length = 0;
  ForEachRunCell(row, first, [&](int, std::string_view) { ++length; });
  return length;
}

void Sheet::EndUpdate() {
  assert(updating_ > 0);
  if (--updating_ == 0 && observer_) observer_->SheetReset();
}

void Sheet::NotifyCell(int col, int row) {
  if (observer_ && !updating_) observer_->CellChanged(col, row);
}

}  // namespace order
