// The undo history of a sheet: its last changes, each kept as only what it changed (the texts of
// the cells it wrote, the row count and the current cell before and after it), so a step costs
// about the bytes it changed, whatever the size of the sheet.
//
// A change is recorded in three parts: Begin() before it, Touch() for every cell before the change
// writes it, End() after it. End() keeps a step only when the change altered a cell, the row count
// or the current cell. Undo() puts the cells, the row count and the current cell back as they were
// before the last kept change, Redo() as they were after it; a change kept after an undo drops the
// steps that could have been redone. Changes made to the sheet without recording them (moving the
// current cell, say) are neither kept nor undone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "order/sheet.h"

namespace order {

class SheetHistory {
 public:
  static constexpr size_t kDefaultDepth = 1000;

  // Keeps the last `depth` steps (at least one); older steps are forgotten.
  explicit SheetHistory(size_t depth = kDefaultDepth);

  // Starts recording a change of `sheet` and returns its number. A change still being recorded
  // ends first. The sheet must stay until End().
  uint64_t Begin(const Sheet& sheet);
  // Whether change `id` (from Begin) is the one being recorded.
  bool Recording(uint64_t id) const { return sheet_ && id == began_; }

  // Notes the text of cell (col, row) before the change writes it. Each cell is touched at most
  // once per change.
  void Touch(int col, int row);
  // Notes the cells (0, row) to (fields.size() - 1, row) before a load writes `fields` into them,
  // comparing at once, so that a cell that keeps its text costs nothing more and End() need not
  // read the row again. Each cell is noted at most once per change, and not also touched.
  void NoteRowFields(int row, const std::vector<std::string_view>& fields);

  // Ends the change being recorded (nothing when none is). Never throws: should there be no
  // memory for the step, the history forgets every step rather than keep a wrong one.
  void End() noexcept;

  // Ends a change as it goes out of scope, also when an exception leaves the change half done.
  class Change {
   public:
    Change(SheetHistory& history, const Sheet& sheet) : history_(history) { history.Begin(sheet); }
    ~Change() { history_.End(); }
    Change(const Change&) = delete;
    Change& operator=(const Change&) = delete;

   private:
    SheetHistory& history_;
  };

  size_t UndoCount() const { return done_; }
  size_t RedoCount() const { return steps_.size() - done_; }
  // Each undoes or redoes one step (a change being recorded ends first); false when there is
  // none.
  bool Undo(Sheet& sheet);
  bool Redo(Sheet& sheet);
  void Clear();

  // The bytes the history holds: its steps, and its notes of a change being recorded.
  size_t MemoryBytes() const;

 private:
  struct Touched {
    int row, firstCol, count;
  };
  void Apply(Sheet& sheet, bool redo);
  void Keep(std::string step);

  size_t depth_;
  // Each step's bytes: the counts and current cells before and after, then runs of changed cells
  // of one row (row, first column, count, a flag for all texts empty, then the texts), all numbers
  // as variable-length integers. A step holds the texts that are not in the sheet: the old ones
  // while it can be undone, the new ones while it can be redone; undo and redo swap them with the
  // sheet's. So recording a load into an empty sheet keeps a few bytes a row, and undoing it keeps
  // about what the loaded rows take.
  std::deque<std::string> steps_;
  size_t done_ = 0;  // steps_[0, done_) can be undone, the rest redone

  // The change being recorded.
  const Sheet* sheet_ = nullptr;
  uint64_t began_ = 0;
  int rowCountBefore_ = 0, colBefore_ = 0, rowBefore_ = 0;
  std::vector<Touched> touched_;
  std::string oldTexts_;  // the touched cells' texts, each after its length
  std::string noted_;     // runs of the cells noted with their fields, as they go into the step
};

}  // namespace order
