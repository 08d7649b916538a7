// The commands of the main window: both tallies on screen, hiding the result list, help, and the
// two ways to end the program.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QListView>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "main_window_fixture.h"
#include "order/tally.h"
#include "vcl/help_engine.h"

using testing_support::MainWindowTest;
using testing_support::Shown;
using testing_support::Sjis;
using testing_support::WriteBytes;

namespace {

class Commands : public MainWindowTest {
 protected:
  // The worked example: Kiwi 12 15 / Mango 15 15 _ 12 / Fig, picker 12 15 20.
  void StartWithExample() {
    WriteBytes("VELMORA_SIMEI.TXT", "Kiwi\r\nMango\r\nFig\r\n");
    WriteBytes("VELMORA_CBANGO.TXT", "12\r\n15\r\n20\r\n");
    Start();
    for (const auto& [col, row, text] :
         {std::tuple{1, 1, "12"}, {2, 1, "15"}, {1, 2, "15"}, {2, 2, "15"}, {4, 2, "12"}})
      Sheet().SetCell(col, row, text);
  }
  void TypePrice(const char* text) {
    QLineEdit* edit = Form1->Edit1->LineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
};

TEST_F(Commands, TalliesShowTheirLinesOverTheSheetReadingThePriceBoxNow) {
  StartWithExample();
  struct Case {
    vcl::TMenuItem* item;
    const char* price;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {Form1->K7, "50", {" Kiwi 12 15(2枚 100円)", " Mango 15 15(2枚 100円)", " Fig(0枚 0円)"}},
      {Form1->K9,
       "50",
       {"12=1枚  [1]Kiwi", "15=3枚  [1]Kiwi [2]Mang [2]Mang", "20=0枚 ", "合計 200円(4枚)"}},
      {Form1->K7, "abc", {" Kiwi 12 15(2枚 0円)", " Mango 15 15(2枚 0円)", " Fig(0枚 0円)"}},
      {Form1->K7, "-50", {" Kiwi 12 15(2枚 -100円)", " Mango 15 15(2枚 -100円)", " Fig(0枚 0円)"}},
      {Form1->K9,
       "abc",
       {"12=1枚  [1]Kiwi", "15=3枚  [1]Kiwi [2]Mang [2]Mang", "20=0枚 ", "合計 0円(4枚)"}},
  };
  for (const Case& c : cases) {
    TypePrice(c.price);
    c.item->Action()->trigger();
    c.item->Action()->trigger();  // run twice: its lines once
    EXPECT_TRUE(Form1->ListBox2->Visible());
    EXPECT_EQ(Utf8Lines(*Form1->ListBox2), c.lines) << c.price;
    QListView* view = Form1->ListBox2->View();
    EXPECT_EQ(view->model()->index(0, 0).data().toString().toStdString(), c.lines[0]);
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(Commands, ThePriceBoxHoldsCp932AsTyped) {
  Start();
  QLineEdit* edit = Form1->Edit1->LineEdit();
  edit->selectAll();
  for (const QChar c : QString("６０€"))
    QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
  EXPECT_EQ(Form1->Edit1->Text(), Sjis("６０") + "?");
  EXPECT_EQ(edit->text(), "６０?");
}

TEST_F(Commands, AClickOnTheResultListHidesItAndItsLinesStay) {
  StartWithExample();
  Form1->K7->Click();
  QListView* view = Form1->ListBox2->View();
  const QRect first = view->visualRect(view->model()->index(0, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, first.center());
  EXPECT_FALSE(Form1->ListBox2->Visible());
  EXPECT_EQ(Form1->ListBox2->Count(), 3);
  // A second tally shows it again; a click on the entry already selected hides it again.
  Form1->K9->Click();
  EXPECT_TRUE(Form1->ListBox2->Visible());
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, first.center());
  Form1->K9->Click();
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, first.center());
  EXPECT_FALSE(Form1->ListBox2->Visible());
  EXPECT_EQ(Form1->ListBox2->Count(), 4);
}

// A click on the result list takes the keyboard focus; when the list hides, the focus goes back
// to the control that had it before the tally (the sheet when none had it), never to the price
// box, where the next key typed would silently become the price.
TEST_F(Commands, HidingTheResultListGivesTheFocusBackNeverToThePriceBox) {
  StartWithExample();
  QWidget* sheet = Form1->StringGrid1->View();
  QWidget* picker = Form1->ListBox1->View();
  QWidget* priceBox = Form1->Edit1->Widget();
  const std::pair<QWidget*, QWidget*> cases[] = {
      {sheet, sheet}, {picker, picker}, {nullptr, sheet}, {priceBox, sheet}};
  for (const auto& [before, want] : cases) {
    const std::string name = before ? before->metaObject()->className() : "none";
    QApplication::setActiveWindow(Form1->Window());  // the window the user is working in
    if (before)
      before->setFocus(Qt::OtherFocusReason);
    else if (QWidget* focus = Form1->Window()->focusWidget())
      focus->clearFocus();
    Form1->K7->Click();
    QListView* list = Form1->ListBox2->View();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(0, 0)).center());
    ASSERT_FALSE(Form1->ListBox2->Visible()) << name;
    QWidget* focus = Form1->Window()->focusWidget();
    EXPECT_EQ(focus, want) << name << ": " << (focus ? focus->metaObject()->className() : "none");
    if (focus) QTest::keyClick(focus, Qt::Key_7);
    EXPECT_EQ(Form1->Edit1->Text(), "50") << name;
    Form1->K7->Click();
    const std::string kiwi = Utf8Lines(*Form1->ListBox2)[0];  // the 7 may be in a cell now
    EXPECT_TRUE(kiwi.ends_with("(2枚 100円)")) << name << ": " << kiwi;
    Form1->ListBox2->Hide();
  }
}

TEST_F(Commands, AnEmptyResultListHidesOnAClickAnywhere) {
  Start();  // no names: the per-person tally has no line
  errors.clear();
  Form1->K7->Click();
  ASSERT_TRUE(Form1->ListBox2->Visible());
  EXPECT_EQ(Form1->ListBox2->Count(), 0);
  QTest::mouseClick(Form1->ListBox2->View()->viewport(), Qt::LeftButton, {}, QPoint(100, 40));
  EXPECT_FALSE(Form1->ListBox2->Visible());
  // An empty picker takes no click as a pick.
  QTest::mouseClick(Form1->ListBox1->View()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(Sheet().Cell(1, 1), "");
}

// A tally's lines are taken over by the result list, not copied; lines added to a list that
// holds some come after them, and the view shows them all either way.
TEST_F(Commands, TheResultListAppendsLinesCopiedOrTakenOver) {
  Start();
  vcl::TListBox& list = *Form1->ListBox2;
  const std::vector<std::string> copied = {"a", "b"};
  list.AddStrings(copied);
  std::vector<std::string> taken = {"c", std::string(100, 'd')};
  list.AddStrings(std::move(taken));
  list.AddStrings(std::vector<std::string>{"e"});
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"a", "b", "c", std::string(100, 'd'), "e"}));
  EXPECT_EQ(copied.size(), 2u);
  EXPECT_EQ(list.View()->model()->rowCount(), 5);
  EXPECT_EQ(list.View()->model()->index(4, 0).data().toString(), "e");
  list.Clear();
  list.AddStrings(std::vector<std::string>{"f"});
  EXPECT_EQ(list.Items(), std::vector<std::string>{"f"});
  EXPECT_EQ(list.View()->model()->rowCount(), 1);

  // A line far wider than any list shows its first 4096 bytes and keeps all of them.
  const std::string wide = std::string(4000, 'w') + Sjis("生徒") + std::string(100'000, 'x');
  list.AddStrings(std::vector<std::string>{wide});
  EXPECT_EQ(list.Item(1), wide);
  EXPECT_EQ(list.View()->model()->index(1, 0).data().toString(),
            QString(4000, 'w') + "生徒" + QString(4096 - 4004, 'x'));
}

TEST_F(Commands, HelpShowsTheHelpFileFromTheCurrentFolderInItsViewer) {
  WriteBytes("VELMORA.hlp",
             "<html><head><meta charset=\"utf-8\"><title>使い方</title></head>"
             "<body><h1>使い方</h1></body></html>");
  Start();
  errors.clear();
  EXPECT_EQ(app->HelpFile(), "");
  Form1->K8->Action()->trigger();
  EXPECT_EQ(app->HelpFile(), "VELMORA.hlp");
  ASSERT_NE(vcl::HelpViewer(), nullptr);
  EXPECT_TRUE(vcl::HelpViewer()->isVisible());
  EXPECT_EQ(vcl::HelpViewer()->windowTitle(), "使い方");
  EXPECT_TRUE(helpMessages.empty());
  EXPECT_TRUE(errors.empty());
}

// Whatever is installed on this machine, the help engine's data folder is a folder of the test's
// own, "data" in the current folder.
class Help : public Commands {
 protected:
  Help() : installed_(vcl::HelpDataFolder()) {
    std::filesystem::create_directory("data");
    vcl::SetHelpDataFolder(QString::fromStdString(dir / "data"));
  }
  ~Help() override {
    vcl::DestroyHelpViewer();
    vcl::SetHelpDataFolder(installed_);
    std::filesystem::remove(besideProgram_);
  }

  // A help file next to the test program, removed when the test ends. Its name is the test's own,
  // so that tests running at the same time never see it.
  std::string WriteBesideProgram(const std::string& name, std::string_view bytes) {
    besideProgram_ = QDir(QCoreApplication::applicationDirPath())
                         .filePath(QString::fromStdString(name))
                         .toStdString();
    WriteBytes(besideProgram_, bytes);
    return besideProgram_;
  }

 private:
  QString installed_;
  std::string besideProgram_;
};

TEST_F(Help, AMissingHelpFileIsReportedByTheHelpEngineNotTheErrorBox) {
  Start();
  errors.clear();
  Form1->K8->Click();
  EXPECT_EQ(helpMessages,
            std::vector<std::string>{"ヘルプ ファイル VELMORA.hlp が見つかりません。"});
  EXPECT_TRUE(errors.empty());
  EXPECT_TRUE(vcl::HelpViewer() == nullptr || !vcl::HelpViewer()->isVisible());
}

TEST_F(Help, ABareNameIsLookedUpInTheCurrentFolderThenNextToTheProgramThenTheDataFolder) {
  const std::string name = "help-" + std::to_string(QCoreApplication::applicationPid()) + ".hlp";
  const auto page = [](const std::string& title) {
    return "<html><head><title>" + title + "</title></head><body></body></html>";
  };
  WriteBytes(name, page("current folder"));
  const std::string besideProgram = WriteBesideProgram(name, page("next to the program"));
  WriteBytes("data/" + name, page("data folder"));
  // The title of the file the viewer shows, after each of them is taken away in turn.
  std::vector<std::string> shown;
  for (const std::string& file : {name, besideProgram, "data/" + name}) {
    ASSERT_TRUE(vcl::WinHelp(nullptr, name, vcl::HELP_CONTENTS, 0));
    shown.push_back(vcl::HelpViewer()->windowTitle().toStdString());
    std::filesystem::remove(file);
  }
  EXPECT_EQ(shown,
            (std::vector<std::string>{"current folder", "next to the program", "data folder"}));
  EXPECT_FALSE(vcl::WinHelp(nullptr, name, vcl::HELP_CONTENTS, 0));
  EXPECT_EQ(helpMessages,
            std::vector<std::string>{"ヘルプ ファイル " + name + " が見つかりません。"});
}

TEST_F(Commands, EndEndsTheProcessAtOnceWithStatusZero) {
  StartWithExample();
  Form1->K1->Action()->trigger();
  EXPECT_EQ(exits, std::vector<int>{0});
  EXPECT_TRUE(errors.empty());
}

TEST_F(Commands, ClosingTheMainWindowEndsTheEventLoop) {
  Start();
  // A broken close would leave the loop running; CTest's time limit ends the test then.
  QTimer::singleShot(0, [] { Form1->Window()->close(); });
  app->Run();
  EXPECT_TRUE(exits.empty());
}

}  // namespace
