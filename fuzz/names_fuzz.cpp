// The names file reader on any bytes: into a fresh sheet, then over an order file's rows, each
// compared with a plain model (one line one name up to its NUL, row count lines + 1).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "fuzz/text_model.h"
#include "order/order_file.h"
#include "order/reference_files.h"
#include "order/sheet.h"

namespace {

// Loads the names and checks column 0 and the row count; `rowsBefore` rows held text before.
void LoadAndCheck(order::Sheet& sheet, std::string_view data, int rowsBefore) {
  const int countBefore = sheet.RowCount();
  // The other columns must not change.
  std::string before;
  for (int r = 0; r <= rowsBefore; ++r) before += std::string(sheet.Cell(1, r)) + '\n';

  order::LoadNamesText(sheet, data);

  const auto lines = fuzz_model::TextModeLines(data);
  const int k = static_cast<int>(lines.size());
  FUZZ_CHECK(sheet.RowCount() == (k == 0 ? countBefore : k + 1));
  for (int i = 0; i < k; ++i) FUZZ_CHECK(sheet.Cell(0, i + 1) == fuzz_model::UpToNul(lines[i]));
  std::string after;
  for (int r = 0; r <= rowsBefore; ++r) after += std::string(sheet.Cell(1, r)) + '\n';
  FUZZ_CHECK(after == before);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  order::Sheet fresh;
  LoadAndCheck(fresh, bytes, 0);

  // A sheet with three named rows and orders; names beyond the file's lines stay.
  order::Sheet filled;
  order::LoadOrderText(filled, "a\t1\t\r\nb\t2\t\r\nc\t3\t\r\n");
  const auto lines = fuzz_model::TextModeLines(bytes);
  LoadAndCheck(filled, bytes, 3);
  const char* names[] = {"a", "b", "c"};
  for (int r = static_cast<int>(lines.size()) + 1; r <= 3; ++r)
    FUZZ_CHECK(filled.Cell(0, r) == names[r - 1]);
  return 0;
}
