// Printing: the page's layout on a recording canvas, the commands "印刷" and "印刷設定" on the
// real window, and real PDF pages read back with poppler.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QImage>
#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "main_window_fixture.h"
#include "page/print_page.h"
#include "support/pdf_text.h"
#include "vcl/fonts.h"
#include "vcl/printer.h"
#include "vcl/printer_setup_dialog.h"

using testing_support::FindWord;
using testing_support::MainWindowTest;
using testing_support::PdfInfo;
using testing_support::PdfPages;
using testing_support::Shown;
using testing_support::Sjis;
using testing_support::WriteBytes;
using vcl::DrawnText;

namespace {

const std::string kHeading = Sjis("ファイル名:");
const std::string kDate = Sjis("作成日2024年03月07日");

TEST(PrintPage, DrawsHeadingDateAndLinesInOrderAt12PointsScaledToTheResolution) {
  struct Case {
    int dpi;
    std::vector<DrawnText> texts;
  };
  const std::string name = Sjis("/home/栗田/注文.txt");
  const Case cases[] = {
      {300,
       {{0, 0, kHeading + name, 12, 50},
        {1000, 0, kDate, 12, 50},
        {0, 70, "a", 12, 50},
        {0, 120, "", 12, 50},
        {0, 170, Sjis("ｂ"), 12, 50}}},
      {600,
       {{0, 0, kHeading + name, 12, 100},
        {2000, 0, kDate, 12, 100},
        {0, 140, "a", 12, 100},
        {0, 240, "", 12, 100},
        {0, 340, Sjis("ｂ"), 12, 100}}},
      {150,
       {{0, 0, kHeading + name, 12, 25},
        {500, 0, kDate, 12, 25},
        {0, 35, "a", 12, 25},
        {0, 60, "", 12, 25},
        {0, 85, Sjis("ｂ"), 12, 25}}},
  };
  for (const Case& c : cases) {
    vcl::TRecordingCanvas canvas(c.dpi);
    canvas.Font()->SetSize(30);
    page::DrawResultPage(canvas, name, kDate, {"a", "", Sjis("ｂ")});
    EXPECT_EQ(canvas.Texts(), c.texts) << c.dpi << " dpi";
  }
}

// Each text is drawn on an opaque white background: a text drawn later over an earlier one covers
// it, as the page rendered by poppler shows.
TEST(PrintPage, ALaterTextCoversAnEarlierOneOnTheRealPage) {
  testing_support::TempDir dir;
  vcl::InstallFontSubstitutions();
  const auto inkUnderCover = [&](bool covered) {
    {
      auto page = vcl::OpenPdfPage("cover.pdf", 300, vcl::DefaultPdfLayout());
      EXPECT_TRUE(page);
      if (!page) return -1;
      vcl::TPrinterCanvas canvas;
      canvas.Attach(page.get());
      canvas.Font()->SetSize(12);
      canvas.TextOut(0, 0, Sjis("■■■■■■■■"));
      if (covered) canvas.TextOut(100, 0, Sjis("　　　"));  // three full-width spaces
    }
    EXPECT_EQ(std::system("pdftoppm -r 300 -gray -png -singlefile cover.pdf cover"), 0);
    const QImage image("cover.png");
    EXPECT_FALSE(image.isNull());
    // The part of the squares the spaces would cover: x 100 to 250, y 0 to 50, inside the margin.
    int ink = 0;
    for (int y = 75 + 10; y < 75 + 40; ++y)
      for (int x = 75 + 110; x < 75 + 240; ++x) ink += qGray(image.pixel(x, y)) < 128;
    return ink;
  };
  EXPECT_GT(inkUnderCover(false), 1000);
  EXPECT_EQ(inkUnderCover(true), 0);
}

class Printing : public MainWindowTest {
 protected:
  Printing() { WriteReferenceFiles(); }

  // Starts the window with the reference files and a recording printer in place of the system's.
  vcl::RecordingPrinter& StartRecording() {
    Start();
    auto recorder = std::make_unique<vcl::RecordingPrinter>(300);
    vcl::RecordingPrinter& ref = *recorder;
    vcl::Printer()->SetSystem(std::move(recorder));
    return ref;
  }
  // Starts the window with a PDF file printer at `dpi` in place of the system's.
  void StartPdf(int dpi) {
    Start();
    vcl::Printer()->SetSystem(vcl::PdfFilePrinter(QString::fromStdString(pdf), dpi));
  }
  void ClickResultList() {
    QListView* view = Form1->ListBox2->View();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(0, 0)).center());
  }

  const std::string pdf = dir / "page.pdf";
};

TEST_F(Printing, BeforeAnyLoadOrTallyTheHeadingAloneIsPrinted) {
  vcl::RecordingPrinter& printer = StartRecording();
  Form1->Print3->Click();
  ASSERT_EQ(printer.Jobs().size(), 1u);
  EXPECT_EQ(printer.Jobs()[0]->Texts(),
            (std::vector<DrawnText>{{0, 0, kHeading, 12, 50}, {1000, 0, kDate, 12, 50}}));
  EXPECT_TRUE(printer.Jobs()[0]->Finished());
  EXPECT_FALSE(vcl::Printer()->Printing());
  EXPECT_TRUE(errors.empty());
}

// The heading names the file last confirmed in the load dialog: also when that load failed, after
// a later load was cancelled, and whatever was saved since.
TEST_F(Printing, TheHeadingNamesTheFileLastConfirmedInTheLoadDialog) {
  vcl::RecordingPrinter& printer = StartRecording();
  QueueFileName("無い");
  Form1->K2->Click();
  Form1->Print3->Click();
  QueueFileName(std::nullopt);
  Form1->K2->Click();
  QueueFileName("saved");
  Form1->K6->Click();
  Form1->Print3->Click();
  const std::string heading = kHeading + Sjis(dir / "無い.txt");
  ASSERT_EQ(printer.Jobs().size(), 2u);
  for (const auto& job : printer.Jobs())
    EXPECT_EQ(job->Texts()[0], (DrawnText{0, 0, heading, 12, 50}));
  EXPECT_EQ(errors,
            (std::vector<Shown>{{"Ui_tests", "ﾌｧｲﾙ " + dir / "無い.txt" + " は開けません."}}));
}

TEST_F(Printing, AHiddenResultListIsPrintedInFullAndEachPrintIsOneJob) {
  vcl::RecordingPrinter& printer = StartRecording();
  Form1->K7->Click();
  ClickResultList();
  ASSERT_FALSE(Form1->ListBox2->Visible());
  Form1->Print3->Click();
  Form1->K9->Click();
  Form1->Print3->Click();
  ASSERT_EQ(printer.Jobs().size(), 2u);
  EXPECT_EQ(printer.Jobs()[0]->Texts(),
            (std::vector<DrawnText>{{0, 0, kHeading, 12, 50},
                                    {1000, 0, kDate, 12, 50},
                                    {0, 70, Sjis(" Kiwi(0枚 0円)"), 12, 50},
                                    {0, 120, Sjis(" Mango(0枚 0円)"), 12, 50},
                                    {0, 170, Sjis(" 田中(0枚 0円)"), 12, 50}}));
  ASSERT_EQ(printer.Jobs()[1]->Texts().size(), 6u);
  EXPECT_EQ(printer.Jobs()[1]->Texts()[5], (DrawnText{0, 220, Sjis("合計 0円(0枚)"), 12, 50}));
  EXPECT_TRUE(errors.empty());
}

TEST_F(Printing, WithNoPrinterInstalledBothCommandsFailAndNothingIsShownOrPrinted) {
  Start();  // the system's printers: the tests' print system has none
  bool dialogShown = false;
  vcl::TPrinterSetupDialog::QueueAnswer([&](const vcl::PrinterSettings&) {
    dialogShown = true;
    return std::nullopt;
  });
  Form1->Print3->Click();
  Form1->Print2->Click();
  const Shown noPrinter{"Ui_tests", "ﾃﾞﾌｫﾙﾄ ﾌﾟﾘﾝﾀが存在しません."};
  EXPECT_EQ(errors, (std::vector<Shown>{noPrinter, noPrinter}));
  EXPECT_FALSE(dialogShown);
  EXPECT_FALSE(vcl::Printer()->Printing());
}

TEST_F(Printing, ASecondPrintWhileAJobIsInProgressFailsAndTheFirstJobGoesOn) {
  StartPdf(300);
  vcl::TPrinter* printer = vcl::Printer();
  printer->BeginDoc();
  printer->Canvas()->TextOut(0, 0, "first-job");
  Form1->Print3->Click();
  vcl::TPrinterSetupDialog::QueueAnswer([](const vcl::PrinterSettings& shown) {
    vcl::PrinterSettings landscape = shown;
    landscape.orientation = QPageLayout::Landscape;
    return landscape;
  });
  Form1->Print2->Click();
  const Shown printing{"Ui_tests", "印刷中."};
  EXPECT_EQ(errors, (std::vector<Shown>{printing, printing}));
  ASSERT_TRUE(printer->Printing());
  printer->Canvas()->TextOut(0, 100, "goes-on");
  printer->EndDoc();

  const auto pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1u);
  std::vector<std::string> words;
  for (const auto& word : pages[0].words) words.push_back(word.text);
  EXPECT_EQ(words, (std::vector<std::string>{"first-job", "goes-on"}));
  EXPECT_LT(pages[0].width, pages[0].height) << "the refused set-up changed nothing";

  // The printer is free again.
  errors.clear();
  Form1->Print3->Click();
  EXPECT_TRUE(errors.empty());
  ASSERT_EQ(PdfPages(pdf).size(), 1u);
  EXPECT_TRUE(FindWord(PdfPages(pdf)[0], "ファイル名:"));
}

TEST_F(Printing, ConfirmedSetUpLastsForTheRunAndACancelChangesNothing) {
  StartPdf(300);
  std::vector<vcl::PrinterSettings> shown;
  vcl::TPrinterSetupDialog::QueueAnswer([&](const vcl::PrinterSettings& s) {
    shown.push_back(s);
    return vcl::PrinterSettings{s.printer, QPageSize(QPageSize::A5), QPageLayout::Landscape};
  });
  vcl::TPrinterSetupDialog::QueueAnswer([&](const vcl::PrinterSettings& s) {
    shown.push_back(s);
    return std::nullopt;
  });
  Form1->Print2->Click();
  Form1->Print2->Click();
  Form1->Print3->Click();
  EXPECT_TRUE(errors.empty());
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].printer, "PDF");
  EXPECT_TRUE(shown[0].pageSize.isEquivalentTo(QPageSize(QPageSize::A4)));
  EXPECT_EQ(shown[0].orientation, QPageLayout::Portrait);
  EXPECT_TRUE(shown[1].pageSize.isEquivalentTo(QPageSize(QPageSize::A5)));
  EXPECT_EQ(shown[1].orientation, QPageLayout::Landscape);
  const auto pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].width, 595);  // A5 landscape, in points
  EXPECT_EQ(pages[0].height, 420);
}

// The dialog itself: it shows the current printer and paper; the choices confirmed there are the
// next job's.
TEST_F(Printing, TheSetUpDialogShowsTheCurrentSettingsAndItsChoicesAreTheNextJobs) {
  StartPdf(300);
  QStringList shown;
  QTimer::singleShot(0, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QDialog*>(widget);
      if (!dialog || !dialog->isVisible()) continue;
      const auto boxes = dialog->findChildren<QComboBox*>();
      for (QComboBox* box : boxes) shown << box->currentText();
      if (boxes.size() == 3) {
        boxes[1]->setCurrentIndex(boxes[1]->findText("A5"));
        boxes[2]->setCurrentIndex(1);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
      } else {
        dialog->reject();
      }
    }
  });
  Form1->Print2->Click();
  EXPECT_EQ(shown, (QStringList{"PDF", "A4", "縦"}));
  Form1->Print3->Click();
  EXPECT_TRUE(errors.empty());
  const auto pages = PdfPages(pdf);
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].width, 595);  // A5 landscape, in points
  EXPECT_EQ(pages[0].height, 420);
}

// A page of 100 per-order lines and the total line, on A4 with a quarter-inch printable margin:
// the heading, the date and the lines stand where the layout puts them, in points, at 12 points,
// and the lines below the printable area are lost, with no second page.
TEST_F(Printing, APdfPageAt300And600DotsPerInch) {
  std::string numbers;
  for (int i = 0; i < 100; ++i) numbers.append("N").append(std::to_string(1000 + i)).append("\r\n");
  for (const int dpi : {300, 600}) {
    SCOPED_TRACE(std::to_string(dpi) + " dpi");
    WriteBytes("VELMORA_CBANGO.TXT", numbers);
    StartPdf(dpi);
    Form1->K9->Click();
    ASSERT_EQ(Form1->ListBox2->Count(), 101);
    Form1->Print3->Click();
    EXPECT_TRUE(errors.empty());

    const auto pages = PdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    const auto info = PdfInfo(pdf);
    EXPECT_EQ(info.at("Pages"), "1");
    EXPECT_EQ(info.count("Title") ? info.at("Title") : "", "");

    const double margin = 18;         // a quarter inch
    const double point = 72.0 / 300;  // one unit of the layout
    const double printableBottom = 842 - margin;
    const auto expectAt = [&](const std::string& text, double x, double y) {
      const testing_support::PdfWord* word = FindWord(pages[0], text);
      ASSERT_TRUE(word) << text;
      EXPECT_NEAR(word->xMin, margin + x * point, 0.3) << text;
      EXPECT_NEAR(word->yMin, margin + y * point, 0.3) << text;
      EXPECT_NEAR(word->yMax - word->yMin, 12, 0.3) << text;
    };
    expectAt("ファイル名:", 0, 0);
    expectAt("作成日2024年03月07日", 1000, 0);
    for (int i = 0; i < 100; ++i) {
      const std::string text = std::string("N").append(std::to_string(1000 + i)).append("=0枚");
      const double top = margin + (70 + 50 * i) * point;
      if (top < printableBottom) {
        expectAt(text, 0, 70 + 50 * i);
      } else {
        EXPECT_FALSE(FindWord(pages[0], text)) << text;
      }
    }
    EXPECT_FALSE(FindWord(pages[0], "合計"));
    app.reset();
    errors.clear();
  }
}

}  // namespace
