#include "order/sheet_history.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "order/entry.h"
#include "order/order_file.h"
#include "order/sheet.h"
#include "rtl/exception.h"
#include "support/temp_dir.h"

using order::Sheet;
using order::SheetHistory;
using testing_support::Sjis;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

// Everything a change can touch: all cells of the first rows (also those past the row count, and
// past the last column), the row count and the current cell.
struct State {
  int rowCount = 0, col = 0, row = 0;
  std::string cells;  // each cell's text after its length
  bool operator==(const State&) const = default;
};

constexpr int kRows = 64;
constexpr int kCols = Sheet::ColCount + 2;

State Snapshot(const Sheet& sheet) {
  State state{sheet.RowCount(), sheet.Col(), sheet.Row(), {}};
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kCols; ++c) {
      const std::string_view text = sheet.Cell(c, r);
      const auto size = static_cast<uint32_t>(text.size());
      state.cells.append(reinterpret_cast<const char*>(&size), sizeof size);
      state.cells += text;
    }
  }
  return state;
}

void PrintTo(const State& state, std::ostream* os) {
  *os << "rows " << state.rowCount << ", at (" << state.col << ", " << state.row << ")";
}

// Makes random changes of a sheet the three ways the window does (a pick, a cell edit, a load of
// an order file), with unrecorded moves of the current cell and "改行" between them.
class RandomChanges {
 public:
  RandomChanges(unsigned seed, Sheet& sheet, SheetHistory& history)
      : random_(seed), sheet_(sheet), history_(history) {}

  void Change() {
    switch (Pick(0, 9)) {
      case 0:
      case 1:
      case 2:
      case 3: {  // a pick; sometimes none is selected, sometimes at the last column
        SheetHistory::Change change(history_, sheet_);
        history_.Touch(sheet_.Col(), sheet_.Row());
        try {
          order::PickEntry(sheet_, entries_, Pick(-1, static_cast<int>(entries_.size()) - 1));
        } catch (const rtl::Exception&) {
        }
        break;
      }
      case 4:
      case 5:
      case 6: {  // an edit, also of the fixed cells and to the empty text
        const int col = Pick(0, kCols - 1), row = Pick(0, kRows - 1);
        SheetHistory::Change change(history_, sheet_);
        history_.Touch(col, row);
        sheet_.SetCell(col, row, Text());
        break;
      }
      default:
        Load();
    }
  }

  // Moves that are not changes.
  void Wander() {
    if (Pick(0, 2) == 0)
      sheet_.MoveTo(Pick(0, Sheet::ColCount - 1), Pick(0, sheet_.RowCount() - 1));
    if (Pick(0, 3) == 0) order::NextLine(sheet_);
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::string Text() {
    static const std::vector<std::string> kTexts = {
        "", "", "1", "12", "999", Sjis("田中"), "\xFF", std::string("a\0b", 3)};
    return kTexts[static_cast<size_t>(Pick(0, static_cast<int>(kTexts.size()) - 1))];
  }

  // An order file of up to 12 lines (now and then one of 60 full lines, several kilobytes), with
  // empty fields, lines without TAB and lines longer than the columns.
  void Load() {
    const bool big = Pick(0, 15) == 0;
    const int lines = big ? kRows - 4 : Pick(0, 12);
    std::string file;
    for (int i = 0; i < lines; ++i) {
      const int fields = big || Pick(0, 20) == 0 ? Sheet::ColCount + 1 : Pick(0, 6);
      for (int f = 0; f < fields; ++f) file += Text() + (f + 1 < fields ? "\t" : "");
      file += Pick(0, 3) == 0 ? "\t\n" : "\t\r\n";
    }
    WriteBytes(dir_ / "order.txt", file);
    order::ReadOrderFile(sheet_, dir_ / "order.txt", &history_);
  }

  std::mt19937 random_;
  Sheet& sheet_;
  SheetHistory& history_;
  TempDir dir_;
  const std::vector<std::string> entries_ = {"12", "15", Sjis("２０")};
};

// A random run of changes, then as many undos, gives back every earlier sheet in turn, down to
// the first one; as many redos then give every later one, up to the last.
TEST(SheetHistory, UndoingEveryChangeGivesTheFirstSheetAndRedoingThemTheLast) {
  for (const unsigned seed : {1u, 2u, 3u, 4u, 5u, 6u, 7u, 8u}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    Sheet sheet;
    order::SetUpHeader(sheet);
    sheet.SetCell(0, 1, "Kiwi");
    SheetHistory history;
    RandomChanges changes(seed, sheet, history);

    const State first = Snapshot(sheet);
    std::vector<State> before, after;  // around each kept step
    State is = first;
    for (int i = 0; i < 100; ++i) {
      if (i > 0) changes.Wander();
      State was = is;  // moves change the current cell only
      was.col = sheet.Col();
      was.row = sheet.Row();
      const size_t steps = history.UndoCount();
      changes.Change();
      is = Snapshot(sheet);
      if (history.UndoCount() == steps) {
        ASSERT_EQ(is, was) << "change " << i << " altered the sheet but kept no step";
      } else {
        ASSERT_EQ(history.UndoCount(), steps + 1) << "change " << i;
        ASSERT_NE(is, was) << "change " << i << " kept a step that alters nothing";
        before.push_back(was);
        after.push_back(is);
      }
    }
    ASSERT_EQ(before.front(), first);
    ASSERT_EQ(history.RedoCount(), 0u);

    for (size_t k = before.size(); k-- > 0;) {
      ASSERT_TRUE(history.Undo(sheet));
      ASSERT_EQ(Snapshot(sheet), before[k]) << "undo of step " << k;
    }
    EXPECT_FALSE(history.Undo(sheet));
    EXPECT_EQ(Snapshot(sheet), first);
    for (size_t k = 0; k < after.size(); ++k) {
      ASSERT_TRUE(history.Redo(sheet));
      ASSERT_EQ(Snapshot(sheet), after[k]) << "redo of step " << k;
    }
    EXPECT_FALSE(history.Redo(sheet));
  }
}

// A change kept after an undo drops what could have been redone; the steps before it stay.
TEST(SheetHistory, AChangeAfterAnUndoDropsTheRedoSteps) {
  Sheet sheet;
  SheetHistory history;
  const auto edit = [&](int col, const char* text) {
    SheetHistory::Change change(history, sheet);
    history.Touch(col, 1);
    sheet.SetCell(col, 1, text);
  };
  edit(1, "a");
  edit(2, "b");
  edit(3, "c");
  history.Undo(sheet);
  history.Undo(sheet);
  EXPECT_EQ(history.RedoCount(), 2u);
  edit(1, "a");  // rewrites what is there: no change, the redo steps stay
  EXPECT_EQ(history.RedoCount(), 2u);
  edit(4, "d");
  EXPECT_EQ(history.RedoCount(), 0u);
  EXPECT_FALSE(history.Redo(sheet));
  EXPECT_EQ(sheet.Cell(2, 1), "");
  history.Undo(sheet);
  history.Undo(sheet);
  EXPECT_EQ(sheet.Cell(1, 1), "");
  EXPECT_EQ(sheet.Cell(4, 1), "");
}

// The last 1,000 changes can be undone; the one before them is forgotten.
TEST(SheetHistory, KeepsTheLastThousandChanges) {
  Sheet sheet;
  SheetHistory history;
  for (int i = 0; i <= 1000; ++i) {
    SheetHistory::Change change(history, sheet);
    history.Touch(1, 1);
    sheet.SetCell(1, 1, std::to_string(i));
  }
  while (history.Undo(sheet)) {
  }
  EXPECT_EQ(sheet.Cell(1, 1), "0") << "the first change stays done";
  EXPECT_EQ(history.RedoCount(), 1000u);
}

// A step keeps what changed, not the sheet: a pick costs the same few bytes on a sheet of five
// rows and on one of 20,000, and a load into an empty sheet about what the file holds.
TEST(SheetHistory, MemoryGrowsWithWhatChangedNotWithTheSheet) {
  TempDir dir;
  std::string file;
  for (int r = 0; r < 20'000; ++r) file += Sjis("山田") + std::to_string(r) + "\t12\t15\t20\t\r\n";
  WriteBytes(dir / "big.txt", file);

  Sheet empty, big;
  order::ReadOrderFile(big, dir / "big.txt");
  const std::vector<std::string> entries = {"12"};
  for (Sheet* sheet : {&empty, &big}) {
    SheetHistory history;
    for (int i = 0; i < 100; ++i) {
      SheetHistory::Change change(history, *sheet);
      history.Touch(sheet->Col(), sheet->Row());
      order::PickEntry(*sheet, entries, 0);
      if (sheet->Col() == Sheet::ColCount - 1) order::NextLine(*sheet);
    }
    EXPECT_LE(history.MemoryBytes(), 100 * 64u) << "rows " << sheet->RowCount();
  }

  Sheet loaded;
  SheetHistory history;
  order::ReadOrderFile(loaded, dir / "big.txt", &history);
  // The loaded texts are in the sheet; the step keeps only that the cells were empty: a few bytes
  // a row, where the rows' texts take 20.
  EXPECT_LE(history.MemoryBytes(), 20'000 * 8u);
  history.Undo(loaded);
  EXPECT_LE(history.MemoryBytes(), file.size() * 3 / 2) << "the undone rows, to redo them";
  EXPECT_EQ(loaded.RowCount(), Sheet::InitialRowCount);
  for (int r = 0; r <= 20'000; ++r)
    for (int c = 0; c < 5; ++c) ASSERT_EQ(loaded.Cell(c, r), "") << c << ", " << r;
  history.Redo(loaded);
  EXPECT_LE(history.MemoryBytes(), 20'000 * 8u);
  EXPECT_EQ(order::OrderFileText(loaded), file);
}

}  // namespace
