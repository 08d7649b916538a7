#include "order/tally.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <memory>

namespace order {

namespace {

// The literal pieces of the lines, in CP932.
constexpr std::string_view kPhotos = "\x96\x87 ";         // "枚 "
constexpr std::string_view kYenClose = "\x89\x7E)";       // "円)"
constexpr std::string_view kTotal = "\x8D\x87\x8C\x76 ";  // "合計 "
constexpr std::string_view kYenOpen = "\x89\x7E(";        // "円("
constexpr std::string_view kPhotosClose = "\x96\x87)";    // "枚)"

void AppendNumber(std::string& out, int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
}

}  // namespace

int32_t PriceValue(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulate the magnitude, stopping once it is past every 32-bit value.
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
    if (value <= kLimit) value = value * 10 + (text[i] - '0');
  if (negative) return static_cast<int32_t>(std::max(-value, -kLimit));
  return static_cast<int32_t>(std::min(value, kLimit - 1));
}

std::string_view ShortName(std::string_view name) { return name.substr(0, 4); }

void PerPersonTally(const Sheet& sheet, std::string_view priceText, const LineSink& emit) {
  const int64_t price = PriceValue(priceText);
  std::string line;
  for (int r = 1; r < sheet.RowCount(); ++r) {
    if (sheet.Cell(0, r).empty()) continue;  // a row without a name has no order run
    line.clear();
    int64_t cells = 0;
    sheet.ForEachRunCell(r, 0, [&](int, std::string_view text) {
      line += ' ';
      line += text;
      ++cells;
    });
    const int64_t photos = cells - 1;
    line += '(';
    AppendNumber(line, photos);
    line += kPhotos;
    AppendNumber(line, price * photos);
    line += kYenClose;
    emit(line);
  }
}

std::vector<std::string> PerPersonTally(const Sheet& sheet, std::string_view priceText) {
  std::vector<std::string> lines;
  PerPersonTally(sheet, priceText, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

namespace {

// The distinct texts of the picker entries, each with a slot number, in an open-addressing table:
// the per-order-number tally looks up every order cell of the sheet in it.
class EntrySlots {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  explicit EntrySlots(const std::vector<std::string>& entries) {
    size_t capacity = 16;
    while (capacity < 2 * entries.size()) capacity *= 2;
    table_.assign(capacity, Cell{0, kNone, 0});
    mask_ = capacity - 1;
    slotOfEntry_.reserve(entries.size());
    for (const std::string& entry : entries) {
      uint32_t slot = Find(entry);
      if (slot == kNone) {
        slot = static_cast<uint32_t>(texts_.size());
        texts_.emplace_back(entry);
        const uint64_t hash = Hash(entry);
        size_t at = hash & mask_;
        while (table_[at].slot != kNone) at = (at + 1) & mask_;
        table_[at] = Cell{hash, slot, static_cast<uint32_t>(std::min<size_t>(entry.size(), 9))};
      }
      slotOfEntry_.push_back(slot);
    }
  }

  size_t Count() const { return texts_.size(); }
  uint32_t SlotOfEntry(size_t entry) const { return slotOfEntry_[entry]; }

  // The slot of `text`, or kNone.
  uint32_t Find(std::string_view text) const {
    const uint64_t hash = Hash(text);
    for (size_t at = hash & mask_;; at = (at + 1) & mask_) {
      const Cell& cell = table_[at];
      if (cell.slot == kNone) return kNone;
      // Texts of up to 8 bytes and the same length have the same hash only when they are equal.
      if (cell.hash == hash && cell.size == std::min<size_t>(text.size(), 9) &&
          (text.size() <= 8 || texts_[cell.slot] == text))
        return cell.slot;
    }
  }

 private:
  struct Cell {
    uint64_t hash;
    uint32_t slot;
    uint32_t size;  // the text's length; 9 for any longer than 8 bytes
  };

  static uint64_t Load32(const char* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
  }
  static uint64_t Load64(const char* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return v;
  }
  static uint64_t Mix(uint64_t h) {  // a bijection
    h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDu;
    h = (h ^ (h >> 33)) * 0xC4CEB9FE1A85EC53u;
    return h ^ (h >> 33);
  }
  // For a given length of up to 8 bytes, different texts give different hashes: the bytes are
  // read into one word whole, and Mix loses nothing.
  static uint64_t Hash(std::string_view text) {
    const char* p = text.data();
    const size_t n = text.size();
    const uint64_t seed = n * 0x9E3779B97F4A7C15u;
    if (n >= 8) {
      uint64_t h = seed;
      for (size_t i = 0; i + 8 < n; i += 8) h = Mix(h ^ Load64(p + i));
      return Mix(h ^ Load64(p + n - 8));
    }
    uint64_t word = 0;
    if (n >= 4) {
      word = Load32(p) | Load32(p + n - 4) << 32;
    } else if (n > 0) {
      const auto byte = [&](size_t i) { return uint64_t{static_cast<unsigned char>(p[i])}; };
      word = byte(0) | byte(n / 2) << 8 | byte(n - 1) << 16;
    }
    return Mix(seed ^ word);
  }

  std::vector<std::string_view> texts_;  // per slot
  std::vector<Cell> table_;
  size_t mask_ = 0;
  std::vector<uint32_t> slotOfEntry_;
};

// The distinct short names of the rows with a match, each with a number in the order they came.
// A short name has at most 4 bytes: with its length it makes one 64-bit key.
class ShortNames {
 public:
  static uint64_t Key(std::string_view name) {
    uint64_t key = 0;
    std::memcpy(&key, name.data(), name.size());
    return key | uint64_t{name.size()} << 32;
  }

  // The number of `key`'s name, given when it first comes.
  uint32_t Number(uint64_t key) {
    if (2 * (keys_.size() + 1) > table_.size()) Grow();
    size_t at = Mix(key) & (table_.size() - 1);
    for (;; at = (at + 1) & (table_.size() - 1)) {
      if (table_[at] == 0) break;
      if (keys_[table_[at] - 1] == key) return table_[at] - 1;
    }
    keys_.push_back(key);
    table_[at] = static_cast<uint32_t>(keys_.size());
    return table_[at] - 1;
  }

  // Writes name `number` at `out`, which has room for 4 bytes; returns the end.
  char* Write(uint32_t number, char* out) const {
    const uint64_t key = keys_[number];
    std::memcpy(out, &key, 4);
    return out + (key >> 32);
  }

 private:
  static uint64_t Mix(uint64_t h) {
    h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDu;
    return h ^ (h >> 33);
  }
  void Grow() {
    std::vector<uint32_t> table(std::max<size_t>(64, 2 * table_.size()), 0);
    for (uint32_t n = 0; n < keys_.size(); ++n) {
      size_t at = Mix(keys_[n]) & (table.size() - 1);
      while (table[at] != 0) at = (at + 1) & (table.size() - 1);
      table[at] = n + 1;
    }
    table_ = std::move(table);
  }

  std::vector<uint64_t> keys_;   // by number
  std::vector<uint32_t> table_;  // number + 1; 0 where free
};

// The match list of each slot: per match the distance of its row from the list's last row and
// the number of the row's short name, both as varints, a few bytes a match. A list is a chain of
// small blocks cut from large ones, so that no list is ever copied as it grows.
class MatchLists {
 public:
  explicit MatchLists(size_t slots) : lists_(slots) {}

  void Add(uint32_t slot, uint32_t row, uint32_t nameNumber) {
    List& list = lists_[slot];
    if (list.end - list.at < 2 * 5) {
      Block* block = NewBlock();
      if (list.last) {
        list.last->used = static_cast<uint32_t>(list.at - list.last->bytes);
        list.last->next = block;
      } else {
        list.first = block;
      }
      list.last = block;
      list.at = block->bytes;
      list.end = block->bytes + kBlockBytes;
    }
    list.at = row_encoding::PutVarint(list.at, row - list.lastRow);
    list.at = row_encoding::PutVarint(list.at, nameNumber);
    list.lastRow = row;
    ++list.count;
  }

  size_t Count(uint32_t slot) const { return lists_[slot].count; }

  // Calls f(row, nameNumber) for each match of the slot, in the order added.
  template <class F>
  void ForEach(uint32_t slot, F&& f) const {
    const List& list = lists_[slot];
    uint32_t row = 0;
    for (const Block* block = list.first; block; block = block->next) {
      if (block->next) __builtin_prefetch(block->next);
      const auto* in = reinterpret_cast<const unsigned char*>(block->bytes);
      const auto* const end =
          block == list.last ? reinterpret_cast<const unsigned char*>(list.at) : in + block->used;
      while (in < end) {
        row += row_encoding::GetVarint(in);
        f(row, row_encoding::GetVarint(in));
      }
    }
  }

 private:
  static constexpr size_t kBlockBytes = 1024 - 16;
  struct Block {
    Block* next;
    uint32_t used;  // set once the block is full; the last block of a list ends at List::at
    char bytes[kBlockBytes];
  };
  struct List {
    char* at = nullptr;  // where the next match goes, in the last block
    char* end = nullptr;
    Block* first = nullptr;
    Block* last = nullptr;
    size_t count = 0;
    uint32_t lastRow = 0;
  };
  static constexpr size_t kPoolBlocks = 1024;

  Block* NewBlock() {
    if (poolUsed_ == kPoolBlocks) {
      pools_.emplace_back(new Block[kPoolBlocks]);
      poolUsed_ = 0;
    }
    Block* block = &pools_.back()[poolUsed_++];
    block->next = nullptr;
    block->used = 0;
    return block;
  }

  std::vector<List> lists_;
  std::vector<std::unique_ptr<Block[]>> pools_;
  size_t poolUsed_ = kPoolBlocks;
};

}  // namespace

void PerOrderTally(const Sheet& sheet, const std::vector<std::string>& entries,
                   std::string_view priceText, const LineSink& emit) {
  // One pass over the sheet looks up each order cell and adds each match to its slot's list.
  const EntrySlots slots(entries);
  MatchLists lists(slots.Count());
  ShortNames names;
  const int rowCount = sheet.RowCount();
  if (slots.Count() > 0) {
    for (int r = 1; r < rowCount; ++r) {
      std::string_view name;
      bool named = false;
      uint32_t nameNumber = 0;
      sheet.ForEachRunCell(r, 0, [&](int col, std::string_view text) {
        if (col == 0) {
          name = text;
          return;
        }
        const uint32_t slot = slots.Find(text);
        if (slot == EntrySlots::kNone) return;
        if (!named) {
          nameNumber = names.Number(ShortNames::Key(ShortName(name)));
          named = true;
        }
        lists.Add(slot, static_cast<uint32_t>(r), nameNumber);
      });
    }
  }

  int64_t total = 0;
  std::string line;
  for (size_t i = 0; i < entries.size(); ++i) {
    const uint32_t slot = slots.SlotOfEntry(i);
    const size_t count = lists.Count(slot);
    std::string head = entries[i];
    head += '=';
    AppendNumber(head, static_cast<int64_t>(count));
    head += kPhotos;
    // Per match " [", the row (at most 10 digits), "]" and the short name.
    const size_t room = head.size() + count * (2 + 10 + 1 + 4);
    if (line.size() < room) line.resize(room);
    char* out = std::copy(head.begin(), head.end(), line.data());
    lists.ForEach(slot, [&](uint32_t row, uint32_t nameNumber) {
      out[0] = ' ';
      out[1] = '[';
      out = std::to_chars(out + 2, out + 12, row).ptr;
      *out++ = ']';
      out = names.Write(nameNumber, out);
    });
    emit(std::string_view(line.data(), static_cast<size_t>(out - line.data())));
    total += static_cast<int64_t>(count);
  }
  std::string totalLine(kTotal);
  AppendNumber(totalLine, PriceValue(priceText) * total);
  totalLine += kYenOpen;
  AppendNumber(totalLine, total);
  totalLine += kPhotosClose;
  emit(totalLine);
}

std::vector<std::string> PerOrderTally(const Sheet& sheet, const std::vector<std::string>& entries,
                                       std::string_view priceText) {
  std::vector<std::string> lines;
  lines.reserve(entries.size() + 1);
  PerOrderTally(sheet, entries, priceText,
                [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

}  // namespace order
