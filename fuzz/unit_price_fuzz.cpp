// The price file on any bytes: UnitPriceFromText compared with a plain model (the first text-mode
// line, its LF kept, cut at the first NUL), then PriceValue of that text and of the raw bytes
// compared with strtoll clamped to the 32-bit range.

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "order/reference_files.h"
#include "order/tally.h"

namespace {

std::optional<std::string> ModelPrice(std::string_view data) {
  std::string text;  // the text-mode bytes of the first line, LF included
  for (const char c : data) {
    if (c == '\x1A') break;
    if (c == '\r') continue;
    text += c;
    if (c == '\n') break;
  }
  if (text.empty()) return std::nullopt;
  const size_t nul = text.find('\0');
  return nul == std::string::npos ? text : text.substr(0, nul);
}

// The C library's reading of a decimal number (it stops at a NUL as PriceValue stops at any
// byte that is not a digit), clamped.
int32_t ModelValue(std::string_view text) {
  const std::string copy(text);
  errno = 0;
  const long long value = std::strtoll(copy.c_str(), nullptr, 10);
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::optional<std::string> price = order::UnitPriceFromText(bytes);
  FUZZ_CHECK(price == ModelPrice(bytes));
  if (price) FUZZ_CHECK(order::PriceValue(*price) == ModelValue(*price));
  // The price box may hold any text, the raw bytes included.
  FUZZ_CHECK(order::PriceValue(bytes) == ModelValue(bytes));
  return 0;
}
