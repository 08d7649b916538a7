// Loading an order file through the order book alone, timed the same way by the order book's
// benchmarks and, as the yardstick of the window's load, by the window's.
#pragma once

#include <benchmark/benchmark.h>

namespace bench {

// Times order::ReadOrderFile of the file of state.range(0) rows into a new sheet with its header;
// making and freeing the sheet are not timed. Counts the rows as items and the file's bytes.
void TimeOrderBookLoad(benchmark::State& state);

}  // namespace bench
