// The order book's hot paths on large generated sheets: person rows with a CP932 name and ten
// order numbers each, and a picker of 1,000 order numbers. The data is generated here, the same on
// every run.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"
#include "book_load.h"
#include "order/entry.h"
#include "order/order_file.h"
#include "order/reference_files.h"
#include "order/sheet.h"
#include "order/tally.h"

namespace {

namespace fs = std::filesystem;

using bench::kPickerEntries;
using bench::kPrice;
using bench::OrderFileBytes;
using bench::OrderFilePath;
using bench::OrderNumberBytes;
using bench::ScratchDir;

// A sheet as the program holds it after loading the order file of `rows` rows, built once.
const order::Sheet& LoadedSheet(int rows) {
  static std::map<int, std::unique_ptr<order::Sheet>> sheets;
  auto& sheet = sheets[rows];
  if (!sheet) {
    sheet = std::make_unique<order::Sheet>();
    order::SetUpHeader(*sheet);
    order::LoadOrderText(*sheet, OrderFileBytes(rows));
  }
  return *sheet;
}

// The picker's entries "1" to "count", built once per size.
const std::vector<std::string>& Picker(int count) {
  static std::map<int, std::vector<std::string>> pickers;
  auto [it, added] = pickers.try_emplace(count);
  if (added) it->second = order::SplitLines(OrderNumberBytes(count));
  return it->second;
}

void ReadOrderFile(benchmark::State& state) { bench::TimeOrderBookLoad(state); }

// The text of the order file alone, without the file system.
void OrderFileText(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const order::Sheet& sheet = LoadedSheet(rows);
  for (auto _ : state) benchmark::DoNotOptimize(order::OrderFileText(sheet));
  state.SetItemsProcessed(state.iterations() * rows);
}

// Writing includes the flush to disk that makes the write safe.
void WriteOrderFile(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const order::Sheet& sheet = LoadedSheet(rows);
  const std::string path = (ScratchDir() / "written.txt").string();
  for (auto _ : state) order::WriteOrderFile(sheet, path);
  state.SetItemsProcessed(state.iterations() * rows);
}

void PerPersonTally(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const order::Sheet& sheet = LoadedSheet(rows);
  for (auto _ : state) benchmark::DoNotOptimize(order::PerPersonTally(sheet, kPrice));
  state.SetItemsProcessed(state.iterations() * rows);
}

// Arguments: rows, picker entries. With ten times the entries (only the first 1,000 of them
// ordered) the time must grow by the entries' share only, not ten times.
void PerOrderTally(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const order::Sheet& sheet = LoadedSheet(rows);
  const auto& entries = Picker(static_cast<int>(state.range(1)));
  for (auto _ : state) benchmark::DoNotOptimize(order::PerOrderTally(sheet, entries, kPrice));
  state.SetItemsProcessed(state.iterations() * rows);
}

// A list of `lines` order numbers, as the order-number file or the list editor holds it.
void SplitLines(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const std::string text = OrderNumberBytes(lines);
  for (auto _ : state) benchmark::DoNotOptimize(order::SplitLines(text));
  state.SetItemsProcessed(state.iterations() * lines);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}

}  // namespace

BENCHMARK(ReadOrderFile)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(OrderFileText)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(WriteOrderFile)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(PerPersonTally)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(PerOrderTally)
    ->Args({10'000, kPickerEntries})
    ->Args({100'000, kPickerEntries})
    ->Args({100'000, 10 * kPickerEntries})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SplitLines)
    ->Arg(kPickerEntries)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMicrosecond);
