// The two tallies over the order sheet, as CP932 lines for the result list.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "order/sheet.h"

namespace order {

// The unit price text read as a decimal integer: blanks (TAB to CR, space) skipped, one optional
// sign, ASCII digits up to the first other byte; no digit gives 0. Clamped to the 32-bit range.
int32_t PriceValue(std::string_view text);

// The first 4 bytes of a name (the whole name when shorter), cut by bytes.
std::string_view ShortName(std::string_view name);

// Receives the lines of a tally one by one, in order.
using LineSink = std::function<void(std::string_view line)>;

// One line per person row with a name, in row order: " name order order(N枚 A円)".
void PerPersonTally(const Sheet& sheet, std::string_view priceText, const LineSink& emit);
std::vector<std::string> PerPersonTally(const Sheet& sheet, std::string_view priceText);

// One line per picker entry, in list order: "E=C枚 " and " [row]short name" per matching order
// cell, in row and column order; then "合計 A円(T枚)". One pass over the sheet.
void PerOrderTally(const Sheet& sheet, const std::vector<std::string>& entries,
                   std::string_view priceText, const LineSink& emit);
std::vector<std::string> PerOrderTally(const Sheet& sheet, const std::vector<std::string>& entries,
                                       std::string_view priceText);

}  // namespace order
