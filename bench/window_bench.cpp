// The main window's commands on large sheets, through the real window on an offscreen display:
// loading an order file until the grid has shown its last row, saving it, and both tallies until
// the result list is on screen. The window is made anew for every load, outside the timing.
//
// Beside them the same work through the order book alone (Book...), so that bench/run can tell
// what the window adds. `window_bench --resident-after-load ROWS` instead prints the resident
// memory, in kB, of a fresh process after the window has loaded ROWS rows, and exits.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QTableView>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench_data.h"
#include "book_load.h"
#include "order/entry.h"
#include "order/order_file.h"
#include "order/reference_files.h"
#include "order/tally.h"
#include "ui/form1.h"
#include "vcl/application.h"
#include "vcl/error_box.h"
#include "vcl/file_dialog.h"

namespace {

using bench::OrderFilePath;

// The window as the program makes it, in the scratch folder with a picker of 1,000 entries.
class Window {
 public:
  Window() : app_(std::make_unique<vcl::TApplication>()) {
    app_->Initialize();
    app_->CreateForm(Form1);
    QApplication::processEvents();
  }
  ~Window() {
    app_.reset();
    Form1 = nullptr;
  }

 private:
  std::unique_ptr<vcl::TApplication> app_;
};

void Answer(const std::string& path) {
  vcl::TOpenDialog::QueueAnswer([path](const vcl::FileDialogShown&) { return path; });
}

// Paints what the commands changed and scrolls the grid to its last row.
void ShowToTheEnd() {
  QApplication::processEvents();
  Form1->StringGrid1->View()->scrollToBottom();
  QApplication::processEvents();
}

// Loads the order file of `rows` rows into the window (a window of its own, made beforehand).
void Load(int rows) {
  Answer(OrderFilePath(rows));
  Form1->K2->Click();
  ShowToTheEnd();
}

void WindowLoad(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  OrderFilePath(rows);  // the file is written once, before the timing
  for (auto _ : state) {
    state.PauseTiming();
    auto window = std::make_unique<Window>();
    state.ResumeTiming();
    Load(rows);
    state.PauseTiming();
    if (Form1->StringGrid1->Sheet().RowCount() != rows + 1) state.SkipWithError("rows missing");
    window.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * rows);
}

void WindowSave(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  Window window;
  Load(rows);
  const std::string path = (bench::ScratchDir() / "saved.txt").string();
  std::filesystem::remove(path);
  for (auto _ : state) {
    Answer(path);
    vcl::TSaveDialog::QueueOverwriteAnswer([](const std::string&) { return true; });
    Form1->K6->Click();
  }
  vcl::TSaveDialog::ClearOverwriteAnswers();
  if (std::filesystem::file_size(path) != std::filesystem::file_size(OrderFilePath(rows)))
    state.SkipWithError("saved file differs in size");
  state.SetItemsProcessed(state.iterations() * rows);
}

// Either tally, from the menu until its lines are on screen. The window's first tally, which
// also sets up the list's font once, is not timed.
void WindowTally(benchmark::State& state, vcl::TMenuItem* TForm1::*item) {
  const int rows = static_cast<int>(state.range(0));
  Window window;
  Load(rows);
  (Form1->*item)->Click();
  QApplication::processEvents();
  for (auto _ : state) {
    (Form1->*item)->Click();
    QApplication::processEvents();
  }
  if (Form1->ListBox2->Items().size() < static_cast<size_t>(item == &TForm1::K7 ? rows : 1))
    state.SkipWithError("lines missing");
  state.SetItemsProcessed(state.iterations() * rows);
}

void WindowPerPersonTally(benchmark::State& state) { WindowTally(state, &TForm1::K7); }
void WindowPerOrderTally(benchmark::State& state) { WindowTally(state, &TForm1::K9); }

// The same load through the order book alone: the file into a sheet with its header.
void BookLoad(benchmark::State& state) { bench::TimeOrderBookLoad(state); }

// A loaded sheet and the picker, as the window holds them, for the tallies of the order book.
struct Book {
  order::Sheet sheet;
  std::vector<std::string> picker =
      order::SplitLines(bench::OrderNumberBytes(bench::kPickerEntries));
  explicit Book(int rows) {
    order::SetUpHeader(sheet);
    order::ReadOrderFile(sheet, OrderFilePath(rows));
  }
};

void BookPerPersonTally(benchmark::State& state) {
  const Book book(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(order::PerPersonTally(book.sheet, bench::kPrice));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BookPerOrderTally(benchmark::State& state) {
  const Book book(static_cast<int>(state.range(0)));
  for (auto _ : state)
    benchmark::DoNotOptimize(order::PerOrderTally(book.sheet, book.picker, bench::kPrice));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Resident memory of this process, in kB.
long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

BENCHMARK(WindowLoad)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BookLoad)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowSave)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowPerPersonTally)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BookPerPersonTally)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowPerOrderTally)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BookPerOrderTally)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qt(argc, argv);
  // The reference files of the window: the default price and 1,000 order numbers.
  std::filesystem::current_path(bench::ScratchDir());
  std::FILE* numbers = std::fopen("VELMORA_CBANGO.TXT", "wb");
  const std::string bytes = bench::OrderNumberBytes(bench::kPickerEntries);
  if (!numbers || std::fwrite(bytes.data(), 1, bytes.size(), numbers) != bytes.size() ||
      std::fclose(numbers))
    return 1;
  // A benchmark that shows an error measures nothing: stop there.
  vcl::SetErrorBoxPresenter([](const std::string&, const std::string& text) {
    std::fprintf(stderr, "error box: %s\n", text.c_str());
    std::exit(1);
  });
  if (argc == 3 && std::strcmp(argv[1], "--resident-after-load") == 0) {
    const int rows = std::atoi(argv[2]);
    OrderFilePath(rows);  // written before the window is made, so its bytes are not counted
    Window window;
    Load(rows);
    if (Form1->StringGrid1->Sheet().RowCount() != rows + 1) return 1;
    std::printf("%ld\n", ResidentKb());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
