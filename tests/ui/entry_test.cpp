// Filling the sheet on screen: picks by mouse and keyboard, "改行", typing into cells, and a large
// order file.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QListView>
#include <QScrollBar>
#include <QTest>
#include <chrono>
#include <cstdio>

#include "main_window_fixture.h"
#include "order/order_file.h"
#include "vcl/event_frame.h"

using testing_support::MainWindowTest;
using testing_support::Shown;
using testing_support::Sjis;
using testing_support::WriteBytes;

namespace {

using Entry = MainWindowTest;

TEST_F(Entry, EveryClickOnAnEntryEntersIt) {
  WriteReferenceFiles();
  Start();
  Sheet().MoveTo(3, 2);
  ClickPicker(0);
  EXPECT_EQ(Sheet().Cell(3, 2), "12");
  EXPECT_EQ(std::pair(Sheet().Col(), Sheet().Row()), std::pair(4, 2));
  ClickPicker(0);  // the entry already selected: a second photo 12
  ClickPicker(2);
  EXPECT_EQ(Sheet().Cell(4, 2), "12");
  EXPECT_EQ(Sheet().Cell(5, 2), "20");
  EXPECT_EQ(Sheet().Col(), 6);
  // The grid follows the sheet's current cell.
  QTableView* view = Form1->StringGrid1->View();
  EXPECT_EQ(view->currentIndex(), view->model()->index(1, 5));
  EXPECT_EQ(view->model()->index(1, 3).data().toString(), "12");
  EXPECT_TRUE(errors.empty());
}

TEST_F(Entry, MovingTheSelectionWithTheKeyboardEntersTooAChangeByTheProgramDoesNot) {
  WriteReferenceFiles();
  Start();
  ClickPicker(0);
  QTest::keyClick(Form1->ListBox1->View(), Qt::Key_Down);
  EXPECT_EQ(Sheet().Cell(1, 1), "12");
  EXPECT_EQ(Sheet().Cell(2, 1), "15");
  EXPECT_EQ(Form1->ListBox1->ItemIndex(), 1);
  Form1->ListBox1->SetItemIndex(2);
  EXPECT_EQ(Form1->ListBox1->ItemIndex(), 2);
  EXPECT_EQ(Sheet().Cell(3, 1), "") << "nothing entered";
  EXPECT_EQ(Sheet().Col(), 3);
}

// A click on an entry selects it and enters it, with Ctrl or Shift held or not; Ctrl on the
// selected entry takes nothing off.
TEST_F(Entry, AClickWithCtrlOrShiftHeldEntersAsAnyClick) {
  WriteReferenceFiles();
  Start();
  const Qt::KeyboardModifiers held[] = {Qt::ControlModifier, Qt::ShiftModifier,
                                        Qt::ControlModifier | Qt::ShiftModifier};
  QListView* view = Form1->ListBox1->View();
  const auto click = [&](int index, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers,
                      view->visualRect(view->model()->index(index, 0)).center());
  };
  int col = 1;
  for (const Qt::KeyboardModifiers modifiers : held) {
    click(0, {});
    click(0, modifiers);  // the entry already selected
    click(2, modifiers);  // another one
    EXPECT_EQ(Sheet().Cell(col, 1), "12") << modifiers;
    EXPECT_EQ(Sheet().Cell(col + 1, 1), "12") << modifiers;
    EXPECT_EQ(Sheet().Cell(col + 2, 1), "20") << modifiers;
    EXPECT_EQ(Form1->ListBox1->ItemIndex(), 2) << modifiers;
    col += 3;
  }
  EXPECT_EQ(Sheet().Col(), col);
  EXPECT_EQ(errors, std::vector<Shown>{});
}

// Tab from the sheet moves into the picker with nothing selected: the first Down enters the first
// entry, the next one the second.
TEST_F(Entry, TheFirstDownAfterTabIntoThePickerEntersTheFirstEntry) {
  WriteReferenceFiles();
  Start();
  QApplication::setActiveWindow(Form1->Window());  // the window the user is working in
  QWidget* sheet = Form1->StringGrid1->View();
  QListView* picker = Form1->ListBox1->View();
  sheet->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(sheet, Qt::Key_Tab);
  ASSERT_EQ(Form1->Window()->focusWidget(), picker);
  EXPECT_EQ(Form1->ListBox1->ItemIndex(), -1);
  QTest::keyClick(picker, Qt::Key_Down);
  EXPECT_EQ(Form1->ListBox1->ItemIndex(), 0);
  QTest::keyClick(picker, Qt::Key_Down);
  EXPECT_EQ(Form1->ListBox1->ItemIndex(), 1);
  EXPECT_EQ(Sheet().Cell(1, 1), "12");
  EXPECT_EQ(Sheet().Cell(2, 1), "15");
  EXPECT_EQ(Sheet().Col(), 3);
  EXPECT_EQ(errors, std::vector<Shown>{});
}

TEST_F(Entry, AtTheLastColumnTheWriteStaysAndTheGridIndexErrorShows) {
  WriteReferenceFiles();
  Start();
  Sheet().MoveTo(49, 2);
  ClickPicker(0);
  ClickPicker(1);
  EXPECT_EQ(Sheet().Cell(49, 2), "15") << "every further pick overwrites the last cell";
  EXPECT_EQ(Sheet().Cell(50, 2), "");
  EXPECT_EQ(std::pair(Sheet().Col(), Sheet().Row()), std::pair(49, 2));
  const Shown gridError{"Ui_tests", "ｸﾞﾘｯﾄﾞｲﾝﾃﾞｯｸｽ が範囲を超えています."};
  EXPECT_EQ(errors, (std::vector<Shown>{gridError, gridError}));
}

TEST_F(Entry, PickingWithNoSelectedEntryShowsTheListIndexError) {
  WriteReferenceFiles();
  Start();
  vcl::CallHandler([] { Form1->ListBox1Click(); });
  EXPECT_EQ(errors, (std::vector<Shown>{{"Ui_tests", "ﾘｽﾄのｲﾝﾃﾞｯｸｽが範囲を超えています."}}));
  EXPECT_EQ(Sheet().Cell(1, 1), "");
  EXPECT_EQ(std::pair(Sheet().Col(), Sheet().Row()), std::pair(1, 1));
}

TEST_F(Entry, NextLineMovesToColumnOneOfTheNextRow) {
  Start();
  struct Case {
    int rowCount, col, row, wantRow;
  };
  const Case cases[] = {{10, 7, 2, 3}, {10, 7, 9, 1}, {2, 5, 1, 1}, {5, 1, 4, 1}};
  for (const Case& c : cases) {
    Sheet().SetRowCount(c.rowCount);
    Sheet().MoveTo(c.col, c.row);
    QTest::mouseClick(Form1->Button1->Button(), Qt::LeftButton);
    EXPECT_EQ(std::pair(Sheet().Col(), Sheet().Row()), std::pair(1, c.wantRow))
        << c.rowCount << " rows at (" << c.col << ", " << c.row << ")";
  }
}

TEST_F(Entry, TypingIntoACellWritesTheSheetAtEveryChange) {
  WriteBytes("VELMORA_SIMEI.TXT", "Kiwi\r\n");
  Start();
  QTableView* view = Form1->StringGrid1->View();
  // A click on a cell makes it current.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                    Form1->StringGrid1->CellRect(3, 1).center());
  EXPECT_EQ(std::pair(Sheet().Col(), Sheet().Row()), std::pair(3, 1));
  view->edit(view->currentIndex());
  auto* editor = view->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_1);
  EXPECT_EQ(Sheet().Cell(3, 1), "1");
  QTest::keyClick(editor, Qt::Key_2);
  EXPECT_EQ(Sheet().Cell(3, 1), "12");
  QTest::keyClick(editor, Qt::Key_Backspace);
  QTest::keyClick(editor, Qt::Key_Backspace);
  EXPECT_EQ(Sheet().Cell(3, 1), "") << "an emptied cell is empty at once";
  for (const QChar c : QString("写真€"))
    QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
  EXPECT_EQ(Sheet().Cell(3, 1), Sjis("写真") + "?") << "no CP932 form: a question mark";
  EXPECT_EQ(editor->text(), "写真?");
  // The fixed column is a header: a double click there opens no editor and changes nothing.
  QHeaderView* names = view->verticalHeader();
  QTest::mouseDClick(names->viewport(), Qt::LeftButton, {},
                     QPoint(10, names->sectionViewportPosition(0) + 5));
  EXPECT_EQ(Sheet().Cell(0, 1), "Kiwi");
  EXPECT_EQ(std::pair(Sheet().Col(), Sheet().Row()), std::pair(3, 1));
}

TEST_F(Entry, EditingKeepsBytesThatAreNotCp932) {
  Start();
  Sheet().SetCell(2, 1,
                  "\xFF"
                  "a");
  QTableView* view = Form1->StringGrid1->View();
  const QModelIndex cell = view->model()->index(0, 1);
  EXPECT_EQ(cell.data().toString(), QString::fromUtf8("\uF7FFa"));
  view->setCurrentIndex(cell);
  view->edit(cell);
  auto* editor = view->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  editor->end(false);
  QTest::keyClick(editor, Qt::Key_B);
  EXPECT_EQ(Sheet().Cell(2, 1),
            "\xFF"
            "ab");
}

TEST_F(Entry, TheGridFollowsRowCountChangesAndKeepsTexts) {
  Start();
  Sheet().SetRowCount(10);
  Sheet().SetCell(0, 8, "Fig");
  Sheet().MoveTo(4, 8);
  QTableView* view = Form1->StringGrid1->View();
  Sheet().SetRowCount(3);
  EXPECT_EQ(view->model()->rowCount(), 2);
  EXPECT_EQ(std::pair(Sheet().Col(), Sheet().Row()), std::pair(4, 2));
  EXPECT_EQ(view->currentIndex(), view->model()->index(1, 3));
  Sheet().SetRowCount(10);
  EXPECT_EQ(view->model()->headerData(7, Qt::Vertical).toString(), "Fig");
}

// Opening 100,000 person rows: the grid asks only for what it shows. Prints the time taken; it
// asserts what the user sees, not how fast.
TEST_F(Entry, AHundredThousandRowsOpenAndScroll) {
  std::string file;
  for (int i = 1; i <= 100000; ++i)
    file.append("P")
        .append(std::to_string(i))
        .append("\t12\t15\t")
        .append(std::to_string(i % 50))
        .append("\t\r\n");
  WriteBytes("big.txt", file);
  WriteReferenceFiles();
  Start();
  QTableView* view = Form1->StringGrid1->View();
  const auto start = std::chrono::steady_clock::now();
  order::ReadOrderFile(Sheet(), "big.txt");
  view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
  view->viewport()->repaint();
  const auto opened = std::chrono::steady_clock::now();
  Sheet().MoveTo(2, 50000);
  view->viewport()->repaint();
  const auto moved = std::chrono::steady_clock::now();
  Form1->K7->Click();
  Form1->ListBox2->View()->repaint();
  const auto tallied = std::chrono::steady_clock::now();
  using ms = std::chrono::duration<double, std::milli>;
  std::printf(
      "[ timing ] 100,000 rows: read, shown and scrolled to the end in %.0f ms; "
      "moved to row 50,000 in %.0f ms; per-person tally shown in %.0f ms\n",
      ms(opened - start).count(), ms(moved - opened).count(), ms(tallied - moved).count());
  EXPECT_EQ(Form1->ListBox2->Count(), 100000);
  EXPECT_EQ(view->model()->rowCount(), 100000);
  EXPECT_EQ(view->model()->headerData(99999, Qt::Vertical).toString(), "P100000");
  EXPECT_EQ(view->rowAt(view->viewport()->height() / 2) > 40000, true);
  EXPECT_EQ(view->currentIndex(), view->model()->index(49999, 1));
}

}  // namespace
