// Undo and redo of the sheet on the real window (picks, cell edits and loads, by their keys, also
// inside an open cell editor), and order files dropped on the window.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <functional>

#include "main_window_fixture.h"

using testing_support::MainWindowTest;
using testing_support::Shown;
using testing_support::Sjis;
using testing_support::WriteBytes;

namespace {

// The cells of the first rows and the row count; the current cell is looked at on its own.
struct State {
  int rowCount;
  std::vector<std::string> cells;  // columns 0 to 4 of rows 1 to 9
  bool operator==(const State&) const = default;
};

void PrintTo(const State& state, std::ostream* os) {
  *os << "rows " << state.rowCount << ", cells";
  for (const std::string& cell : state.cells) *os << " [" << cell << "]";
}

using Cell = std::pair<int, int>;

class UndoRedo : public MainWindowTest {
 protected:
  UndoRedo() { WriteReferenceFiles(); }

  void StartShown() {
    Start();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1->Window()));
    Grid()->setFocus();
  }
  Cell Current() { return {Sheet().Col(), Sheet().Row()}; }
  QTableView* Grid() { return Form1->StringGrid1->View(); }

  State Now() {
    State state{Sheet().RowCount(), {}};
    for (int r = 1; r < 10; ++r)
      for (int c = 0; c < 5; ++c) state.cells.emplace_back(Sheet().Cell(c, r));
    return state;
  }

  // A key pressed where the focus is, as the user presses it.
  static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, key, modifiers);
  }
  static void Undo() { Press(Qt::Key_Z, Qt::ControlModifier); }
  static void RedoShiftZ() { Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }
  static void RedoY() { Press(Qt::Key_Y, Qt::ControlModifier); }

  // Opens the cell editor on the current cell, as a double click does.
  QLineEdit* OpenEditor() {
    Grid()->edit(Grid()->currentIndex());
    return qobject_cast<QLineEdit*>(Grid()->indexWidget(Grid()->currentIndex()));
  }
  void CloseEditor(QLineEdit* editor) {
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
  }
};

// Picks, "改行", a cell edit and a load, then every step undone and redone by its keys. "改行"
// and moves are no steps, but an undo puts the current cell back where the change found it.
TEST_F(UndoRedo, PicksEditsAndALoadAreUndoneAndRedoneStepByStep) {
  WriteBytes("six.txt", Sjis("佐藤\t1\r\nB\t\r\nC\t\r\nD\t\r\nE\t\r\nF\t2\t3\t\r\n"));
  StartShown();
  std::vector<State> states = {Now()};
  std::vector<Cell> leftAt = {Current()};

  ClickPicker(0);  // 12 into (1, 1)
  states.push_back(Now());
  leftAt.push_back(Current());
  ClickPicker(2);  // 20 into (2, 1)
  states.push_back(Now());
  leftAt.push_back(Current());
  QTest::mouseClick(Form1->Button1->Button(), Qt::LeftButton);  // on to (1, 2)
  Sheet().MoveTo(3, 2);
  Grid()->setFocus();
  QLineEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "7");
  QTest::keyClicks(editor, "5");
  CloseEditor(editor);  // one change: "75" into (3, 2)
  states.push_back(Now());
  leftAt.push_back(Current());
  Sheet().MoveTo(4, 3);
  QueueFileName("six");
  Form1->K2->Click();
  states.push_back(Now());
  leftAt.push_back(Current());
  Grid()->setFocus();

  EXPECT_EQ(Sheet().Cell(1, 1), "1");
  EXPECT_EQ(Sheet().Cell(2, 1), "20") << "the load replaces only the fields it has";
  EXPECT_EQ(Sheet().Cell(3, 2), "75");
  EXPECT_EQ(Sheet().RowCount(), 7);
  EXPECT_EQ(leftAt, (std::vector<Cell>{{1, 1}, {2, 1}, {3, 1}, {3, 2}, {4, 1}}))
      << "the load's first line cut the rows to two, and the current cell with them";

  // Each undo gives back the cells and row count before its change, and the current cell where
  // the change found it: before the load (4, 3), on the edited cell, and where each pick wrote.
  const std::vector<Cell> foundAt = {{1, 1}, {2, 1}, {3, 2}, {4, 3}};
  Sheet().MoveTo(1, 3);  // moving is no change: the next undo still undoes the load
  for (size_t k = states.size() - 1; k-- > 0;) {
    Undo();
    EXPECT_EQ(Now(), states[k]) << "undo back to state " << k;
    EXPECT_EQ(Current(), foundAt[k]) << "undo back to state " << k;
  }
  EXPECT_EQ(Sheet().Cell(1, 1), "");
  EXPECT_EQ(Sheet().Cell(0, 1), "Kiwi");
  Undo();  // nothing left: nothing happens
  EXPECT_EQ(Now(), states[0]);
  EXPECT_EQ(Current(), Cell(1, 1));

  // Each redo gives back the state after its change, its current cell included.
  for (size_t k = 1; k < states.size(); ++k) {
    if (k % 2)
      RedoShiftZ();
    else
      RedoY();
    EXPECT_EQ(Now(), states[k]) << "redo to state " << k;
    EXPECT_EQ(Current(), leftAt[k]) << "redo to state " << k;
  }
  RedoY();
  EXPECT_EQ(Now(), states.back());

  // A new change after an undo: what could be redone is gone.
  Undo();
  Undo();
  ClickPicker(1);
  const State picked = Now();
  RedoY();
  EXPECT_EQ(Now(), picked);
  Undo();
  EXPECT_EQ(Now(), states[2]);
  EXPECT_EQ(errors, std::vector<Shown>{});
}

// While a cell's editor is open, the keys undo and redo the typing in it, not the sheet; once it
// is closed, its whole edit is one step.
TEST_F(UndoRedo, InsideAnOpenCellEditorTheKeysBelongToTheEditor) {
  StartShown();
  ClickPicker(0);  // 12 into (1, 1)
  ClickPicker(1);  // 15 into (2, 1)
  Grid()->setFocus();
  Undo();  // the 15 goes; it can be redone
  ASSERT_EQ(Sheet().Cell(2, 1), "");
  Sheet().MoveTo(3, 1);
  Sheet().SetCell(3, 1, "9");  // not through the window: no step

  QLineEdit* editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  ASSERT_EQ(QApplication::focusWidget(), editor);
  editor->end(false);
  QTest::keyClicks(editor, "34");
  EXPECT_EQ(Sheet().Cell(3, 1), "934");
  Undo();
  EXPECT_EQ(editor->text(), "9");
  EXPECT_EQ(Sheet().Cell(3, 1), "9") << "the cell follows the editor";
  EXPECT_EQ(Sheet().Cell(1, 1), "12") << "the sheet's last change stays";
  RedoShiftZ();
  EXPECT_EQ(Sheet().Cell(3, 1), "934");
  RedoY();
  EXPECT_EQ(Sheet().Cell(2, 1), "") << "the sheet's redo waits until the editor is closed";
  QTest::keyClicks(editor, "5");
  CloseEditor(editor);
  EXPECT_EQ(Sheet().Cell(3, 1), "9345");

  // The edit is one step, and it dropped the redo of the 15.
  Undo();
  EXPECT_EQ(Sheet().Cell(3, 1), "9");
  EXPECT_EQ(std::pair(Sheet().Col(), Sheet().Row()), std::pair(3, 1));
  Undo();
  EXPECT_EQ(Sheet().Cell(1, 1), "") << "the next undo is the pick of 12";
  RedoY();
  RedoY();
  EXPECT_EQ(Sheet().Cell(3, 1), "9345");
  EXPECT_EQ(Sheet().Cell(2, 1), "");

  // An editor opened and closed without a change is no step.
  Sheet().MoveTo(4, 1);
  editor = OpenEditor();
  ASSERT_NE(editor, nullptr);
  CloseEditor(editor);
  Undo();
  EXPECT_EQ(Sheet().Cell(3, 1), "9");

  // The same cell edited twice over: two steps.
  Sheet().MoveTo(4, 1);
  for (const char* typed : {"a", "b"}) {
    editor = OpenEditor();
    ASSERT_NE(editor, nullptr);
    editor->end(false);
    QTest::keyClicks(editor, typed);
    CloseEditor(editor);
  }
  EXPECT_EQ(Sheet().Cell(4, 1), "ab");
  Undo();
  EXPECT_EQ(Sheet().Cell(4, 1), "a");
  Undo();
  EXPECT_EQ(Sheet().Cell(4, 1), "");
  EXPECT_EQ(errors, std::vector<Shown>{});
}

// Drops made with real drag and drop events, as a file manager sends them.
class Drop : public UndoRedo {
 protected:
  struct Result {
    bool entered, dropped;
    Qt::DropAction action;
  };
  // Drags `data` onto the middle of the grid and lets go; the load runs once the drop is over.
  Result DropData(QMimeData* data) {
    QWidget* window = Form1->Window();
    const QPointF at = window->rect().center();
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
    QDragEnterEvent enter(at.toPoint(), actions, data, Qt::LeftButton, Qt::NoModifier);
    enter.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(window, &enter);
    QDropEvent drop(at, actions, data, Qt::LeftButton, Qt::NoModifier);
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(window, &drop);
    const Result result{enter.isAccepted(), drop.isAccepted(), drop.dropAction()};
    QApplication::processEvents();
    delete data;
    return result;
  }
  static QMimeData* Files(const std::vector<std::string>& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const std::string& path : paths)
      urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));
    data->setUrls(urls);
    return data;
  }
};

// A good file is loaded as "読み込み" loads it: the same cells, the full path in the load dialog
// for the printed heading, one step to undo. With several, the first is loaded.
TEST_F(Drop, AFileDroppedIsLoadedAsTheLoadCommandLoadsIt) {
  WriteBytes("a.txt", Sjis("佐藤\t3\t\r\n鈴木\t\r\n"));
  WriteBytes("b.txt", "other\t9\t\r\n");
  StartShown();
  QueueFileName("a");
  Form1->K2->Click();
  const State byCommand = Now();
  Undo();
  ASSERT_NE(Now(), byCommand);
  Form1->OpenDialog1->SetFileName("");

  const Result result = DropData(Files({dir / "a.txt", dir / "b.txt"}));
  EXPECT_TRUE(result.entered);
  EXPECT_TRUE(result.dropped);
  EXPECT_EQ(result.action, Qt::CopyAction) << "a file manager must never take it for a move";
  EXPECT_EQ(Now(), byCommand);
  EXPECT_EQ(Form1->OpenDialog1->FileName(), dir / "a.txt");

  Undo();
  EXPECT_EQ(Sheet().Cell(0, 1), "Kiwi") << "the drop's load is one step";
  EXPECT_EQ(errors, std::vector<Shown>{});
}

// A file that cannot be read gets the same error box as in the load command; the sheet stays and
// the name is kept for printing all the same.
TEST_F(Drop, AFileThatCannotBeReadGetsTheLoadCommandsErrorBox) {
  StartShown();
  const State before = Now();
  QueueFileName("missing");
  Form1->K2->Click();
  ASSERT_EQ(errors.size(), 1u);
  Form1->OpenDialog1->SetFileName("");

  std::filesystem::create_directory(dir / "folder.txt");
  for (const std::string& path : {dir / "missing.txt", dir / "folder.txt"}) {
    const Result result = DropData(Files({path}));
    EXPECT_TRUE(result.dropped) << path;
    EXPECT_EQ(Form1->OpenDialog1->FileName(), path);
  }
  EXPECT_EQ(errors, (std::vector<Shown>{
                        errors[0],
                        errors[0],
                        {errors[0].caption, "ﾌｧｲﾙ " + dir / "folder.txt" + " は開けません."}}));
  EXPECT_EQ(Now(), before);
}

// Text, a web address or nothing at all is refused: the cursor says so and nothing changes.
TEST_F(Drop, WhatIsNotALocalFileIsRefused) {
  WriteBytes("a.txt", "x\t\r\n");
  StartShown();
  const State before = Now();
  const std::vector<std::function<QMimeData*()>> drops = {
      [&] {
        auto* data = new QMimeData;
        data->setText(QString::fromStdString("file://" + dir / "a.txt"));
        return data;
      },
      [] {
        auto* data = new QMimeData;
        data->setUrls({QUrl("https://example.org/a.txt")});
        return data;
      },
      [] { return new QMimeData; },
  };
  for (size_t i = 0; i < drops.size(); ++i) {
    const Result result = DropData(drops[i]());
    EXPECT_FALSE(result.entered) << "drop " << i;
    EXPECT_FALSE(result.dropped) << "drop " << i;
  }
  EXPECT_EQ(Now(), before);
  EXPECT_EQ(Form1->OpenDialog1->FileName(), "");
  EXPECT_EQ(errors, std::vector<Shown>{});
}

}  // namespace
