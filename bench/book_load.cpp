#include "book_load.h"

#include <filesystem>
#include <memory>
#include <string>

#include "bench_data.h"
#include "order/entry.h"
#include "order/order_file.h"
#include "order/sheet.h"

namespace bench {

void TimeOrderBookLoad(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const std::string& path = OrderFilePath(rows);
  for (auto _ : state) {
    state.PauseTiming();
    auto sheet = std::make_unique<order::Sheet>();
    order::SetUpHeader(*sheet);
    state.ResumeTiming();
    order::ReadOrderFile(*sheet, path);
    state.PauseTiming();
    if (sheet->RowCount() != rows + 1) state.SkipWithError("rows missing");
    sheet.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * rows);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(path)));
}

}  // namespace bench
