// The two editor windows, the name entry window and the order-number registration window: what
// they load when the program starts, what their buttons write, how the main window shows them and
// how they hide, and what the memo keeps of the bytes it shows and of what the user types.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "main_window_fixture.h"
#include "order/reference_files.h"
#include "rtl/exception.h"
#include "support/modal.h"
#include "support/process_limits.h"
#include "ui/form2.h"
#include "ui/form3.h"

using testing_support::FileSizeLimit;
using testing_support::MainWindowTest;
using testing_support::ReadBytes;
using testing_support::Shown;
using testing_support::Sjis;
using testing_support::Type;
using testing_support::WriteBytes;

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

const Shown kNoOrderNumbers{"Ui_tests", "ﾌｧｲﾙ VELMORA_CBANGO.TXT は開けません."};

// One editor window with the parts a test drives.
struct Editor {
  const char* name;  // for messages
  std::string file;
  vcl::TForm* form;
  vcl::TMemo* memo;
  vcl::TButton* save;
  vcl::TMenuItem* exit;
  vcl::TMenuItem* show;  // its command on the main window
};

class Editors : public MainWindowTest {
 protected:
  ~Editors() override {
    app.reset();
    Form2 = nullptr;
    Form3 = nullptr;
  }

  // Creates the three windows in the program's order.
  void StartAll() {
    app.reset();
    Start();
    app->CreateForm(Form2);
    app->CreateForm(Form3);
  }

  std::vector<Editor> Windows() const {
    return {
        {"Form2", order::kNamesFile, Form2, Form2->Memo1, Form2->Button1, Form2->EXIT1, Form1->K3},
        {"Form3", order::kOrderNumbersFile, Form3, Form3->Memo1, Form3->Button1, Form3->exit1,
         Form1->K5}};
  }

  static void Key(vcl::TMemo* memo, Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(memo->Editor(), key, modifiers);
  }
  static void Save(const Editor& editor) {
    QTest::mouseClick(editor.save->Button(), Qt::LeftButton);
  }
  static std::string OnScreen(const vcl::TMemo* memo) {
    return memo->Editor()->toPlainText().toStdString();
  }
};

TEST_F(Editors, AreBuiltHiddenWithTheirDesignTextAndPlaces) {
  StartAll();
  EXPECT_EQ(errors, std::vector<Shown>{kNoOrderNumbers});
  struct Design {
    const char* caption;
    QSize size;  // frame included
    QRect memo, button;
    const char* buttonCaption;
    const char* menuItem;
    Qt::ScrollBarPolicy vertical;
  };
  const Design designs[] = {
      {"氏名入力",
       {296, 300},
       {24, 16, 113, 233},
       {184, 24, 65, 49},
       "保存",
       "EXIT",
       Qt::ScrollBarAlwaysOn},
      {"注文番号登録",
       {206, 320},
       {32, 24, 73, 225},
       {120, 72, 65, 49},
       "登録",
       "exit",
       Qt::ScrollBarAlwaysOff},
  };
  const std::vector<Editor> windows = Windows();
  for (size_t i = 0; i < windows.size(); ++i) {
    const Editor& e = windows[i];
    const Design& d = designs[i];
    SCOPED_TRACE(e.name);
    EXPECT_FALSE(e.form->Visible());
    EXPECT_EQ(e.form->Window()->windowTitle().toStdString(), d.caption);
    EXPECT_EQ(e.form->Window()->pos(), QPoint(200, 107));
    EXPECT_EQ(e.form->ClientWidth(), d.size.width() - 2 * vcl::TForm::kBorder);
    EXPECT_EQ(e.form->ClientHeight(), d.size.height() - 2 * vcl::TForm::kBorder -
                                          vcl::TForm::kCaptionBar - vcl::TForm::kMenuBar);
    EXPECT_EQ(e.form->Window()->font().pixelSize(), 12);
    EXPECT_EQ(e.memo->Text(), "\r\n");
    EXPECT_EQ(e.memo->Editor()->geometry(), d.memo);
    EXPECT_EQ(e.save->Button()->geometry(), d.button);
    EXPECT_EQ(e.save->Button()->text().toStdString(), d.buttonCaption);
    const QList<QAction*> bar = e.form->Window()->menuBar()->actions();
    ASSERT_EQ(bar.size(), 1);
    EXPECT_EQ(bar[0]->text().toStdString(), d.menuItem);
    EXPECT_EQ(bar[0]->menu(), nullptr);
    EXPECT_EQ(e.memo->Editor()->verticalScrollBarPolicy(), d.vertical);
    EXPECT_EQ(e.memo->Editor()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(e.memo->Editor()->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  }
}

TEST_F(Editors, TabMovesFromTheMemoToTheButtonAndTypesNoTab) {
  StartAll();
  for (const Editor& e : Windows()) {
    SCOPED_TRACE(e.name);
    e.show->Click();
    e.memo->Editor()->setFocus();
    Key(e.memo, Qt::Key_Tab);
    EXPECT_EQ(e.form->Window()->focusWidget(), e.save->Button());
    EXPECT_EQ(e.memo->Text(), "\r\n");
  }
}

TEST_F(Editors, CreationLoadsEachFileAsEditorText) {
  struct Case {
    std::string file, text;
  };
  const Case cases[] = {
      {"A\r\nB\r\n", "A\r\nB\r\n"},
      {"A\rB\r", "A\r\nB\r\n"},  // lone CR line ends
      {"A\nB", "A\r\nB"},        // lone LF, no end after the last line
      {"A\n\rB", "A\r\n\r\nB"},  // LF then CR: two line ends
      {"A\0B\r\n"s, "A"},        // a NUL ends the text
      {"", ""},                  // an empty file empties the memo
      {Sjis("田中\r\n"), Sjis("田中\r\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.file));
    WriteBytes(order::kNamesFile, c.file);
    WriteBytes(order::kOrderNumbersFile, c.file);
    errors.clear();
    StartAll();
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(Form2->Memo1->Text(), c.text);
    EXPECT_EQ(Form3->Memo1->Text(), c.text);
    EXPECT_FALSE(Form2->Visible());
    EXPECT_FALSE(Form3->Visible());
  }
}

TEST_F(Editors, AFolderOfTheFileNameIsNoFile) {
  fs::create_directory(order::kNamesFile);
  WriteBytes(order::kOrderNumbersFile, "12\r\n");
  StartAll();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(Form2->Memo1->Text(), "\r\n");
  EXPECT_EQ(Form3->Memo1->Text(), "12\r\n");
}

TEST_F(Editors, AFileBeyondTheMemoShowsTheErrorAndTheStartGoesOn) {
  // A Ctrl-Z first keeps the main window from reading the names at start. The memo holds the file
  // to its last byte; one more, and it keeps its design text.
  std::string full = "\x1a";
  while (full.size() < order::kEditorCapacity) full += std::string(4094, 'a') + "\r\n";
  full.resize(order::kEditorCapacity);
  full.back() = 'a';  // no lone CR at the end
  WriteBytes(order::kNamesFile, full);
  WriteBytes(order::kOrderNumbersFile, "12\r\n15");
  StartAll();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(Form2->Memo1->Text().size(), order::kEditorCapacity);
  EXPECT_TRUE(Form2->Memo1->Text() == full);
  // Full: a key more is refused, and one in place of a key taken back is not.
  Form1->K3->Click();
  Key(Form2->Memo1, Qt::Key_End, Qt::ControlModifier);
  Type(Form2->Memo1->Editor(), "x");
  Key(Form2->Memo1, Qt::Key_Backspace);
  Type(Form2->Memo1->Editor(), "yz");
  full.back() = 'y';
  EXPECT_TRUE(Form2->Memo1->Text() == full);

  WriteBytes(order::kNamesFile, full + "\n");  // made CR LF: two bytes more
  StartAll();
  EXPECT_EQ(errors, (std::vector<Shown>{{"Ui_tests", "文字列の大きさが ﾒﾓ の制限を越えました."}}));
  EXPECT_EQ(Form2->Memo1->Text(), "\r\n");
  EXPECT_EQ(Form3->Memo1->Text(), "12\r\n15");
}

TEST_F(Editors, SaveWritesTheMemoTextByteForByteAndTheWindowStays) {
  struct Case {
    const char* what;
    std::optional<std::string> file;  // before the start
    std::function<void(vcl::TMemo*)> edit;
    std::string written;
  };
  const Case cases[] = {
      {"no file, design text", std::nullopt, nullptr, "\r\n"},
      {"LF file as loaded", "A\nB", nullptr, "A\r\nB"},
      {"memo emptied", "A\r\nB\r\n",
       [](vcl::TMemo* memo) {
         Key(memo, Qt::Key_A, Qt::ControlModifier);
         Key(memo, Qt::Key_Delete);
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(order::kNamesFile);
    fs::remove(order::kOrderNumbersFile);
    if (c.file) {
      WriteBytes(order::kNamesFile, *c.file);
      WriteBytes(order::kOrderNumbersFile, *c.file);
    }
    StartAll();
    errors.clear();
    for (const Editor& e : Windows()) {
      SCOPED_TRACE(e.name);
      e.show->Click();
      if (c.edit) c.edit(e.memo);
      const std::string before = e.memo->Text();
      Save(e);
      EXPECT_EQ(ReadBytes(e.file), c.written);
      EXPECT_EQ(e.memo->Text(), before);
      EXPECT_TRUE(e.form->Visible());
    }
    EXPECT_TRUE(errors.empty());
  }
}

TEST_F(Editors, ASaveThatFailsShowsTheErrorAndKeepsMemoWindowAndFile) {
  struct Case {
    const char* what;
    std::function<void()> setUp;
    std::string message;
    std::function<void()> check;
  };
  const Case cases[] = {
      {"names file is a folder", [] { fs::create_directory(order::kNamesFile); },
       "ﾌｧｲﾙ VELMORA_SIMEI.TXT を作成できません.",
       [] { EXPECT_TRUE(fs::is_directory(order::kNamesFile)); }},
      {"disk full", [] { fs::create_symlink("/dev/full", order::kNamesFile); },
       "ｽﾄﾘｰﾑへの書き込みｴﾗｰ.", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(order::kNamesFile);
    StartAll();
    c.setUp();
    errors.clear();
    Form1->K3->Click();
    Type(Form2->Memo1->Editor(), "Kiwi");
    const std::string text = Form2->Memo1->Text();
    Save(Windows()[0]);
    EXPECT_EQ(errors, (std::vector<Shown>{{"Ui_tests", c.message}}));
    EXPECT_EQ(Form2->Memo1->Text(), text);
    EXPECT_TRUE(Form2->Visible());
    if (c.check) c.check();
  }
}

TEST_F(Editors, AWriteErrorLeavesTheOldFileWhole) {
  WriteBytes(order::kOrderNumbersFile, "12\r\n15\r\n");
  StartAll();
  errors.clear();
  Form1->K5->Click();
  Type(Form3->Memo1->Editor(), "20");
  {
    // A file size limit of 4 bytes fails the write of the new file part way.
    const FileSizeLimit limit(4);
    Save(Windows()[1]);
  }
  EXPECT_EQ(errors, (std::vector<Shown>{{"Ui_tests", "ｽﾄﾘｰﾑへの書き込みｴﾗｰ."}}));
  EXPECT_EQ(ReadBytes(order::kOrderNumbersFile), "12\r\n15\r\n");
  EXPECT_EQ(Form3->Memo1->Text(), "2012\r\n15\r\n");
  EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1)
      << "no part-written file is left behind";
}

TEST_F(Editors, HidingAndShowingAgainKeepsUnsavedText) {
  StartAll();
  for (const Editor& e : Windows()) {
    SCOPED_TRACE(e.name);
    e.show->Action()->trigger();
    ASSERT_TRUE(e.form->Visible());
    Type(e.memo->Editor(), "x");
    const std::string typed = e.memo->Text();
    ASSERT_EQ(typed, "x\r\n");

    e.exit->Action()->trigger();  // EXIT / exit
    EXPECT_FALSE(e.form->Visible());
    e.show->Action()->trigger();
    EXPECT_TRUE(e.form->Visible());
    EXPECT_EQ(e.memo->Text(), typed);

    e.form->Window()->close();  // the close box
    EXPECT_FALSE(e.form->Visible());
    EXPECT_TRUE(Form1->Visible()) << "closing an editor leaves the main window";
    e.show->Action()->trigger();
    EXPECT_TRUE(e.form->Visible());
    EXPECT_EQ(e.memo->Text(), typed);

    // Shown while already visible: it stays as it is, nothing is reloaded.
    WriteBytes(e.file, "other\r\n");
    e.show->Action()->trigger();
    EXPECT_TRUE(e.form->Visible());
    EXPECT_EQ(e.memo->Text(), typed);
  }
}

TEST_F(Editors, ShowingAnEditorBringsItToTheFront) {
  StartAll();
  Form1->K3->Click();
  Form1->K5->Click();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form3->Window()));
  Form1->K3->Click();  // already visible: only to the front
  EXPECT_TRUE(QTest::qWaitForWindowActive(Form2->Window()));
  EXPECT_TRUE(Form3->Visible());
}

TEST_F(Editors, TypedTextIsSavedAsCp932WithCrLfLineEnds) {
  StartAll();
  const QString kLong = "ｶﾅ 1234567890 ABCDEFGHIJ 1234567890";  // wider than either memo
  for (const Editor& e : Windows()) {
    SCOPED_TRACE(e.name);
    e.show->Click();
    Key(e.memo, Qt::Key_A, Qt::ControlModifier);
    Type(e.memo->Editor(), "田中");
    Key(e.memo, Qt::Key_Return);
    Type(e.memo->Editor(), kLong);
    Key(e.memo, Qt::Key_Return, Qt::ShiftModifier);
    Type(e.memo->Editor(), "€");  // no CP932 form: a "?", on screen too
    Save(e);
    EXPECT_EQ(ReadBytes(e.file), Sjis("田中\r\n" + kLong.toStdString() + "\r\n?"));
    EXPECT_EQ(OnScreen(e.memo), "田中\n" + kLong.toStdString() + "\n?");
    // The long line wraps on screen only.
    const QTextBlock line = e.memo->Editor()->document()->findBlockByNumber(1);
    ASSERT_NE(line.layout(), nullptr);
    EXPECT_GT(line.layout()->lineCount(), 1);
  }
}

TEST_F(Editors, BytesOutsideCp932ComeBackAsLoadedOnLinesNotEdited) {
  // Stray bytes, a double-byte character cut by the line end, and two characters that CP932 can
  // write two ways ("≒" as 87 90, "纊" as ED 40): none of them is what the screen would encode.
  const std::string odd = "\x80\xA0\xFD \x87\x90\xED\x40 \x82";
  const std::string file = odd + "\r\n" + Sjis("田中") + "\r\n";
  struct Case {
    const char* what;
    std::function<void(vcl::TMemo*)> edit;
    std::string written;
  };
  const Case cases[] = {
      {"not edited", nullptr, file},
      {"a line added below",
       [](vcl::TMemo* memo) {
         Key(memo, Qt::Key_End, Qt::ControlModifier);
         Type(memo->Editor(), "Kiwi");
       },
       file + "Kiwi"},
      {"a line typed above, then broken off",
       [](vcl::TMemo* memo) {
         Key(memo, Qt::Key_Home, Qt::ControlModifier);
         Type(memo->Editor(), "Fig");
         Key(memo, Qt::Key_Return);
       },
       "Fig\r\n" + file},
      {"an empty line opened above",
       [](vcl::TMemo* memo) {
         Key(memo, Qt::Key_Home, Qt::ControlModifier);
         Key(memo, Qt::Key_Return);
         Key(memo, Qt::Key_Up);
         Type(memo->Editor(), "Fig");
       },
       "Fig\r\n" + file},
      {"the line below it broken in two",
       [](vcl::TMemo* memo) {
         Key(memo, Qt::Key_Down);
         Key(memo, Qt::Key_Right);
         Key(memo, Qt::Key_Return);
       },
       odd + "\r\n" + Sjis("田\r\n中") + "\r\n"},
      {"the odd line itself edited, then undone",
       [](vcl::TMemo* memo) {
         Key(memo, Qt::Key_Home, Qt::ControlModifier);
         Type(memo->Editor(), "z");
         Key(memo, Qt::Key_Z, Qt::ControlModifier);
       },
       file},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteBytes(order::kNamesFile, file);
    StartAll();
    Form1->K3->Click();
    EXPECT_EQ(Form2->Memo1->Text(), file);
    if (c.edit) c.edit(Form2->Memo1);
    Save(Windows()[0]);
    EXPECT_EQ(ReadBytes(order::kNamesFile), c.written);
  }
}

TEST_F(Editors, TheMemoTakesNoMoreThanItsLimit) {
  StartAll();
  Form1->K3->Click();
  vcl::TMemo* memo = Form2->Memo1;
  QPlainTextEdit* editor = memo->Editor();

  // More than the memo can hold is refused whole; the memo keeps its text.
  memo->SetText("keep");
  EXPECT_THROW(memo->SetText(std::string(vcl::TMemo::kMaxLength + 1, 'a')), rtl::EInvalidOperation);
  EXPECT_EQ(memo->Text(), "keep");
  EXPECT_EQ(editor->toPlainText(), "keep");

  // Typing and pasting stop at the limit, counted in bytes of the text.
  memo->SetMaxLength(8);
  memo->SetText("1234\r\n5");  // 7 bytes
  Key(memo, Qt::Key_End, Qt::ControlModifier);
  Type(memo->Editor(), "あ");  // 2 bytes: 9
  Key(memo, Qt::Key_Return);   // CR LF: 9
  QApplication::clipboard()->setText("xy");
  Key(memo, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(memo->Text(), "1234\r\n5");
  Type(memo->Editor(), "6");  // 8: just fits
  EXPECT_EQ(memo->Text(), "1234\r\n56");
  Type(memo->Editor(), "7");
  EXPECT_EQ(memo->Text(), "1234\r\n56");
  // Replacing a selection counts what it takes away.
  Key(memo, Qt::Key_A, Qt::ControlModifier);
  Key(memo, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(memo->Text(), "xy");
  EXPECT_EQ(editor->toPlainText(), "xy");
}

}  // namespace
