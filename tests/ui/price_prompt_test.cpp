// The unit-price prompt "設定" -> "１枚の値段登録": the price box and nedan.txt take the answer
// together, cancelling rewrites the file with the box's text, and a file that cannot be written
// leaves the box alone. Then the input box itself, on screen: what it shows, how it is left, and
// its limit of 255 bytes.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <optional>

#include "main_window_fixture.h"
#include "rtl/cp932.h"
#include "support/modal.h"
#include "support/process_limits.h"
#include "vcl/input_box.h"

using testing_support::FileSizeLimit;
using testing_support::MainWindowTest;
using testing_support::ReadBytes;
using testing_support::Shown;
using testing_support::Sjis;
using testing_support::Type;
using testing_support::WriteBytes;

namespace {

namespace fs = std::filesystem;

// "１枚の値段登録" and "一枚の値段(円)は?" in CP932.
const std::string kCaption = "\x82\x50\x96\x87\x82\xcc\x92\x6c\x92\x69\x93\x6f\x98\x5e";
const std::string kPrompt = "\x88\xea\x96\x87\x82\xcc\x92\x6c\x92\x69(\x89\x7e)\x82\xcd?";

std::string Repeat(const std::string& piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

QPushButton* Button(QDialog& dialog, const QString& caption) {
  for (QPushButton* button : dialog.findChildren<QPushButton*>())
    if (button->text() == caption) return button;
  return nullptr;
}

// Runs `act` on the input box and its field once it is open.
void WhenBoxOpen(std::function<void(QDialog& dialog, QLineEdit& field)> act) {
  testing_support::WhenOpen<QDialog>([act = std::move(act)](QDialog* dialog) {
    QLineEdit* field = dialog->findChild<QLineEdit*>();
    if (!field) {
      ADD_FAILURE() << "the dialog has no field";
      dialog->reject();
      return;
    }
    act(*dialog, *field);
  });
}

class PricePrompt : public MainWindowTest {
 protected:
  // The order numbers are there, so that the start shows no error.
  PricePrompt() { WriteBytes("VELMORA_CBANGO.TXT", "12\r\n"); }

  // Starts the program again in the same folder, as the next run would.
  void Restart() {
    app.reset();
    Form1 = nullptr;
    Start();
  }
  static void Answer(std::optional<std::string> text) {
    vcl::QueueInputBoxAnswer([text](const vcl::InputBoxShown&) { return text; });
  }
};

TEST_F(PricePrompt, TheAnswerGoesToTheBoxAndNedanTxtAndComesBackAtTheNextStart) {
  struct Case {
    const char* what;
    std::optional<std::string> file;    // nedan.txt before, none: no file
    std::optional<std::string> answer;  // none: cancelled
    std::string box;                    // the price box after, and after the next start
    std::string written;
    std::string boxNextStart;
  };
  const Case cases[] = {
      {"new price", "80\r\n", "120", "120", "120", "120"},
      {"cancel keeps the box and rewrites the file", "80\r\n", std::nullopt, "80\n", "80\r\n",
       "80\n"},
      {"cancel without a price file", std::nullopt, std::nullopt, "50", "50", "50"},
      {"empty field", "80\r\n", "", "", "", "50"},
      {"longer than 9 bytes", "80\r\n", "1234567890123", "1234567890123", "1234567890123",
       "1234567890123"},
      {"double-byte text", "80\r\n", Sjis("百円"), Sjis("百円"), Sjis("百円"), Sjis("百円")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove("nedan.txt");
    if (c.file) WriteBytes("nedan.txt", *c.file);
    Restart();
    Answer(c.answer);
    Form1->K10->Action()->trigger();
    EXPECT_EQ(Form1->Edit1->Text(), c.box);
    EXPECT_EQ(ReadBytes("nedan.txt"), c.written);
    Restart();
    EXPECT_EQ(Form1->Edit1->Text(), c.boxNextStart);
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(PricePrompt, OffersThePriceBoxTextAsItStandsUnderItsCaptionAndPrompt) {
  WriteBytes("nedan.txt", "80\r\n");
  Start();
  std::vector<std::string> offered;
  const auto record = [&](const vcl::InputBoxShown& shown) {
    EXPECT_EQ(shown.caption, kCaption);
    EXPECT_EQ(shown.prompt, kPrompt);
    offered.push_back(shown.text);
    return std::optional<std::string>("95");
  };
  vcl::QueueInputBoxAnswer(record);
  Form1->K10->Click();
  // A price typed into the box, not yet in nedan.txt, is what the prompt offers next.
  QLineEdit* edit = Form1->Edit1->LineEdit();
  edit->selectAll();
  Type(edit, "7５");
  vcl::QueueInputBoxAnswer(record);
  Form1->K10->Click();
  EXPECT_EQ(offered, (std::vector<std::string>{"80\n", std::string("7").append(Sjis("５"))}));
}

// The error box shows why, and the price box keeps its text: it must not claim a price that
// nedan.txt does not hold.
TEST_F(PricePrompt, ANedanTxtThatCannotBeWrittenShowsTheErrorAndLeavesTheBox) {
  struct Case {
    const char* what;
    std::optional<std::string> file;  // nedan.txt before, none: no file
    std::function<void()> spoil;      // makes nedan.txt unwritable
    std::optional<rlim_t> fileSize;   // the limit on file sizes while the price is written
    std::string box;                  // the price box before and after
    std::string message;
  };
  const Case cases[] = {
      {"nedan.txt is a folder", std::nullopt, [] { fs::create_directory("nedan.txt"); },
       std::nullopt, "50", "ﾌｧｲﾙ nedan.txt を作成できません."},
      {"nedan.txt leads to a full device", std::nullopt,
       [] { fs::create_symlink("/dev/full", "nedan.txt"); }, std::nullopt, "50",
       "ｽﾄﾘｰﾑへの書き込みｴﾗｰ."},
      {"the disk fills up while the new price is written", "80\r\n", [] {}, 2, "80\n",
       "ｽﾄﾘｰﾑへの書き込みｴﾗｰ."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all("nedan.txt");
    if (c.file) WriteBytes("nedan.txt", *c.file);
    Restart();
    ASSERT_EQ(Form1->Edit1->Text(), c.box);
    const QString shown = Form1->Edit1->LineEdit()->text();
    c.spoil();
    const fs::file_type type = fs::symlink_status("nedan.txt").type();
    errors.clear();
    Answer("1234");
    {
      std::optional<FileSizeLimit> limit;
      if (c.fileSize) limit.emplace(*c.fileSize);
      Form1->K10->Action()->trigger();
    }
    EXPECT_EQ(errors, (std::vector<Shown>{{"Ui_tests", c.message}}));
    EXPECT_EQ(Form1->Edit1->Text(), c.box);
    EXPECT_EQ(Form1->Edit1->LineEdit()->text(), shown);
    // What stood at nedan.txt is still there, a file with its old bytes.
    EXPECT_EQ(fs::symlink_status("nedan.txt").type(), type);
    if (c.file) {
      EXPECT_EQ(ReadBytes("nedan.txt"), *c.file);
    }
  }
  // No temporary file is left behind.
  for (const auto& entry : fs::directory_iterator("."))
    EXPECT_EQ(entry.path().filename().string().find(".nedan.txt"), std::string::npos)
        << entry.path();
}

// The real box, opened from the menu: centred on the screen, the box's text offered all
// selected, "OK" the default button; Enter takes what was typed.
TEST_F(PricePrompt, TheRealBoxShowsCentredAndEnterTakesTheTypedPrice) {
  WriteBytes("nedan.txt", "80\r\n");
  Start();
  bool seen = false;
  WhenBoxOpen([&](QDialog& dialog, QLineEdit& field) {
    seen = true;
    EXPECT_EQ(dialog.windowTitle(), "１枚の値段登録");
    ASSERT_NE(dialog.findChild<QLabel*>(), nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>()->text(), "一枚の値段(円)は?");
    EXPECT_EQ(field.text(), "80");
    EXPECT_EQ(field.selectedText(), "80");
    QPushButton* ok = Button(dialog, "OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(ok->isDefault());
    EXPECT_NE(Button(dialog, "ｷｬﾝｾﾙ"), nullptr);
    EXPECT_EQ(dialog.frameGeometry().center(), dialog.screen()->geometry().center());
    Type(&field, "9５");
    QTest::keyClick(&field, Qt::Key_Return);
  });
  Form1->K10->Click();
  EXPECT_TRUE(seen);
  const std::string typed = std::string("9").append(Sjis("５"));
  EXPECT_EQ(Form1->Edit1->Text(), typed);
  EXPECT_EQ(ReadBytes("nedan.txt"), typed);
  EXPECT_TRUE(errors.empty());
}

TEST(InputBox, OkGivesTheFieldAndEveryOtherWayOutGivesTheInitialTextUnchanged) {
  // A price file's first line keeps its LF, and a stray byte is no CP932 character: when the
  // field is not edited, these bytes come back as they were.
  const std::string initial =
      "\xff"
      "80\n";
  struct Case {
    const char* what;
    std::function<void(QDialog&, QLineEdit&)> leave;
    std::string result;
  };
  const Case cases[] = {
      {"OK untouched", [](QDialog& d, QLineEdit&) { Button(d, "OK")->click(); }, initial},
      {"Enter after typing at the end: the LF is gone, a character without CP932 form is ?",
       [](QDialog&, QLineEdit& f) {
         QTest::keyClick(&f, Qt::Key_End);
         Type(&f, "5€");
         EXPECT_EQ(f.text(),
                   "\uF7FF"
                   "805?");
         QTest::keyClick(&f, Qt::Key_Enter);
       },
       "\xff"
       "805?"},
      {"OK on an emptied field",
       [](QDialog& d, QLineEdit& f) {
         QTest::keyClick(&f, Qt::Key_Delete);
         Button(d, "OK")->click();
       },
       ""},
      {"Esc",
       [](QDialog&, QLineEdit& f) {
         Type(&f, "7");
         QTest::keyClick(&f, Qt::Key_Escape);
       },
       initial},
      {"ｷｬﾝｾﾙ",
       [](QDialog& d, QLineEdit& f) {
         Type(&f, "7");
         Button(d, "ｷｬﾝｾﾙ")->click();
       },
       initial},
      {"window closed",
       [](QDialog& d, QLineEdit& f) {
         Type(&f, "7");
         d.close();
       },
       initial},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WhenBoxOpen(c.leave);
    EXPECT_EQ(vcl::InputBox("caption", "prompt", initial), c.result);
  }
}

TEST(InputBox, TheFieldTakesAtMost255BytesOfWholeCharacters) {
  const QString a127 = QString("あ").repeated(127);  // 254 bytes
  const std::string sjisA127 = Repeat(Sjis("あ"), 127);
  struct Case {
    const char* what;
    std::string initial;
    std::function<void(QLineEdit&)> edit;
    std::string result;
  };
  const auto paste = [](QLineEdit& f, const QString& text) {
    QApplication::clipboard()->setText(text);
    QTest::keyClick(&f, Qt::Key_V, Qt::ControlModifier);
  };
  const Case cases[] = {
      {"typing stops at 255 bytes", "",
       [&](QLineEdit& f) {
         Type(&f, a127);
         Type(&f, "い12");  // "い" would make 256 bytes, "1" makes 255
       },
       sjisA127 + "1"},
      {"a paste keeps the whole characters that fit", "",
       [&](QLineEdit& f) { paste(f, QString("あ").repeated(150)); }, sjisA127},
      {"a paste into the middle", "ab",
       [&](QLineEdit& f) {
         QTest::keyClick(&f, Qt::Key_Home);
         QTest::keyClick(&f, Qt::Key_Right);
         paste(f, QString("1234").repeated(70));  // room for 253 of its 280 bytes
       },
       std::string("a").append(Repeat("1234", 63)).append("1b")},
      {"typing over the selection at the limit", sjisA127 + "1",
       [&](QLineEdit& f) { Type(&f, "う"); }, Sjis("う")},
      {"a longer initial text comes back whole and takes no more", Repeat("9", 300),
       [&](QLineEdit& f) {
         QTest::keyClick(&f, Qt::Key_End);
         Type(&f, "1");
       },
       Repeat("9", 300)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WhenBoxOpen([&c](QDialog&, QLineEdit& field) {
      c.edit(field);
      // The field shows what it holds: nothing beyond the limit.
      EXPECT_EQ(field.text().toStdString(), rtl::Cp932ToUtf8(c.result));
      QTest::keyClick(&field, Qt::Key_Return);
    });
    EXPECT_EQ(vcl::InputBox("caption", "prompt", c.initial), c.result);
  }
}

}  // namespace
