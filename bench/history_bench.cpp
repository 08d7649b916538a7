// The memory and time of the sheet's undo history: a load of a large order file into an empty
// sheet, undone and redone, and a run of picks on the loaded sheet. The counters give the bytes
// the history reports (history_bytes), the heap it really holds as the allocator counts it
// (history_heap), and for comparison the heap of the sheet itself (sheet_heap) and the size of
// the file (file_bytes).

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>
#include <string>
#include <vector>

#include "bench_data.h"
#include "order/entry.h"
#include "order/order_file.h"
#include "order/sheet.h"
#include "order/sheet_history.h"

namespace {

using bench::OrderFileBytes;
using bench::OrderFilePath;

// Bytes in use on the heap now.
size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;  // small blocks and the large ones mapped on their own
}

// A fresh sheet as the window holds it before any file: the header only.
std::unique_ptr<order::Sheet> EmptySheet() {
  auto sheet = std::make_unique<order::Sheet>();
  order::SetUpHeader(*sheet);
  return sheet;
}

// Loads the file of range(0) rows into an empty sheet, recorded as one change.
void RecordedLoad(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const std::string& path = OrderFilePath(rows);
  size_t historyBytes = 0, historyHeap = 0, sheetHeap = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto sheet = EmptySheet();
    auto history = std::make_unique<order::SheetHistory>();
    const size_t start = HeapInUse();
    state.ResumeTiming();
    order::ReadOrderFile(*sheet, path, history.get());
    state.PauseTiming();
    const size_t loaded = HeapInUse();
    historyBytes = history->MemoryBytes();
    history.reset();
    historyHeap = loaded - HeapInUse();
    sheetHeap = HeapInUse() - start;
    sheet.reset();
    state.ResumeTiming();
  }
  state.counters["history_bytes"] = static_cast<double>(historyBytes);
  state.counters["history_heap"] = static_cast<double>(historyHeap);
  state.counters["sheet_heap"] = static_cast<double>(sheetHeap);
  state.counters["file_bytes"] = static_cast<double>(OrderFileBytes(rows).size());
}

// The same load without a history, for the time the recording adds.
void PlainLoad(benchmark::State& state) {
  const std::string& path = OrderFilePath(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    auto sheet = EmptySheet();
    state.ResumeTiming();
    order::ReadOrderFile(*sheet, path);
    state.PauseTiming();
    sheet.reset();
    state.ResumeTiming();
  }
}

// Undoes and redoes the load of range(0) rows into an empty sheet.
void UndoRedoLoad(benchmark::State& state) {
  auto sheet = EmptySheet();
  order::SheetHistory history;
  order::ReadOrderFile(*sheet, OrderFilePath(static_cast<int>(state.range(0))), &history);
  for (auto _ : state) {
    history.Undo(*sheet);
    history.Redo(*sheet);
  }
}

// range(1) picks on the sheet loaded with range(0) rows, each recorded as the window does, one
// row after another as "改行" would go; on the loaded rows each pick replaces an order number.
void Picks(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  const int picks = static_cast<int>(state.range(1));
  auto sheet = EmptySheet();
  order::ReadOrderFile(*sheet, OrderFilePath(rows));
  const std::vector<std::string> entries = {"12", "15", "20", "125"};
  size_t historyBytes = 0, historyHeap = 0;
  int round = 0;  // each round writes other entries than the last, so every pick changes a cell
  for (auto _ : state) {
    state.PauseTiming();
    ++round;
    auto history = std::make_unique<order::SheetHistory>();
    sheet->MoveTo(1, 1);
    state.ResumeTiming();
    for (int i = 0; i < picks; ++i) {
      order::SheetHistory::Change change(*history, *sheet);
      history->Touch(sheet->Col(), sheet->Row());
      order::PickEntry(*sheet, entries, (i + round) % static_cast<int>(entries.size()));
      if (sheet->Col() > 12) order::NextLine(*sheet);
    }
    state.PauseTiming();
    historyBytes = history->MemoryBytes();
    const size_t held = HeapInUse();
    history.reset();
    historyHeap = held - HeapInUse();
    state.ResumeTiming();
  }
  state.counters["history_bytes"] = static_cast<double>(historyBytes);
  state.counters["history_heap"] = static_cast<double>(historyHeap);
  state.counters["heap_per_pick"] = static_cast<double>(historyHeap) / picks;
}

BENCHMARK(RecordedLoad)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(PlainLoad)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(UndoRedoLoad)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(Picks)->Args({0, 1000})->Args({100'000, 1000})->Unit(benchmark::kMillisecond);

}  // namespace
