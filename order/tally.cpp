#include "order/tally.h"

#include <charconv>
#include <limits>
#include <unordered_map>

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

void PerOrderTally(const Sheet& sheet, const std::vector<std::string>& entries,
                   std::string_view priceText, const LineSink& emit) {
  // Each distinct entry text gets a slot; one pass over the sheet notes in each slot the rows of
  // the order cells with its text, in row and column order, as a scan per entry would find them.
  std::unordered_map<std::string_view, size_t> slotOf;
  slotOf.reserve(entries.size());
  std::vector<size_t> entrySlot;
  entrySlot.reserve(entries.size());
  for (const std::string& e : entries)
    entrySlot.push_back(slotOf.try_emplace(e, slotOf.size()).first->second);
  // A match keeps its row's short name, so that the lines are written without going back to
  // the rows.
  struct Match {
    int32_t row;
    uint8_t nameLength;
    char name[4];
  };
  std::vector<std::vector<Match>> matches(slotOf.size());

  if (!slotOf.empty()) {
    for (int r = 1; r < sheet.RowCount(); ++r) {
      Match match{r, 0, {}};
      sheet.ForEachRunCell(r, 0, [&](int col, std::string_view text) {
        if (col == 0) {
          const std::string_view name = ShortName(text);
          match.nameLength = static_cast<uint8_t>(name.size());
          name.copy(match.name, name.size());
          return;
        }
        const auto it = slotOf.find(text);
        if (it != slotOf.end()) matches[it->second].push_back(match);
      });
    }
  }

  int64_t total = 0;
  std::string line;
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::vector<Match>& found = matches[entrySlot[i]];
    const int64_t count = static_cast<int64_t>(found.size());
    line.clear();
    line.reserve(entries[i].size() + 24 + found.size() * 18);
    line += entries[i];
    line += '=';
    AppendNumber(line, count);
    line += kPhotos;
    for (const Match& m : found) {
      line += " [";
      AppendNumber(line, m.row);
      line += ']';
      line.append(m.name, m.nameLength);
    }
    emit(line);
    total += count;
  }
  std::string last(kTotal);
  AppendNumber(last, PriceValue(priceText) * total);
  last += kYenOpen;
  AppendNumber(last, total);
  last += kPhotosClose;
  emit(last);
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
