#include "order/tally.h"

#include <charconv>
#include <limits>
#include <unordered_map>

namespace order {

namespace {

// The literal pieces of the lines, in CP932.
constexpr std::string_view kPhotos = "\x96\x87 ";                  // "枚 "
constexpr std::string_view kYenClose = "\x89\x7E)";                // "円)"
constexpr std::string_view kTotal = "\x8D\x87\x8C\x76 ";           // "合計 "
constexpr std::string_view kYenOpen = "\x89\x7E(";                 // "円("
constexpr std::string_view kPhotosClose = "\x96\x87)";             // "枚)"

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

std::vector<std::string> PerPersonTally(const Sheet& sheet, std::string_view priceText) {
  const int64_t price = PriceValue(priceText);
  std::vector<std::string> lines;
  for (int r = 1; r < sheet.RowCount(); ++r) {
    if (sheet.Cell(0, r).empty()) continue;  // a row without a name has no order run
    std::string line;
    int64_t cells = 0;
    sheet.ForEachRunCell(r, 0, [&](int, const std::string& text) {
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
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::string> PerOrderTally(const Sheet& sheet, const std::vector<std::string>& entries,
                                       std::string_view priceText) {
  // Each distinct entry text gets a slot; one pass over the sheet appends the matches of every
  // order cell to its slot, in row and column order, as a scan per entry would find them.
  struct Slot {
    int64_t count = 0;
    std::string matches;
  };
  std::unordered_map<std::string_view, size_t> slotOf;
  slotOf.reserve(entries.size());
  std::vector<size_t> entrySlot;
  entrySlot.reserve(entries.size());
  for (const std::string& e : entries)
    entrySlot.push_back(slotOf.try_emplace(e, slotOf.size()).first->second);
  std::vector<Slot> slots(slotOf.size());

  if (!slotOf.empty()) {
    for (int r = 1; r < sheet.RowCount(); ++r) {
      sheet.ForEachRunCell(r, 0, [&](int col, const std::string& text) {
        if (col == 0) return;  // the name
        const auto it = slotOf.find(text);
        if (it == slotOf.end()) return;
        Slot& slot = slots[it->second];
        ++slot.count;
        slot.matches += " [";
        AppendNumber(slot.matches, r);
        slot.matches += ']';
        slot.matches += ShortName(sheet.Cell(0, r));
      });
    }
  }

  std::vector<std::string> lines;
  lines.reserve(entries.size() + 1);
  int64_t total = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const Slot& slot = slots[entrySlot[i]];
    std::string line = entries[i];
    line += '=';
    AppendNumber(line, slot.count);
    line += kPhotos;
    line += slot.matches;
    lines.push_back(std::move(line));
    total += slot.count;
  }
  std::string last(kTotal);
  AppendNumber(last, PriceValue(priceText) * total);
  last += kYenOpen;
  AppendNumber(last, total);
  last += kPhotosClose;
  lines.push_back(std::move(last));
  return lines;
}

}  // namespace order
