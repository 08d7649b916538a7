// Start-up of the main window: the reference files, the creation date, the layout, the menu and
// the application title.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "main_window_fixture.h"
#include "rtl/cp932.h"
#include "ui/form2.h"
#include "ui/form3.h"
#include "vcl/text.h"

using testing_support::MainWindowTest;
using testing_support::Shown;
using testing_support::Sjis;
using testing_support::WriteBytes;

namespace {

using StartUp = MainWindowTest;

TEST_F(StartUp, WithoutReferenceFilesShowsTheErrorAndStillOpensTheWindow) {
  Start();
  EXPECT_EQ(errors, (std::vector<Shown>{{"Ui_tests", "ﾌｧｲﾙ VELMORA_CBANGO.TXT は開けません."}}));
  EXPECT_TRUE(Form1->Visible());
  EXPECT_EQ(Form1->Window()->windowTitle(), "写真注文集計");
  EXPECT_EQ(Form1->Edit1->Text(), "50");
  EXPECT_EQ(Form1->Label2->Caption(), Sjis("作成日2024年03月07日"));
  EXPECT_EQ(Form1->ListBox1->Count(), 0);
  EXPECT_FALSE(Form1->ListBox2->Visible());
  // The header, set up before the failing step, and 5 rows with empty names.
  EXPECT_EQ(Sheet().RowCount(), 5);
  EXPECT_EQ(Sheet().Cell(0, 0), Sjis("氏名"));
  EXPECT_EQ(Sheet().Cell(1, 0), "1");
  EXPECT_EQ(Sheet().Cell(49, 0), "49");
  EXPECT_EQ(Sheet().Cell(50, 0), "");
  for (int row = 1; row < 5; ++row) EXPECT_EQ(Sheet().Cell(0, row), "");
  // What the grid shows: 4 person rows of 49 order columns, the header sections.
  QTableView* view = Form1->StringGrid1->View();
  EXPECT_EQ(view->model()->rowCount(), 4);
  EXPECT_EQ(view->model()->columnCount(), 49);
  EXPECT_EQ(view->model()->headerData(0, Qt::Horizontal).toString(), "1");
  EXPECT_EQ(view->model()->headerData(48, Qt::Horizontal).toString(), "49");
  EXPECT_EQ(view->verticalHeader()->width(), 81) << "column 0: 80 pixels and its grid line";
  EXPECT_EQ(view->horizontalHeader()->sectionSize(0), 41);
  EXPECT_EQ(view->verticalHeader()->sectionSize(0), 21);
  EXPECT_EQ(view->currentIndex(), view->model()->index(0, 0)) << "current cell (1, 1)";
}

TEST_F(StartUp, WithAllReferenceFilesReadsThemWithoutAMessage) {
  WriteReferenceFiles();
  Start();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(Form1->Edit1->Text(), "80\n") << "the price file's first line, LF kept";
  EXPECT_EQ(Form1->Edit1->LineEdit()->text(), "80");
  EXPECT_EQ(Sheet().RowCount(), 4);
  EXPECT_EQ(Sheet().Cell(0, 3), Sjis("田中"));
  EXPECT_EQ(Form1->ListBox1->Items(), (std::vector<std::string>{"12", "15", "20"}));
  QTableView* view = Form1->StringGrid1->View();
  EXPECT_EQ(view->model()->rowCount(), 3);
  EXPECT_EQ(view->model()->headerData(2, Qt::Vertical).toString(), "田中");
}

TEST_F(StartUp, BytesThatAreNotCp932ReachTheScreenAndStayUnchanged) {
  const std::string oddName = "\xFF\x93";  // a stray byte and a cut double-byte character
  WriteBytes("VELMORA_SIMEI.TXT", oddName + "\r\n");
  WriteBytes("VELMORA_CBANGO.TXT", "\x81\r\n");
  Start();
  EXPECT_EQ(Sheet().Cell(0, 1), oddName);
  const QString shown = Form1->StringGrid1->View()->model()->headerData(0, Qt::Vertical).toString();
  EXPECT_EQ(shown, QString::fromUtf8("\uF7FF\uF793"));
  EXPECT_EQ(vcl::FromQString(shown), oddName);
  EXPECT_EQ(Form1->ListBox1->Items(), (std::vector<std::string>{"\x81"}));
}

TEST_F(StartUp, CreationDateIsTheDateOfTheStart) {
  const std::pair<rtl::DateTime, const char*> cases[] = {
      {{2024, 3, 7, 9, 30, 0}, "作成日2024年03月07日"},
      {{2025, 1, 1, 0, 0, 0}, "作成日2025年01月01日"},
      {{2026, 12, 31, 23, 59, 59}, "作成日2026年12月31日"},
  };
  for (const auto& [date, label] : cases) {
    today = date;
    Start();
    EXPECT_EQ(Form1->Label2->Caption(), Sjis(label));
    EXPECT_EQ(Form1->Label2->Label()->text(), QString::fromUtf8(label));
    // Past midnight the label keeps the date of the start.
    today = {2030, 6, 15, 0, 0, 1};
    Form1->K7->Click();
    EXPECT_EQ(Form1->Label2->Caption(), Sjis(label));
    app.reset();
  }
}

TEST_F(StartUp, ComponentsStandInTheirPlaces) {
  Start();
  struct Place {
    const char* name;
    vcl::TControl* control;
    QRect bounds;
  };
  const Place places[] = {
      {"StringGrid1", Form1->StringGrid1, {16, 8, 433, 305}},
      {"ListBox1", Form1->ListBox1, {464, 8, 129, 305}},
      {"Button1", Form1->Button1, {560, 296, 33, 17}},
      {"ListBox2", Form1->ListBox2, {8, 88, 593, 81}},
      {"Edit1", Form1->Edit1, {520, 320, 25, 20}},
      {"Label1", Form1->Label1, {552, 320, 36, 12}},
      {"Label2", Form1->Label2, {176, 320, 161, 17}},
  };
  for (const Place& p : places) {
    EXPECT_EQ(p.control->Widget()->geometry(), p.bounds) << p.name;
    EXPECT_EQ(p.control->Widget()->parentWidget(), Form1->Client()) << p.name;
  }
  EXPECT_EQ(Form1->Client()->size(), QSize(614, 342)) << "622 x 389 less frame, caption and menu";
  EXPECT_EQ(Form1->Button1->Button()->text(), "改行");
  EXPECT_EQ(Form1->Label1->Label()->text(), "円／枚");
  // "改行" lies over the picker's lower right corner, above it.
  EXPECT_EQ(Form1->Client()->childAt(590, 310), Form1->Button1->Widget());
  // The picker: 3 columns of 43 pixels.
  EXPECT_EQ(Form1->ListBox1->View()->gridSize().width(), 43);
  // The result list, once shown, lies over the sheet and the picker.
  Form1->K7->Click();
  EXPECT_TRUE(Form1->ListBox2->Widget()->isAncestorOf(Form1->Client()->childAt(300, 100)) ||
              Form1->Client()->childAt(300, 100) == Form1->ListBox2->Widget());
  EXPECT_TRUE(Form1->ListBox2->Widget()->isAncestorOf(Form1->Client()->childAt(500, 100)));
}

namespace {

// The pixels of `image` that differ from `background` (an image of the same size), and the
// rectangle around them.
struct Ink {
  std::vector<QPoint> points;
  QRect bounds;
};
Ink InkOf(const QImage& image, const QImage& background) {
  Ink ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background.pixel(x, y)) {
        ink.points.emplace_back(x, y);
        ink.bounds |= QRect(x, y, 1, 1);
      }
  return ink;
}

// The ink of `text` drawn on its own from kTextAt in `font` and `colour` on `paper`, unclipped.
constexpr QPoint kTextAt(20, 20);
Ink TextInk(const QString& text, const QFont& font, QColor colour, QColor paper) {
  QImage blank(200, 60, QImage::Format_ARGB32_Premultiplied);
  blank.fill(paper);
  QImage drawn = blank;
  QPainter painter(&drawn);
  painter.setFont(font);
  painter.setPen(colour);
  painter.drawText(QRect(kTextAt, QSize(160, 30)), Qt::AlignLeft | Qt::AlignTop, text);
  painter.end();
  return InkOf(drawn, blank);
}

// The area inside the border of a box drawn empty: from its middle out to the first pixel of
// another colour.
QRect Inside(const QImage& empty) {
  const QPoint middle(empty.width() / 2, empty.height() / 2);
  const QRgb paper = empty.pixel(middle);
  int left = middle.x(), right = middle.x(), top = middle.y(), bottom = middle.y();
  while (left > 0 && empty.pixel(left - 1, middle.y()) == paper) --left;
  while (right + 1 < empty.width() && empty.pixel(right + 1, middle.y()) == paper) ++right;
  while (top > 0 && empty.pixel(middle.x(), top - 1) == paper) --top;
  while (bottom + 1 < empty.height() && empty.pixel(middle.x(), bottom + 1) == paper) ++bottom;
  return QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

// The price box at its place and size shows a price of up to four digits whole, inside its
// border, with the cursor at the start (as the program sets it) or at the end (as typed): the box
// is drawn offscreen and its text's pixels are those of the text drawn on its own.
TEST_F(StartUp, ThePriceBoxShowsFourDigitsWholeInsideItsBorder) {
  Start();
  QLineEdit* box = Form1->Edit1->LineEdit();
  ASSERT_EQ(box->geometry(), QRect(520, 320, 25, 20));
  box->clearFocus();
  box->setText("");
  const QImage empty = box->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QRect inside = Inside(empty);
  EXPECT_GE(inside.width(), 21) << "a thin border";
  const QColor paper = empty.pixelColor(inside.center());
  for (const char* price : {"120", "1200", "9999"}) {
    const Ink alone = TextInk(price, box->font(), box->palette().color(QPalette::Text), paper);
    for (const bool atEnd : {false, true}) {
      box->setText(price);
      box->setCursorPosition(atEnd ? box->text().size() : 0);
      const QImage drawn =
          box->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
      const Ink ink = InkOf(drawn, empty);
      const std::string where = std::string(price) + (atEnd ? ", cursor at the end" : "");
      EXPECT_TRUE(inside.contains(ink.bounds)) << where;
      ASSERT_EQ(ink.bounds.size(), alone.bounds.size()) << where << ": cut or scrolled";
      const QPoint shift = ink.bounds.topLeft() - alone.bounds.topLeft();
      std::vector<QPoint> moved;
      for (const QPoint& p : alone.points) moved.push_back(p + shift);
      EXPECT_EQ(ink.points, moved) << where;
    }
  }
  box->setText("12000");
  box->end(false);
  const Ink five =
      InkOf(box->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied), empty);
  EXPECT_TRUE(inside.contains(five.bounds)) << "a longer price scrolls inside the border";
}

// Every cell's text starts 2 pixels inside its left and top edges, the fixed ones (the corner,
// the header row, the name column) as the others: the grid is drawn offscreen with the same text
// in one cell of each kind, and again without it.
TEST_F(StartUp, EveryCellsTextStartsTwoPixelsInsideItsCell) {
  Start();
  QTableView* view = Form1->StringGrid1->View();
  const auto origin = [&](const QWidget* w, QPoint at) { return w->mapTo(view, at); };
  QHeaderView* columns = view->horizontalHeader();
  QHeaderView* names = view->verticalHeader();
  struct Cell {
    const char* kind;
    int col, row;
    QPoint topLeft;  // of the cell, inside its grid lines, in the view
    QColor colour;
  };
  const QPalette palette = view->palette();
  const Cell cells[] = {
      {"corner", 0, 0, origin(view->findChild<QAbstractButton*>(), {0, 0}),
       palette.color(QPalette::ButtonText)},
      {"header row", 3, 0, origin(columns->viewport(), {columns->sectionViewportPosition(2), 0}),
       palette.color(QPalette::ButtonText)},
      {"name column", 0, 2, origin(names->viewport(), {0, names->sectionViewportPosition(1)}),
       palette.color(QPalette::ButtonText)},
      {"order cell", 2, 3, origin(view->viewport(), Form1->StringGrid1->CellRect(2, 3).topLeft()),
       palette.color(QPalette::Text)},
  };
  for (const Cell& c : cells) Sheet().SetCell(c.col, c.row, "12");
  const QImage drawn = view->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  for (const Cell& c : cells) Sheet().SetCell(c.col, c.row, "");
  const QImage empty = view->grab().toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
  for (const Cell& c : cells) {
    // The text drawn alone shows where its ink starts for a text starting 2 inside the cell.
    const Ink alone = TextInk("12", view->font(), c.colour, Qt::white);
    const QPoint inkInCell = alone.bounds.topLeft() - kTextAt + QPoint(2, 2);
    const QRect area(c.topLeft, QSize(40, 20));
    const Ink ink = InkOf(drawn.copy(area), empty.copy(area));
    EXPECT_EQ(ink.bounds.topLeft(), inkInCell) << c.kind;
    EXPECT_EQ(ink.bounds.size(), alone.bounds.size()) << c.kind;
  }

  // Below the last row the name column is the grid's plain background, as the cells' side is.
  const int below = names->viewport()->mapTo(view, QPoint(0, names->length())).y() + 10;
  ASSERT_LT(below, view->height() - 30) << "the 4 person rows leave room below";
  const auto colourAt = [&](int x) { return empty.pixelColor(x, below).name().toStdString(); };
  const std::string background = colourAt(view->viewport()->mapTo(view, QPoint(100, 0)).x());
  for (const int x : {2, names->width() / 2, names->width() - 2})
    EXPECT_EQ(colourAt(x), background) << "x " << x;
}

TEST_F(StartUp, FontsAreAJapaneseGothicOfTheGivenPixelSize) {
  Start();
  const std::pair<QWidget*, int> cases[] = {
      {Form1->ListBox1->Widget(), 12},    {Form1->Label1->Widget(), 12},
      {Form1->Edit1->Widget(), 12},       {Form1->Button1->Widget(), 12},
      {Form1->StringGrid1->Widget(), 13},
  };
  for (const auto& [widget, pixels] : cases) {
    const QFontInfo info(widget->font());
    EXPECT_EQ(info.pixelSize(), pixels) << widget->metaObject()->className();
    EXPECT_TRUE(info.family().contains("IPA") || info.family().contains("CJK"))
        << info.family().toStdString();
  }
}

TEST_F(StartUp, MenuBarAndItems) {
  Start();
  QList<QAction*> bar = Form1->Window()->menuBar()->actions();
  QStringList captions;
  for (QAction* a : bar) captions << a->text();
  EXPECT_EQ(captions.join(' '), "ファイル 設定 表示 印刷設定 印刷 ヘルプ");
  const std::pair<int, const char*> menus[] = {{0, "読み込み 保存 終了"},
                                               {1, "氏名入力 注文番号登録 １枚の値段登録"},
                                               {2, "個人毎集計 全集計詳細"}};
  for (const auto& [at, items] : menus) {
    ASSERT_NE(bar[at]->menu(), nullptr);
    QStringList texts;
    for (QAction* a : bar[at]->menu()->actions()) {
      texts << a->text();
      EXPECT_TRUE(a->shortcut().isEmpty());
    }
    EXPECT_EQ(texts.join(' '), QString::fromUtf8(items));
  }
  for (int at : {3, 4, 5}) EXPECT_EQ(bar[at]->menu(), nullptr) << "runs on the menu bar itself";
  EXPECT_EQ(bar[5], Form1->K8->Action());
}

TEST_F(StartUp, TheEditorWindowsAreCreatedHidden) {
  WriteReferenceFiles();
  Start();
  app->CreateForm(Form2);
  app->CreateForm(Form3);
  EXPECT_EQ(app->MainForm(), Form1);
  EXPECT_FALSE(Form2->Visible());
  EXPECT_FALSE(Form3->Visible());
  EXPECT_EQ(Form2->Window()->windowTitle(), "氏名入力");
  EXPECT_EQ(Form3->Window()->windowTitle(), "注文番号登録");
  Form2->Show();
  Form2->Close();
  EXPECT_FALSE(Form2->Visible());
  EXPECT_TRUE(Form1->Visible());
}

TEST(ApplicationTitle, IsTheProgramNameUpToItsFirstDotCapitalised) {
  const std::pair<const char*, const char*> cases[] = {
      {"/usr/bin/velmora", "Velmora"},
      {"velmora", "Velmora"},
      {"VELMORA.EXE", "Velmora"},
      {"my.photo.tool", "My"},
      {"/opt/a.b/ui_tests", "Ui_tests"},
      {"x", "X"},
      {".hidden", ""},
  };
  for (const auto& [path, title] : cases)
    EXPECT_EQ(vcl::TitleFromFileName(path), QString::fromUtf8(title)) << path;
}

}  // namespace
