// Storage for the encoded rows of one sheet: a few large blocks that hand out runs of bytes, so
// that a row costs no heap block of its own and a million rows cost a few dozen blocks.
//
// A run stays where it was put until it is released; nothing is ever moved. A block goes back to
// the system as soon as all its runs are released, so a sheet that is loaded again and again holds
// the bytes of its present rows, not of every load.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace order {

class RowArena {
 public:
  struct Run {
    char* data;
    uint32_t block;
  };

  RowArena() = default;
  RowArena(const RowArena&) = delete;
  RowArena& operator=(const RowArena&) = delete;
  // The blocks move with the arena and stay where they are; the arena moved from is empty.
  RowArena(RowArena&& other) noexcept { *this = std::move(other); }
  RowArena& operator=(RowArena&& other) noexcept;

  // `size` bytes (size > 0), uninitialised.
  Run Allocate(size_t size);
  // Gives back a run of `size` bytes of block `block`.
  void Release(uint32_t block, size_t size);

  // The bytes held by blocks, used or not.
  size_t CapacityBytes() const { return capacity_; }

 private:
  struct Block {
    std::unique_ptr<char[]> bytes;
    size_t capacity = 0;
    size_t used = 0;
    size_t live = 0;  // bytes of runs not yet released
  };
  static constexpr uint32_t kNone = UINT32_MAX;

  uint32_t NewBlock(size_t capacity);
  void FreeBlock(uint32_t index);

  std::vector<Block> blocks_;
  std::vector<uint32_t> freeSlots_;  // indices in blocks_ of freed blocks
  uint32_t current_ = kNone;         // the block new runs are cut from
  size_t nextCapacity_ = 0;
  size_t capacity_ = 0;
};

}  // namespace order
