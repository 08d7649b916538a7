// The cells of one sheet row that hold text, encoded in one run of bytes: per cell, in column
// order, a header and then its text. A cell that follows the one before it (or column 0) directly
// and holds fewer than 128 bytes has one header byte, its length; any other has the byte 0x80,
// then the number of columns skipped and the length, both as base-128 varints. A row of short
// order numbers thus takes as many bytes as its line in the order file.
//
// RowCells reads such a run; EncodeRow writes one. Neither owns the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace order {

namespace row_encoding {

inline size_t VarintSize(uint64_t value) {
  size_t n = 1;
  while (value >= 0x80) {
    value >>= 7;
    ++n;
  }
  return n;
}

inline char* PutVarint(char* out, uint64_t value) {
  while (value >= 0x80) {
    *out++ = static_cast<char>(value | 0x80);
    value >>= 7;
  }
  *out++ = static_cast<char>(value);
  return out;
}

inline uint32_t GetVarint(const unsigned char*& in) {
  uint32_t value = *in++;
  if (value < 0x80) return value;
  value &= 0x7F;
  for (int shift = 7;; shift += 7) {
    const uint32_t byte = *in++;
    value |= (byte & 0x7F) << shift;
    if (byte < 0x80) return value;
  }
}

}  // namespace row_encoding

class RowCells {
 public:
  RowCells() = default;
  RowCells(const char* data, size_t size) : data_(data), size_(size) {}

  bool empty() const { return size_ == 0; }
  std::string_view Bytes() const { return {data_, size_}; }

  // Calls f(col, text) for every cell, in column order; stops early when f returns false.
  template <class F>
  bool ForEachCell(F&& f) const {
    const auto* in = reinterpret_cast<const unsigned char*>(data_);
    const auto* const end = in + size_;
    uint32_t next = 0;  // the column after the last cell read
    while (in < end) {
      uint32_t col = next, length = *in++;
      if (length >= 0x80) {
        col += row_encoding::GetVarint(in);
        length = row_encoding::GetVarint(in);
      }
      const std::string_view text(reinterpret_cast<const char*>(in), length);
      in += length;
      next = col + 1;
      if (!f(static_cast<int>(col), text)) return false;
    }
    return true;
  }

  // The text at `col`; empty when the cell holds none.
  std::string_view Text(int col) const {
    std::string_view found;
    ForEachCell([&](int c, std::string_view text) {
      if (c == col) found = text;
      return c < col;
    });
    return found;
  }

  // Calls f(col, text) for the cells from column `first` on up to the first column without text.
  template <class F>
  void ForEachRunCell(int first, F&& f) const {
    int64_t expected = first;
    ForEachCell([&](int col, std::string_view text) {
      if (col < first) return true;
      if (col != expected) return false;
      f(col, text);
      ++expected;
      return true;
    });
  }

 private:
  const char* data_ = nullptr;
  size_t size_ = 0;
};

// Encodes the cells that cells(put) hands to put(col, text) (in rising column order, none empty)
// into storage from allocate(size), which is called once, only when there is a cell. cells is
// called twice: once to measure, once to write. Returns the size written.
template <class Cells, class Allocate>
size_t EncodeRow(const Cells& cells, Allocate&& allocate) {
  using namespace row_encoding;
  const auto header = [](uint32_t gap, size_t length) {
    return gap == 0 && length < 0x80 ? 1 : 1 + VarintSize(gap) + VarintSize(length);
  };
  size_t size = 0;
  uint32_t next = 0;
  cells([&](int col, std::string_view text) {
    size += header(static_cast<uint32_t>(col) - next, text.size()) + text.size();
    next = static_cast<uint32_t>(col) + 1;
  });
  if (size == 0) return 0;
  if (size > UINT32_MAX) throw std::length_error("row too long");
  char* out = allocate(size);
  next = 0;
  cells([&](int col, std::string_view text) {
    const uint32_t gap = static_cast<uint32_t>(col) - next;
    if (gap == 0 && text.size() < 0x80) {
      *out++ = static_cast<char>(text.size());
    } else {
      *out++ = static_cast<char>(0x80);
      out = PutVarint(out, gap);
      out = PutVarint(out, text.size());
    }
    std::memcpy(out, text.data(), text.size());
    out += text.size();
    next = static_cast<uint32_t>(col) + 1;
  });
  return size;
}

}  // namespace order
