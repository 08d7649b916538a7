#include "order/row_arena.h"

#include <algorithm>
#include <cassert>

namespace order {

namespace {
// Blocks start small, so that a sheet of a few rows stays small, and double up to this size.
constexpr size_t kFirstBlock = 4 << 10;
constexpr size_t kLargestBlock = 1 << 20;
}  // namespace

RowArena& RowArena::operator=(RowArena&& other) noexcept {
  if (this != &other) {
    blocks_ = std::exchange(other.blocks_, {});
    freeSlots_ = std::exchange(other.freeSlots_, {});
    current_ = std::exchange(other.current_, kNone);
    nextCapacity_ = std::exchange(other.nextCapacity_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
  }
  return *this;
}

uint32_t RowArena::NewBlock(size_t capacity) {
  uint32_t index;
  if (freeSlots_.empty()) {
    index = static_cast<uint32_t>(blocks_.size());
    blocks_.emplace_back();
  } else {
    index = freeSlots_.back();
    freeSlots_.pop_back();
  }
  Block& block = blocks_[index];
  block.bytes.reset(new char[capacity]);  // left uninitialised: every byte is written before use
  block.capacity = capacity;
  block.used = 0;
  block.live = 0;
  capacity_ += capacity;
  return index;
}

void RowArena::FreeBlock(uint32_t index) {
  Block& block = blocks_[index];
  capacity_ -= block.capacity;
  block = Block();
  freeSlots_.push_back(index);
}

RowArena::Run RowArena::Allocate(size_t size) {
  assert(size > 0);
  if (current_ != kNone) {
    Block& block = blocks_[current_];
    if (block.capacity - block.used >= size) {
      char* data = block.bytes.get() + block.used;
      block.used += size;
      block.live += size;
      return {data, current_};
    }
  }
  nextCapacity_ = std::clamp(2 * nextCapacity_, kFirstBlock, kLargestBlock);
  if (size > nextCapacity_ / 4) {
    // A large run gets a block of its own; the current block keeps taking the small ones.
    const uint32_t index = NewBlock(size);
    blocks_[index].used = blocks_[index].live = size;
    return {blocks_[index].bytes.get(), index};
  }
  if (current_ != kNone && blocks_[current_].live == 0) FreeBlock(current_);
  current_ = NewBlock(nextCapacity_);
  Block& block = blocks_[current_];
  block.used = block.live = size;
  return {block.bytes.get(), current_};
}

void RowArena::Release(uint32_t index, size_t size) {
  Block& block = blocks_[index];
  assert(block.live >= size);
  block.live -= size;
  if (block.live > 0) return;
  if (index == current_)
    block.used = 0;  // every run of it is gone: cut the next ones from its start again
  else
    FreeBlock(index);
}

}  // namespace order
