// SplitLines (the order-number file and the picker's entries) on any bytes, compared with a plain
// model: up to the first NUL, a line ends at CR LF, a lone CR or a lone LF; a last line without
// an ending counts when it holds a byte.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "order/reference_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> entries = order::SplitLines(bytes);

  std::vector<std::string> model;
  std::string line;
  bool afterCr = false;
  for (const char c : bytes) {
    if (c == '\0') break;
    if (c == '\n' && afterCr) {
      afterCr = false;
      continue;
    }
    afterCr = c == '\r';
    if (c == '\r' || c == '\n') {
      model.push_back(line);
      line.clear();
    } else {
      line += c;
    }
  }
  if (!line.empty()) model.push_back(line);

  FUZZ_CHECK(entries == model);
  return 0;
}
