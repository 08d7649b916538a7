// "保存" and "読み込み" on the real window: the file dialogs, the bytes of the order file, loads
// into taller and shorter sheets, the overwrite question, failures shown in the error box, and the
// cell editor that keeps a cell on one line.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <filesystem>

#include "main_window_fixture.h"
#include "support/modal.h"
#include "support/process_limits.h"

using testing_support::AsUnprivilegedUser;
using testing_support::FileSizeLimit;
using testing_support::MainWindowTest;
using testing_support::ReadBytes;
using testing_support::Shown;
using testing_support::Sjis;
using testing_support::WriteBytes;
namespace fs = std::filesystem;

namespace {

// Two rows: 田中 with 3 and 12, and 鈴木 alone.
const std::string kTwoRows = Sjis("田中\t3\t12\t\r\n鈴木\t\r\n");

class OrderFile : public MainWindowTest {
 protected:
  OrderFile() { WriteBytes("VELMORA_CBANGO.TXT", "12\r\n15\r\n"); }
  void Load(std::optional<std::string> typed) {
    QueueFileName(std::move(typed));
    Form1->K2->Click();
  }
  void Save(std::optional<std::string> typed) {
    QueueFileName(std::move(typed));
    Form1->K6->Click();
  }
  // Cells 0 to count - 1 of `row`.
  std::vector<std::string> Row(int row, int count) {
    std::vector<std::string> cells;
    for (int col = 0; col < count; ++col) cells.emplace_back(Sheet().Cell(col, row));
    return cells;
  }
  void Fill(int row, const std::vector<std::string>& cells) {
    for (size_t col = 0; col < cells.size(); ++col)
      Sheet().SetCell(static_cast<int>(col), row, cells[col]);
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path()))
      if (entry.path().filename() != "VELMORA_CBANGO.TXT")
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  static Shown Error(const std::string& message) { return {"Ui_tests", message + "."}; }
};

TEST_F(OrderFile, SaveWritesEveryRowAsTabEndedFieldsAndTheDialogKeepsTheFullPath) {
  Start();
  Sheet().SetRowCount(6);
  Fill(1, {Sjis("田中"), "3", "12"});
  Fill(2, {Sjis("鈴木")});
  Fill(3, {"", "4", "8"});       // no name: its cells up to the first empty one
  Fill(4, {"A", "1", "", "5"});  // the 5 after the gap is not part of the row
  Save("order");

  EXPECT_EQ(ReadBytes("order.txt"), kTwoRows + "\t4\t8\t\r\nA\t1\t\r\n\t\r\n");
  EXPECT_EQ(Form1->SaveDialog1->FileName(), dir / "order.txt");
  EXPECT_EQ(Form1->OpenDialog1->FileName(), "") << "saving never changes the loaded file's name";
  EXPECT_EQ(errors, std::vector<Shown>{});

  Sheet().SetRowCount(3);
  Save("two.txt");
  const std::string twoRows = ReadBytes("two.txt");
  EXPECT_EQ(twoRows.size(), 19u);
  EXPECT_EQ(twoRows,
            "\x93\x63\x92\x86\x09\x33\x09\x31\x32\x09\x0D\x0A\x97\xE9\x96\xD8\x09\x0D\x0A");
}

TEST_F(OrderFile, TheDialogCompletesNamesInTheCurrentFolderAndOpensWithTheLastOne) {
  Start();
  fs::create_directory("sub");
  struct Case {
    std::string typed;
    std::string path;
  };
  const Case cases[] = {
      {"plain", dir / "plain.txt"},
      {"sub/../other.dat", dir / "other.dat"},
      {"sub/x.", dir / "sub/x."},
      {dir / "sub/abs", dir / "sub/abs.txt"},
  };
  std::string previous;
  for (const Case& c : cases) {
    std::string shownName = "never shown";
    vcl::TOpenDialog::QueueAnswer([&](const vcl::FileDialogShown& shown) {
      shownName = shown.fileName;
      EXPECT_TRUE(shown.save);
      EXPECT_EQ(shown.filter, Sjis("写真注文データ|*.txt"));
      EXPECT_EQ(shown.defaultExt, "txt");
      return std::optional<std::string>(c.typed);
    });
    Form1->K6->Click();
    EXPECT_EQ(shownName, previous);
    EXPECT_EQ(Form1->SaveDialog1->FileName(), c.path) << c.typed;
    EXPECT_TRUE(fs::is_regular_file(c.path)) << c.path;
    previous = c.path;
  }
  EXPECT_EQ(errors, std::vector<Shown>{});
}

TEST_F(OrderFile, LoadReplacesTheFieldsOfEachLineAndKeepsTheCellsAfterThem) {
  Start();
  Sheet().SetRowCount(31);
  Fill(2, {Sjis("鈴木"), "5", "7"});
  Fill(5, {"Old", "8", "9"});
  Sheet().MoveTo(3, 20);
  WriteBytes("two.txt", kTwoRows);
  Load("two");

  EXPECT_EQ(Sheet().RowCount(), 3);
  EXPECT_EQ(Form1->StringGrid1->View()->model()->rowCount(), 2) << "person rows on screen";
  EXPECT_EQ(Row(1, 4), (std::vector<std::string>{Sjis("田中"), "3", "12", ""}));
  EXPECT_EQ(Row(2, 3), (std::vector<std::string>{Sjis("鈴木"), "", "7"}));
  EXPECT_EQ(Sheet().Row(), 1);
  EXPECT_EQ(Sheet().Col(), 3);
  EXPECT_EQ(Form1->OpenDialog1->FileName(), dir / "two.txt");

  // A longer file brings the rows beyond the shorter one back, old cells after its fields showing.
  std::string tenLines;
  for (int i = 1; i <= 10; ++i) tenLines.append("N").append(std::to_string(i)).append("\t\r\n");
  WriteBytes("ten.txt", tenLines);
  Load("ten.txt");
  EXPECT_EQ(Sheet().RowCount(), 11);
  EXPECT_EQ(Row(5, 3), (std::vector<std::string>{"N5", "", "9"}));
  EXPECT_EQ(errors, std::vector<Shown>{});
}

// Whatever the rows hold (60 fields, Japanese and empty names, bytes that are no CP932 text,
// lines of hundreds of bytes), a file loaded and saved again is the same file.
TEST_F(OrderFile, ALoadedSheetIsSavedBackByteForByte) {
  std::string sixty = Sjis("佐藤");
  for (int i = 1; i <= 60; ++i) sixty.append("\t").append(std::to_string(i));
  std::string longLine = Sjis("長い行");
  for (int i = 0; i < 90; ++i) longLine.append("\t").append(std::to_string(1000 + i));  // 453 bytes
  const std::string file = sixty + "\t\r\n" + longLine + "\t\r\n" + "\t4\t8\t\r\n" + "\t\r\n" +
                           Sjis("山田　花子\t１２\t3\t\r\n") +
                           "\x81\t\xED\x40\xFF\t\x87\x90\t\r\n" + "x\t\r\n";
  WriteBytes("in.txt", file);
  WriteBytes("VELMORA_SIMEI.TXT", Sjis("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj\r\n"));
  Start();  // a sheet of ten named rows: taller than the file
  Load("in");
  ASSERT_EQ(Sheet().RowCount(), 8);
  EXPECT_EQ(Sheet().Cell(59, 1), "59");
  EXPECT_EQ(Sheet().Cell(60, 1), "60");
  Save("out");
  EXPECT_EQ(ReadBytes("out.txt"), file);

  // Loaded again into the window's sheet, now shorter than before, the same rows come back.
  Load("out");
  Save("again");
  EXPECT_EQ(ReadBytes("again.txt"), file);
  EXPECT_EQ(errors, std::vector<Shown>{});
}

TEST_F(OrderFile, CancelInEitherDialogChangesNothing) {
  WriteBytes("two.txt", kTwoRows);
  Start();
  Load("two");
  Save("saved");
  const auto files = Files();
  Fill(1, {"changed"});

  Load(std::nullopt);
  Save(std::nullopt);
  EXPECT_EQ(Sheet().Cell(0, 1), "changed");
  EXPECT_EQ(Files(), files);
  EXPECT_EQ(ReadBytes("saved.txt"), kTwoRows);
  EXPECT_EQ(Form1->OpenDialog1->FileName(), dir / "two.txt");
  EXPECT_EQ(Form1->SaveDialog1->FileName(), dir / "saved.txt");
  EXPECT_EQ(errors, std::vector<Shown>{});
}

TEST_F(OrderFile, AFileThatCannotBeOpenedIsReportedTheSheetStaysAndItsNameIsKept) {
  Start();
  Fill(1, {"Kiwi", "12"});
  fs::create_directory("folder.txt");
  Load("missing");
  Load("folder");
  EXPECT_EQ(errors, (std::vector<Shown>{Error("ﾌｧｲﾙ " + dir / "missing.txt" + " は開けません"),
                                        Error("ﾌｧｲﾙ " + dir / "folder.txt" + " は開けません")}));
  EXPECT_EQ(Row(1, 3), (std::vector<std::string>{"Kiwi", "12", ""}));
  EXPECT_EQ(Sheet().RowCount(), order::Sheet::InitialRowCount);
  EXPECT_EQ(Form1->OpenDialog1->FileName(), dir / "folder.txt");
}

TEST_F(OrderFile, ReplacingAFileIsAskedFirstAndNoReturnsToTheDialog) {
  Start();
  Fill(1, {"new"});
  WriteBytes("old.txt", "the old file");
  std::vector<std::string> questions;
  std::vector<std::string> shownNames;
  const auto answer = [&](std::optional<std::string> typed) {
    vcl::TOpenDialog::QueueAnswer([&, typed](const vcl::FileDialogShown& shown) {
      shownNames.push_back(shown.fileName);
      return typed;
    });
  };
  const auto reply = [&](bool replace) {
    vcl::TSaveDialog::QueueOverwriteAnswer([&, replace](const std::string& question) {
      questions.push_back(question);
      return replace;
    });
  };

  // No, then cancel in the dialog it returned to: the file stays.
  answer("old");
  reply(false);
  answer(std::nullopt);
  Form1->K6->Click();
  EXPECT_EQ(ReadBytes("old.txt"), "the old file");
  EXPECT_EQ(shownNames, (std::vector<std::string>{"", dir / "old.txt"}));
  EXPECT_EQ(Form1->SaveDialog1->FileName(), "");

  // No, then another name that is free: no second question.
  answer("old");
  reply(false);
  answer("fresh");
  Form1->K6->Click();
  EXPECT_EQ(ReadBytes("old.txt"), "the old file");
  EXPECT_EQ(ReadBytes("fresh.txt"), "new\t\r\n\t\r\n\t\r\n\t\r\n");

  // Yes replaces it.
  answer("old");
  reply(true);
  Form1->K6->Click();
  EXPECT_EQ(ReadBytes("old.txt"), "new\t\r\n\t\r\n\t\r\n\t\r\n");

  const std::string question = dir / "old.txt" + " は既に存在します。\n上書きしますか?";
  EXPECT_EQ(questions, (std::vector<std::string>{question, question, question}));
  EXPECT_EQ(errors, std::vector<Shown>{});
}

TEST_F(OrderFile, ASaveThatFailsIsReportedAndTheFileThatWasThereStaysWhole) {
  Start();
  for (int row = 1; row < Sheet().RowCount(); ++row) Fill(row, {"name", "1", "2", "3", "4"});
  WriteBytes("kept.txt", "the old file");
  fs::create_symlink("/dev/full", "full.txt");
  vcl::TSaveDialog::QueueOverwriteAnswer([](const std::string&) { return true; });
  vcl::TSaveDialog::QueueOverwriteAnswer([](const std::string&) { return true; });

  Save("no-such-folder/x");
  Save("full");
  {
    FileSizeLimit limit(16);  // the new sheet's bytes stop short after 16
    Save("kept");
  }
  EXPECT_EQ(errors,
            (std::vector<Shown>{Error("ﾌｧｲﾙ " + dir / "no-such-folder/x.txt" + " を作成できません"),
                                Error("ｽﾄﾘｰﾑへの書き込みｴﾗｰ"), Error("ｽﾄﾘｰﾑへの書き込みｴﾗｰ")}));
  EXPECT_EQ(ReadBytes("kept.txt"), "the old file");
  EXPECT_TRUE(fs::is_symlink("full.txt"));
  EXPECT_TRUE(fs::is_character_file("/dev/full"));
  EXPECT_EQ(Files(), (std::vector<std::string>{"full.txt", "kept.txt"}))
      << "no temporary file left";
}

// Root may write anywhere, so the read-only folder is tried by a user without that right.
TEST_F(OrderFile, ASaveIntoAReadOnlyFolderIsReported) {
  Start();
  fs::create_directory("locked");
  fs::permissions(dir.path(), fs::perms(0755));
  fs::permissions("locked", fs::perms(0555));
  const std::string path = dir / "locked/out.txt";
  EXPECT_TRUE(AsUnprivilegedUser([&] {
    Save("locked/out");
    return errors == std::vector<Shown>{Error("ﾌｧｲﾙ " + path + " を作成できません")};
  }));
  EXPECT_FALSE(fs::exists(path));
}

// "保存" over a file the user may write (mode 666) in a folder that takes no new file (mode 555)
// writes the file itself; a save over the file-size limit then is the write error in the error
// box, with the saved file whole, not the end of the program. The window runs in a new process of
// a user without privileges, SIGXFSZ as the program finds it at start.
TEST_F(OrderFile, SavesWhereOnlyTheFileIsWritableAndSurvivesTheFileSizeLimit) {
  fs::permissions(dir.path(), fs::perms(0755));
  fs::create_directory("locked");
  WriteBytes("locked/kept.txt", "the old file");
  fs::permissions("locked/kept.txt", fs::perms(0666));
  fs::permissions("locked", fs::perms(0555));
  EXPECT_TRUE(testing_support::InNewChildProcess([&] {
    Start();
    errors.clear();
    vcl::TSaveDialog::QueueOverwriteAnswer([](const std::string&) { return true; });
    vcl::TSaveDialog::QueueOverwriteAnswer([](const std::string&) { return true; });
    Fill(1, {"Kiwi", "12"});
    Save("locked/kept");
    EXPECT_EQ(errors, std::vector<Shown>{});
    Sheet().SetRowCount(2000);
    for (int row = 2; row < 2000; ++row) Fill(row, {"name", "1", "2", "3", "4"});
    testing_support::LimitFileSize(4096);
    Save("locked/kept");
    EXPECT_EQ(errors, std::vector<Shown>{Error("ｽﾄﾘｰﾑへの書き込みｴﾗｰ")});
    return errors == std::vector<Shown>{Error("ｽﾄﾘｰﾑへの書き込みｴﾗｰ")};
  }));
  EXPECT_EQ(ReadBytes("locked/kept.txt"), "Kiwi\t12\t\r\n\t\r\n\t\r\n\t\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator("locked"), fs::directory_iterator()), 1)
      << "no temporary file";
}

TEST_F(OrderFile, TheDialogsLeaveTheCurrentFolderAsItWas) {
  Start();
  fs::create_directory("elsewhere");
  const std::string saved = dir / "elsewhere/o.txt";
  vcl::TOpenDialog::QueueAnswer([&](const vcl::FileDialogShown&) {
    QDir::setCurrent("elsewhere");  // a dialog that moves about the folders
    return std::optional<std::string>(saved);
  });
  Form1->K6->Click();
  EXPECT_EQ(fs::current_path(), dir.path());
  EXPECT_TRUE(fs::is_regular_file(saved));
}

// A TAB, CR or LF in a cell would split it into two fields or two lines in the file: the cell
// editor drops them, whether typed or pasted, and keeps the rest.
TEST_F(OrderFile, TheCellEditorKeepsACellOnOneLine) {
  Start();
  QTableView* view = Form1->StringGrid1->View();
  Form1->Show();
  view->setFocus();
  Sheet().MoveTo(1, 1);
  view->edit(view->currentIndex());
  auto* editor = view->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "12");
  QApplication::clipboard()->setText("3\t4\r\n5\n");
  editor->paste();
  editor->insert("6\t");
  EXPECT_EQ(Sheet().Cell(1, 1), "123456");
  EXPECT_EQ(editor->text().toStdString(), "123456");

  Save("one-line");
  EXPECT_EQ(ReadBytes("one-line.txt"), "\t123456\t\r\n\t\r\n\t\r\n\t\r\n");
}

}  // namespace

namespace {

using testing_support::WhenOpen;

// The real dialogs, not their test answers: what they show, and that what the user types and
// confirms arrives as the full path.
TEST_F(OrderFile, TheRealDialogsTakeTheTypedNameAndAskInTheirOwnBox) {
  Start();
  WriteBytes("taken.txt", "the old file");
  WhenOpen<QFileDialog>([](QFileDialog* dialog) {
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(dialog->nameFilters(), QStringList{QString::fromUtf8("写真注文データ (*.txt)")});
    EXPECT_EQ(dialog->directory().absolutePath(), QDir::currentPath());
    EXPECT_EQ(dialog->labelText(QFileDialog::Reject), QString::fromUtf8("キャンセル"))
        << "Qt's own texts are Japanese";
    dialog->selectFile("taken");
    // The question comes once the dialog is closed; "いいえ" opens the dialog again: cancel it.
    WhenOpen<QMessageBox>([](QMessageBox* box) {
      EXPECT_EQ(box->defaultButton()->text(), QString::fromUtf8("いいえ(&N)"));
      WhenOpen<QFileDialog>([](QFileDialog* again) {
        EXPECT_EQ(again->selectedFiles().value(0), QDir::current().filePath("taken.txt"));
        again->reject();
      });
      box->defaultButton()->click();
    });
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
  });
  Form1->K6->Click();
  EXPECT_EQ(ReadBytes("taken.txt"), "the old file");
  EXPECT_EQ(Form1->SaveDialog1->FileName(), "");

  WriteBytes("two.txt", kTwoRows);
  WhenOpen<QFileDialog>([](QFileDialog* dialog) {
    EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
    dialog->selectFile("two");
    static_cast<QDialog*>(dialog)->accept();  // as the dialog's own button does
  });
  Form1->K2->Click();
  EXPECT_EQ(Form1->OpenDialog1->FileName(), dir / "two.txt");
  EXPECT_EQ(Sheet().Cell(0, 2), Sjis("鈴木"));
  EXPECT_EQ(errors, std::vector<Shown>{});
}

// The load dialog as the user sees it: centred over the main window, the file list's sizes, types
// and dates in Japanese, and every column at least as wide as what it shows.
TEST_F(OrderFile, TheRealLoadDialogSpeaksJapaneseAndIsCentredOverTheMainWindow) {
  WriteBytes("order.txt", std::string(350, 'x'));
  Start();
  bool looked = false;
  WhenOpen<QFileDialog>([&](QFileDialog* dialog) {
    looked = true;
    const QRect over = Form1->Window()->frameGeometry();
    const QRect frame = dialog->frameGeometry();
    EXPECT_LE((frame.center() - over.center()).manhattanLength(), 1)
        << "dialog centre " << frame.center().x() << "," << frame.center().y() << ", window's "
        << over.center().x() << "," << over.center().y();
    EXPECT_TRUE(dialog->screen()->availableGeometry().contains(frame));
    auto* list = dialog->findChild<QTreeView*>();
    ASSERT_NE(list, nullptr);
    // The file list fills in on a thread of its own, the type last.
    const auto row = [&]() -> QModelIndex {
      const QModelIndex top = list->rootIndex();
      for (int r = 0; r < list->model()->rowCount(top); ++r) {
        const QModelIndex name = list->model()->index(r, 0, top);
        if (name.data().toString() == "order.txt") return name;
      }
      return {};
    };
    for (int tries = 0;
         tries < 3000 && (!row().isValid() || row().siblingAtColumn(2).data().toString().isEmpty());
         ++tries)
      QTest::qWait(10);
    const QModelIndex name = row();
    ASSERT_TRUE(name.isValid());
    const auto shown = [&](int column) { return name.siblingAtColumn(column).data().toString(); };
    EXPECT_EQ(shown(1).toStdString(), "350 バイト");
    EXPECT_EQ(shown(2).toStdString(), "平文テキストドキュメント");
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    EXPECT_EQ(shown(3),
              japanese.toString(QFileInfo("order.txt").lastModified(), QLocale::ShortFormat))
        << shown(3).toStdString();
    for (int column = 0; column < 4; ++column)
      EXPECT_GE(list->columnWidth(column),
                list->sizeHintForIndex(name.siblingAtColumn(column)).width())
          << "column " << column << ": "
          << name.siblingAtColumn(column).data().toString().toStdString();
    dialog->reject();
  });
  Form1->K2->Click();
  EXPECT_TRUE(looked);
}

}  // namespace

namespace {

// Some characters have two CP932 codes (NEC and IBM extensions). A cell the user opens and leaves
// without a change is saved with the bytes it was loaded with.
TEST_F(OrderFile, ACellOpenedAndLeftUnchangedKeepsItsBytes) {
  const std::string file = "\xED\x40\x87\x90\t\xFA\x5C\xEE\xEF\t\r\n";  // 纊≒ and 纊ⅰ, twice over
  WriteBytes("twins.txt", file);
  Start();
  Load("twins");
  QTableView* view = Form1->StringGrid1->View();
  Form1->Show();
  view->setFocus();
  Sheet().MoveTo(1, 1);
  view->edit(view->currentIndex());
  ASSERT_NE(view->findChild<QLineEdit*>(), nullptr);
  QTest::keyClick(view->findChild<QLineEdit*>(), Qt::Key_Return);
  QApplication::processEvents();  // the view commits the editor's text and closes it
  Save("out");
  EXPECT_EQ(ReadBytes("out.txt"), file);
}

}  // namespace
