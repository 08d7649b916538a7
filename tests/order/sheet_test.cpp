#include "order/sheet.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <fstream>

#include "order/entry.h"
#include "rtl/exception.h"
#include "support/temp_dir.h"

using order::Sheet;
using testing_support::Sjis;

namespace {

TEST(Sheet, CellsAreSparseAndReadEmptyAnywhere) {
  Sheet sheet;
  EXPECT_EQ(sheet.Cell(0, 0), "");
  EXPECT_EQ(sheet.Cell(60, 3), "");
  EXPECT_EQ(sheet.Cell(2, 1000), "");

  sheet.SetCell(1'000'000, 1'000'000, "far");
  sheet.SetCell(70, 2, "beyond the columns");
  EXPECT_EQ(sheet.Cell(1'000'000, 1'000'000), "far");
  EXPECT_EQ(sheet.Cell(70, 2), "beyond the columns");
  EXPECT_EQ(sheet.RowCount(), 5) << "writing outside the counts changes no count";

  sheet.SetCell(3, 1, " ");
  EXPECT_EQ(sheet.Cell(3, 1), " ") << "blanks are text";
  sheet.SetCell(3, 1, "");
  EXPECT_EQ(sheet.Cell(3, 1), "");
}

// Resident memory of this process, in bytes.
size_t ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  size_t pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<size_t>(sysconf(_SC_PAGESIZE));
}

TEST(Sheet, AFarCellCostsOneCell) {
  Sheet sheet;
  const size_t before = ResidentBytes();
  sheet.SetCell(1'000'000, 1'000'000, "far");
  sheet.SetCell(5, 2'000'000'000, "farther");
  // A row per row above them would take tens of megabytes.
  EXPECT_LT(ResidentBytes() - before, 4u << 20);
  EXPECT_EQ(sheet.Cell(1'000'000, 1'000'000), "far");
  EXPECT_EQ(sheet.Cell(5, 2'000'000'000), "farther");
}

TEST(Sheet, RowsWrittenOutOfOrderKeepTheirCells) {
  Sheet sheet;
  sheet.SetCell(0, 5000, "first written");
  sheet.SetCell(3, 5000, "x");
  for (int r = 0; r < 6000; ++r) sheet.SetCell(1, r, std::to_string(r));
  EXPECT_EQ(sheet.Cell(0, 5000), "first written");
  EXPECT_EQ(sheet.Cell(1, 5000), "5000");
  EXPECT_EQ(sheet.Cell(3, 5000), "x");
  EXPECT_EQ(sheet.Cell(1, 5999), "5999");
  sheet.SetCell(1, 5000, "");
  sheet.SetCell(0, 5000, "");
  EXPECT_EQ(sheet.Cell(3, 5000), "x");
  EXPECT_EQ(sheet.RunLength(5000), 0);
}

TEST(Sheet, RowCountNeverBelowOneAndKeepsHiddenRows) {
  Sheet sheet;
  sheet.SetRowCount(10);
  sheet.SetCell(0, 7, "hidden later");
  sheet.MoveTo(4, 8);
  sheet.SetRowCount(3);
  EXPECT_EQ(sheet.RowCount(), 3);
  EXPECT_EQ(sheet.Col(), 4);
  EXPECT_EQ(sheet.Row(), 2) << "the current row moves to the last row, its column stays";
  sheet.SetRowCount(10);
  EXPECT_EQ(sheet.Cell(0, 7), "hidden later");

  sheet.SetRowCount(0);
  EXPECT_EQ(sheet.RowCount(), 1);
  sheet.SetRowCount(-5);
  EXPECT_EQ(sheet.RowCount(), 1);
}

TEST(Sheet, MovesOutsideTheGridFailAndStay) {
  Sheet sheet;
  EXPECT_EQ(sheet.Col(), 1);
  EXPECT_EQ(sheet.Row(), 1);
  for (auto [col, row] : {std::pair{50, 1}, {-1, 1}, {1, 5}, {1, -1}}) {
    EXPECT_THROW(sheet.MoveTo(col, row), rtl::EInvalidGridOperation) << col << "," << row;
    EXPECT_EQ(sheet.Col(), 1);
    EXPECT_EQ(sheet.Row(), 1);
  }
  sheet.MoveTo(49, 4);
  EXPECT_EQ(sheet.Col(), 49);
  EXPECT_EQ(sheet.Row(), 4);
}

TEST(Sheet, HeaderSetUp) {
  Sheet sheet;
  order::SetUpHeader(sheet);
  EXPECT_EQ(sheet.Cell(0, 0), "\x8E\x81\x96\xBC");  // 氏名
  EXPECT_EQ(sheet.Cell(1, 0), "1");
  EXPECT_EQ(sheet.Cell(10, 0), "10");
  EXPECT_EQ(sheet.Cell(49, 0), "49");
  EXPECT_EQ(sheet.Cell(50, 0), "");
  EXPECT_EQ(sheet.ColWidth(0), 80);
  EXPECT_EQ(sheet.ColWidth(1), 40);
  EXPECT_EQ(sheet.ColWidth(49), 40);
}

TEST(Sheet, OrderRunEndsAtTheFirstEmptyCell) {
  Sheet sheet;
  sheet.SetCell(0, 1, "Kiwi");
  sheet.SetCell(1, 1, "12");
  sheet.SetCell(3, 1, "15");
  EXPECT_EQ(sheet.RunLength(1), 2);
  EXPECT_EQ(sheet.RunLength(1, 3), 1);

  sheet.SetCell(1, 2, "4");
  sheet.SetCell(2, 2, "8");
  EXPECT_EQ(sheet.RunLength(2), 0) << "an empty name gives an empty run";

  for (int c = 0; c < 50; ++c) sheet.SetCell(c, 3, "x");
  EXPECT_EQ(sheet.RunLength(3), 50);
  sheet.SetCell(50, 3, "x");
  sheet.SetCell(51, 3, "y");
  EXPECT_EQ(sheet.RunLength(3), 52);
  sheet.SetCell(20, 3, "");
  EXPECT_EQ(sheet.RunLength(3), 20) << "an erased cell ends the run like one never written";
}

const std::vector<std::string> kEntries = {"12", "15", "20"};

TEST(Entry, PickWritesTheCurrentCellAndMovesRight) {
  Sheet sheet;
  sheet.MoveTo(3, 2);
  order::PickEntry(sheet, kEntries, 0);
  EXPECT_EQ(sheet.Cell(3, 2), "12");
  EXPECT_EQ(sheet.Col(), 4);
  EXPECT_EQ(sheet.Row(), 2);
  order::PickEntry(sheet, kEntries, 0);
  EXPECT_EQ(sheet.Cell(4, 2), "12") << "a second pick of the same entry enters it again";
}

TEST(Entry, PickAtTheLastColumnWritesThenFails) {
  Sheet sheet;
  sheet.MoveTo(49, 2);
  EXPECT_THROW(order::PickEntry(sheet, kEntries, 0), rtl::EInvalidGridOperation);
  EXPECT_EQ(sheet.Cell(49, 2), "12");
  EXPECT_EQ(sheet.Col(), 49);
  EXPECT_THROW(order::PickEntry(sheet, kEntries, 2), rtl::EInvalidGridOperation);
  EXPECT_EQ(sheet.Cell(49, 2), "20") << "further picks overwrite the last cell";
}

TEST(Entry, PickWithoutASelectedEntryWritesNothing) {
  Sheet sheet;
  for (int index : {-1, 3}) {
    EXPECT_THROW(order::PickEntry(sheet, kEntries, index), rtl::EStringListError);
    EXPECT_EQ(sheet.Cell(1, 1), "");
    EXPECT_EQ(sheet.Col(), 1);
  }
  EXPECT_THROW(order::PickEntry(sheet, {}, 0), rtl::EStringListError);
}

TEST(Entry, NextLine) {
  struct Case {
    int rowCount, col, row, wantRow;
  };
  for (const Case c : {Case{10, 7, 2, 3}, Case{10, 7, 9, 1}, Case{2, 5, 1, 1}, Case{10, 1, 4, 5}}) {
    Sheet sheet;
    sheet.SetRowCount(c.rowCount);
    sheet.MoveTo(c.col, c.row);
    order::NextLine(sheet);
    EXPECT_EQ(sheet.Col(), 1) << c.col << "," << c.row;
    EXPECT_EQ(sheet.Row(), c.wantRow) << c.col << "," << c.row;
    EXPECT_EQ(sheet.Cell(c.col, c.row), "") << "nothing is written";
  }
}

// Records what a view would be told.
struct Recorder : order::SheetObserver {
  std::vector<std::string> events;
  void CellChanged(int c, int r) override {
    events.push_back("cell " + std::to_string(c) + "," + std::to_string(r));
  }
  void RowCountChanged(int o, int n) override {
    events.push_back("rows " + std::to_string(o) + "->" + std::to_string(n));
  }
  void CurrentCellChanged(int c, int r) override {
    events.push_back("current " + std::to_string(c) + "," + std::to_string(r));
  }
  void ColWidthChanged(int c) override { events.push_back("width " + std::to_string(c)); }
  void SheetReset() override { events.push_back("reset"); }
};

TEST(Sheet, TellsItsObserverOfEveryChangeOrOneResetForABatch) {
  Sheet sheet;
  Recorder recorder;
  sheet.SetObserver(&recorder);
  sheet.SetCell(2, 3, "a");
  sheet.SetCell(2, 3, "a");  // no change, no word
  sheet.SetCell(2, 3, "");
  sheet.SetRowCount(2);
  sheet.MoveTo(2, 1);
  sheet.BeginUpdate();
  sheet.SetCell(1, 1, "b");
  sheet.SetRowCount(9);
  sheet.EndUpdate();
  EXPECT_EQ(recorder.events, (std::vector<std::string>{"cell 2,3", "cell 2,3", "rows 5->2",
                                                       "current 2,1", "reset"}));
}

// Cells are kept packed per row: short texts next to each other take one byte besides their
// bytes, anything else a longer header. Every shape must read back as written.
TEST(Sheet, CellsOfEveryShapeReadBack) {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
  const std::vector<std::string> texts = {
      "1",      std::string(127, 'a'),       std::string(128, 'b'),
      allBytes, std::string(70'000, '\x82'), "\t\r\n"};
  const std::vector<int> cols = {0, 1, 2, 127, 128, 129, 16'383, 16'384, 1'000'000, INT32_MAX};
  Sheet sheet;
  // Row r holds texts[(r + k) % n] at cols[k]; written from the last column to the first, so
  // that every write lands before the cells already there.
  for (int r = 1; r <= static_cast<int>(texts.size()); ++r)
    for (size_t k = cols.size(); k-- > 0;)
      sheet.SetCell(cols[k], r, texts[(static_cast<size_t>(r) + k) % texts.size()]);
  for (int r = 1; r <= static_cast<int>(texts.size()); ++r) {
    for (size_t k = 0; k < cols.size(); ++k) {
      EXPECT_EQ(sheet.Cell(cols[k], r), texts[(static_cast<size_t>(r) + k) % texts.size()])
          << "row " << r << " col " << cols[k];
    }
    for (const int empty : {3, 126, 130, 16'382, 16'385, 999'999, INT32_MAX - 1})
      EXPECT_EQ(sheet.Cell(empty, r), "") << "row " << r << " col " << empty;
    EXPECT_EQ(sheet.RunLength(r), 3) << "columns 0, 1 and 2";
    EXPECT_EQ(sheet.RunLength(r, 127), 3);
    EXPECT_EQ(sheet.RunLength(r, INT32_MAX), 1);
  }
  // Taking the cells out again, in another order, leaves nothing behind.
  for (int r = 1; r <= static_cast<int>(texts.size()); ++r)
    for (size_t k = 0; k < cols.size(); k += 2) sheet.SetCell(cols[k], r, "");
  EXPECT_EQ(sheet.Cell(0, 1), "");
  EXPECT_EQ(sheet.Cell(1, 1), texts[2 % texts.size()]);
  EXPECT_EQ(sheet.RunLength(1, 1), 1);
}

// A view of a cell stays good while other rows change, and a cell may be written from a view of
// its own row.
TEST(Sheet, ViewsOutliveChangesToOtherRows) {
  Sheet sheet;
  sheet.SetCell(0, 1, "Kiwi");
  sheet.SetCell(1, 1, "12");
  const std::string_view kept = sheet.Cell(0, 1);
  for (int round = 0; round < 50; ++round) {
    for (int r = 2; r < 3000; ++r)
      sheet.SetCell(0, r, std::string(20, static_cast<char>('a' + round % 26)));
    for (int r = 2; r < 3000; r += 2) sheet.SetCell(0, r, "");
  }
  EXPECT_EQ(kept, "Kiwi");

  sheet.SetCell(2, 1, sheet.Cell(0, 1));
  EXPECT_EQ(sheet.Cell(2, 1), "Kiwi");
  sheet.SetCell(0, 1, sheet.Cell(1, 1));
  EXPECT_EQ(sheet.Cell(0, 1), "12");
  sheet.SetRowFields(1, {sheet.Cell(2, 1), sheet.Cell(0, 1)});
  EXPECT_EQ(sheet.Cell(0, 1), "Kiwi");
  EXPECT_EQ(sheet.Cell(1, 1), "12");
  EXPECT_EQ(sheet.Cell(2, 1), "Kiwi") << "the cell after the fields keeps its text";
  sheet.SetCell(5, 2999, sheet.Cell(0, 2999));
  EXPECT_EQ(sheet.Cell(5, 2999), std::string(20, 'x'));
}

TEST(Sheet, ACopyIsASheetOfItsOwn) {
  Sheet sheet;
  order::SetUpHeader(sheet);
  sheet.SetRowCount(3000);
  for (int r = 1; r < 3000; ++r) sheet.SetRowFields(r, {"name" + std::to_string(r), "1", "2"});
  sheet.SetCell(7, 2'000'000'000, "far");
  sheet.MoveTo(3, 40);

  Sheet copy = sheet;
  sheet.SetCell(1, 10, "changed");
  sheet.SetCell(7, 2'000'000'000, "");
  sheet.SetRowCount(2);
  EXPECT_EQ(copy.Cell(1, 10), "1");
  EXPECT_EQ(copy.Cell(0, 2999), "name2999");
  EXPECT_EQ(copy.Cell(7, 2'000'000'000), "far");
  EXPECT_EQ(copy.Cell(5, 0), "5");
  EXPECT_EQ(copy.RowCount(), 3000);
  EXPECT_EQ(copy.Row(), 40);
  EXPECT_EQ(copy.ColWidth(0), 80);

  Sheet moved = std::move(copy);
  EXPECT_EQ(moved.Cell(0, 2999), "name2999");
  copy = moved;  // a sheet moved from can be assigned again
  moved = Sheet();
  EXPECT_EQ(copy.Cell(7, 2'000'000'000), "far");
  EXPECT_EQ(moved.Cell(0, 2999), "");
  const Sheet& same = copy;
  copy = same;
  EXPECT_EQ(copy.Cell(0, 1), "name1");
}

// A sheet loaded again and again replaces every row each time: its storage must hold the rows it
// has, not every row it ever had.
TEST(RowArena, HoldsTheLiveRunsNotEveryRunEver) {
  order::RowArena arena;
  constexpr int kRows = 20'000;
  constexpr size_t kRow = 50;
  std::vector<order::RowArena::Run> rows;
  for (int load = 0; load < 10; ++load) {
    for (int r = 0; r < kRows; ++r) {
      const order::RowArena::Run run = arena.Allocate(kRow);
      std::memset(run.data, 'a' + load, kRow);
      if (load > 0) {
        arena.Release(rows[static_cast<size_t>(r)].block, kRow);
        rows[static_cast<size_t>(r)] = run;
      } else {
        rows.push_back(run);
      }
    }
  }
  EXPECT_LT(arena.CapacityBytes(), 2 * kRows * kRow + (2u << 20));
  for (const auto& run : rows) ASSERT_EQ(std::string(run.data, kRow), std::string(kRow, 'j'));

  const order::RowArena::Run large = arena.Allocate(8u << 20);
  std::memset(large.data, 'L', 8u << 20);
  const size_t withLarge = arena.CapacityBytes();
  arena.Release(large.block, 8u << 20);
  EXPECT_LE(arena.CapacityBytes(), withLarge - (8u << 20)) << "a large run's block goes back";

  for (const auto& run : rows) arena.Release(run.block, kRow);
  EXPECT_LE(arena.CapacityBytes(), 1u << 20) << "at most the block new runs are cut from stays";
}

}  // namespace
