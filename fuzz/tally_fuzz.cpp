// The two tallies over a sheet loaded from any order file bytes, compared with the plain way of
// computing them: per person a walk along the row, and per order number a scan of the whole sheet
// for each picker entry. The picker holds the order texts of rows 1 to 3 as they stand (so
// entries repeat and match several cells), the first name, an empty entry and one that matches
// nothing; the price text is cell (1, 1), so that the fuzzer chooses it too.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "order/order_file.h"
#include "order/sheet.h"
#include "order/tally.h"

namespace {

constexpr std::string_view kPhotos = "\x96\x87";         // "枚"
constexpr std::string_view kYen = "\x89\x7E";            // "円"
constexpr std::string_view kTotal = "\x8D\x87\x8C\x76";  // "合計"

std::vector<std::string> PlainPerPerson(const order::Sheet& sheet, int64_t price) {
  std::vector<std::string> lines;
  for (int r = 1; r < sheet.RowCount(); ++r) {
    if (sheet.Cell(0, r).empty()) continue;
    std::string line;
    int64_t photos = -1;  // the name is not a photo
    for (int c = 0; !sheet.Cell(c, r).empty(); ++c, ++photos)
      line.append(" ").append(sheet.Cell(c, r));
    line.append("(").append(std::to_string(photos)).append(kPhotos).append(" ");
    line.append(std::to_string(price * photos)).append(kYen).append(")");
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> PlainPerOrder(const order::Sheet& sheet,
                                       const std::vector<std::string>& entries, int64_t price) {
  std::vector<std::string> lines;
  int64_t total = 0;
  for (const std::string& entry : entries) {
    int64_t count = 0;
    std::string found;
    for (int r = 1; r < sheet.RowCount(); ++r) {
      const std::string_view name = sheet.Cell(0, r);
      if (name.empty()) continue;  // the row's order run is empty
      for (int c = 1; !sheet.Cell(c, r).empty(); ++c) {
        if (sheet.Cell(c, r) != entry) continue;
        ++count;
        found += " [" + std::to_string(r) + "]" + std::string(name.substr(0, 4));
      }
    }
    lines.push_back(entry + "=" + std::to_string(count) + std::string(kPhotos) + " " + found);
    total += count;
  }
  lines.push_back(std::string(kTotal) + " " + std::to_string(price * total) + std::string(kYen) +
                  "(" + std::to_string(total) + std::string(kPhotos) + ")");
  return lines;
}

std::vector<std::string> Collect(const auto& tally) {
  std::vector<std::string> lines;
  tally([&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  order::Sheet sheet;
  order::LoadOrderText(sheet, std::string_view(reinterpret_cast<const char*>(data), size));

  std::vector<std::string> entries;
  for (int r = 1; r <= 3; ++r)
    for (int c = 1; !sheet.Cell(c, r).empty(); ++c) entries.emplace_back(sheet.Cell(c, r));
  entries.emplace_back(sheet.Cell(0, 1));
  entries.emplace_back("");
  entries.emplace_back("\x01 not ordered");
  const std::string priceText(sheet.Cell(1, 1));
  const int64_t price = order::PriceValue(priceText);

  const auto perPerson = order::PerPersonTally(sheet, priceText);
  FUZZ_CHECK(perPerson == PlainPerPerson(sheet, price));
  FUZZ_CHECK(perPerson == Collect([&](const order::LineSink& emit) {
               order::PerPersonTally(sheet, priceText, emit);
             }));

  const auto perOrder = order::PerOrderTally(sheet, entries, priceText);
  FUZZ_CHECK(perOrder == PlainPerOrder(sheet, entries, price));
  FUZZ_CHECK(perOrder == Collect([&](const order::LineSink& emit) {
               order::PerOrderTally(sheet, entries, priceText, emit);
             }));
  return 0;
}
