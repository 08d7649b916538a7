#include "order/sheet_history.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace order {

namespace {

inline void PutNumber(std::string& out, uint64_t n) {
  if (n < 0x80) {  // most numbers of a step: one byte
    out.push_back(static_cast<char>(n));
    return;
  }
  char bytes[10];
  size_t size = 0;
  while (n >= 0x80) {
    bytes[size++] = static_cast<char>((n & 0x7F) | 0x80);
    n >>= 7;
  }
  bytes[size++] = static_cast<char>(n);
  out.append(bytes, size);
}

uint64_t TakeNumber(std::string_view& in) {
  uint64_t n = 0;
  for (int shift = 0;; shift += 7) {
    const auto byte = static_cast<unsigned char>(in.front());
    in.remove_prefix(1);
    n |= static_cast<uint64_t>(byte & 0x7F) << shift;
    if (byte < 0x80) return n;
  }
}

int TakeInt(std::string_view& in) { return static_cast<int>(TakeNumber(in)); }

void PutText(std::string& out, std::string_view text) {
  PutNumber(out, text.size());
  out += text;
}

std::string_view TakeText(std::string_view& in) {
  const size_t size = TakeNumber(in);
  const std::string_view text = in.substr(0, size);
  in.remove_prefix(size);
  return text;
}

// A step larger than this is put back with the view told once at the end, not cell by cell.
constexpr size_t kQuietStepBytes = 4096;

// Writes runs of neighbouring cells of one row to a step: the row, the first column, the count, a
// flag that says all the texts are empty (so that a load into an empty sheet costs a few bytes a
// row), then the texts unless they are all empty.
class RunWriter {
 public:
  explicit RunWriter(std::string& step) : step_(step) {}

  // Adds the text of cell (col, row); a cell that is not next to the run's last one starts a new
  // run.
  void Add(int row, int col, std::string_view text) {
    if (count_ > 0 && (row_ != row || first_ + count_ != col)) Close();
    if (count_ == 0) {
      row_ = row;
      first_ = col;
      allEmpty_ = true;
    }
    // While every text is empty nothing is written; the first other text writes their lengths.
    if (allEmpty_ && !text.empty()) {
      texts_.assign(static_cast<size_t>(count_), '\0');
      allEmpty_ = false;
    }
    if (!allEmpty_) PutText(texts_, text);
    ++count_;
  }

  void Close() {
    if (count_ == 0) return;
    PutNumber(step_, static_cast<uint64_t>(row_));
    PutNumber(step_, static_cast<uint64_t>(first_));
    PutNumber(step_, static_cast<uint64_t>(count_));
    PutNumber(step_, allEmpty_ ? 1 : 0);
    if (!allEmpty_) step_ += texts_;
    texts_.clear();
    count_ = 0;
  }

 private:
  std::string& step_;
  std::string texts_;
  int row_ = 0, first_ = 0, count_ = 0;
  bool allEmpty_ = true;
};

}  // namespace

SheetHistory::SheetHistory(size_t depth) : depth_(std::max<size_t>(depth, 1)) {}

uint64_t SheetHistory::Begin(const Sheet& sheet) {
  End();
  sheet_ = &sheet;
  rowCountBefore_ = sheet.RowCount();
  colBefore_ = sheet.Col();
  rowBefore_ = sheet.Row();
  return ++began_;
}

void SheetHistory::Touch(int col, int row) {
  if (!sheet_) return;
  // Neighbours on one row make one run of touched cells.
  if (!touched_.empty() && touched_.back().row == row &&
      touched_.back().firstCol + touched_.back().count == col)
    ++touched_.back().count;
  else
    touched_.push_back({row, col, 1});
  PutText(oldTexts_, sheet_->Cell(col, row));
}

void SheetHistory::NoteRowFields(int row, const std::vector<std::string_view>& fields) {
  if (!sheet_) return;
  RunWriter runs(noted_);
  const int count = static_cast<int>(fields.size());
  int col = 0;
  const auto note = [&](std::string_view old) {
    if (old == fields[static_cast<size_t>(col)])
      runs.Close();
    else
      runs.Add(row, col, old);
    ++col;
  };
  // The row is read once, its cells side by side with the fields.
  sheet_->ForEachCell(row, [&](int cellCol, std::string_view text) {
    if (cellCol >= count) return false;
    while (col < cellCol) note({});
    note(text);
    return true;
  });
  while (col < count) note({});
  runs.Close();
}

void SheetHistory::End() noexcept {
  if (!sheet_) return;
  const Sheet& sheet = *sheet_;
  sheet_ = nullptr;
  try {
    std::string step;
    step.reserve(6 * 5 + noted_.size());
    PutNumber(step, static_cast<uint64_t>(rowCountBefore_));
    PutNumber(step, static_cast<uint64_t>(sheet.RowCount()));
    PutNumber(step, static_cast<uint64_t>(colBefore_));
    PutNumber(step, static_cast<uint64_t>(rowBefore_));
    PutNumber(step, static_cast<uint64_t>(sheet.Col()));
    PutNumber(step, static_cast<uint64_t>(sheet.Row()));
    bool changed = rowCountBefore_ != sheet.RowCount() || colBefore_ != sheet.Col() ||
                   rowBefore_ != sheet.Row() || !noted_.empty();
    step += noted_;

    // The changed cells with their old texts, in runs of neighbours on one row; a cell that reads
    // as before is left out. The new texts stay in the sheet: an undo takes them from there.
    RunWriter runs(step);
    std::string_view olds = oldTexts_;
    for (const Touched& t : touched_) {
      for (int col = t.firstCol; col < t.firstCol + t.count; ++col) {
        const std::string_view old = TakeText(olds);
        if (old == sheet.Cell(col, t.row)) {
          runs.Close();
          continue;
        }
        runs.Add(t.row, col, old);
        changed = true;
      }
    }
    runs.Close();
    if (changed) Keep(std::move(step));
  } catch (...) {
    Clear();
  }
  // A load's notes can be large: give their memory back (clear() would keep it).
  std::vector<Touched>().swap(touched_);
  std::string().swap(oldTexts_);
  std::string().swap(noted_);
}

void SheetHistory::Keep(std::string step) {
  step.shrink_to_fit();
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());
  steps_.push_back(std::move(step));
  if (steps_.size() > depth_) steps_.pop_front();
  done_ = steps_.size();
}

bool SheetHistory::Undo(Sheet& sheet) {
  End();
  if (done_ == 0) return false;
  --done_;
  Apply(sheet, false);
  return true;
}

bool SheetHistory::Redo(Sheet& sheet) {
  End();
  if (done_ == steps_.size()) return false;
  Apply(sheet, true);
  ++done_;
  return true;
}

// Swaps step done_ with the sheet: puts its texts, and its row count and current cell before (or,
// with `redo`, after) the change into the sheet, and keeps the texts they replace in the step.
void SheetHistory::Apply(Sheet& sheet, bool redo) {
  std::string_view in = steps_[done_];
  const bool quiet = in.size() > kQuietStepBytes;
  struct Quiet {
    Sheet& sheet;
    bool on;
    ~Quiet() {
      if (on) sheet.EndUpdate();
    }
  } quietScope{sheet, quiet};
  if (quiet) sheet.BeginUpdate();

  try {
    const int rowCountBefore = TakeInt(in), rowCountAfter = TakeInt(in);
    const int colBefore = TakeInt(in), rowBefore = TakeInt(in);
    const int colAfter = TakeInt(in), rowAfter = TakeInt(in);
    std::string swapped;
    swapped.reserve(in.size());
    PutNumber(swapped, static_cast<uint64_t>(rowCountBefore));
    PutNumber(swapped, static_cast<uint64_t>(rowCountAfter));
    PutNumber(swapped, static_cast<uint64_t>(colBefore));
    PutNumber(swapped, static_cast<uint64_t>(rowBefore));
    PutNumber(swapped, static_cast<uint64_t>(colAfter));
    PutNumber(swapped, static_cast<uint64_t>(rowAfter));
    RunWriter runs(swapped);
    std::vector<std::string_view> texts;
    while (!in.empty()) {
      const int row = TakeInt(in), first = TakeInt(in), count = TakeInt(in);
      const bool allEmpty = TakeNumber(in) != 0;
      texts.assign(static_cast<size_t>(count), std::string_view());
      if (!allEmpty)
        for (std::string_view& text : texts) text = TakeText(in);
      // The texts the run replaces, kept before the row changes.
      for (int i = 0; i < count; ++i) runs.Add(row, first + i, sheet.Cell(first + i, row));
      runs.Close();
      if (first == 0) {
        sheet.SetRowFields(row, texts);
      } else {
        for (int i = 0; i < count; ++i)
          sheet.SetCell(first + i, row, texts[static_cast<size_t>(i)]);
      }
    }
    sheet.SetRowCount(redo ? rowCountAfter : rowCountBefore);
    if (redo)
      sheet.MoveTo(colAfter, rowAfter);
    else
      sheet.MoveTo(colBefore, rowBefore);
    swapped.shrink_to_fit();
    steps_[done_] = std::move(swapped);
  } catch (...) {
    // Half put back, the step no longer says what the sheet was: keep no step rather than a wrong
    // one.
    Clear();
    throw;
  }
}

void SheetHistory::Clear() {
  steps_.clear();
  steps_.shrink_to_fit();
  done_ = 0;
}

size_t SheetHistory::MemoryBytes() const {
  size_t bytes = touched_.capacity() * sizeof(Touched) + oldTexts_.capacity() + noted_.capacity();
  for (const std::string& step : steps_) {
    bytes += sizeof(std::string);
    // A short step lives inside the string object; a longer one on the heap, with its NUL.
    if (step.capacity() > std::string().capacity()) bytes += step.capacity() + 1;
  }
  return bytes;
}

}  // namespace order
