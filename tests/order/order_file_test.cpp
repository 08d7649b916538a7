#include "order/order_file.h"

#include <gtest/gtest.h>

#include "order/sheet.h"
#include "rtl/exception.h"
#include "support/temp_dir.h"

using order::Sheet;
using testing_support::ReadBytes;
using testing_support::Sjis;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

// 田中 3 12 / 鈴木, saved.
const std::string kTwoRows =
    "\x93\x63\x92\x86\x09\x33\x09\x31\x32\x09\x0D\x0A\x97\xE9\x96\xD8\x09\x0D\x0A";

TEST(OrderFile, WritesTheRowsByteForByte) {
  Sheet sheet;
  sheet.SetRowCount(3);
  sheet.SetCell(0, 1, Sjis("田中"));
  sheet.SetCell(1, 1, "3");
  sheet.SetCell(2, 1, "12");
  sheet.SetCell(0, 2, Sjis("鈴木"));
  sheet.SetCell(0, 0, "header is never stored");
  EXPECT_EQ(order::OrderFileText(sheet), kTwoRows);

  TempDir dir;
  order::WriteOrderFile(sheet, dir / "o.txt");
  EXPECT_EQ(ReadBytes(dir / "o.txt"), kTwoRows);
}

TEST(OrderFile, WriterRowShapes) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, std::string>> cells;
    std::string line;
  };
  const Case cases[] = {
      {"empty name, orders after it", {{1, "4"}, {2, "8"}}, "\t4\t8\t\r\n"},
      {"a gap ends the line", {{0, "A"}, {1, "1"}, {3, "5"}}, "A\t1\t\r\n"},
      {"empty row", {}, "\t\r\n"},
      {"name only", {{0, "A"}}, "A\t\r\n"},
      {"a TAB in a cell is written as it stands", {{0, "A\tB"}}, "A\tB\t\r\n"},
  };
  for (const Case& c : cases) {
    Sheet sheet;
    sheet.SetRowCount(2);
    for (const auto& [col, text] : c.cells) sheet.SetCell(col, 1, text);
    EXPECT_EQ(order::OrderFileText(sheet), c.line) << c.what;
  }
  Sheet five;
  EXPECT_EQ(order::OrderFileText(five), "\t\r\n\t\r\n\t\r\n\t\r\n") << "RowCount 5 gives 4 lines";
}

TEST(OrderFile, LoadReplacesTheFieldsAndKeepsLaterCells) {
  Sheet sheet;
  sheet.SetCell(0, 2, Sjis("鈴木"));
  sheet.SetCell(1, 2, "5");
  sheet.SetCell(2, 2, "7");
  sheet.MoveTo(3, 4);
  order::LoadOrderText(sheet, kTwoRows);
  EXPECT_EQ(sheet.RowCount(), 3);
  EXPECT_EQ(sheet.Row(), 1) << "the current cell moves into row 1";
  EXPECT_EQ(sheet.Col(), 3);
  EXPECT_EQ(sheet.Cell(0, 1), Sjis("田中"));
  EXPECT_EQ(sheet.Cell(1, 1), "3");
  EXPECT_EQ(sheet.Cell(2, 1), "12");
  EXPECT_EQ(sheet.Cell(3, 1), "");
  EXPECT_EQ(sheet.Cell(1, 2), "") << "the empty last field clears the cell after the fields";
  EXPECT_EQ(sheet.Cell(2, 2), "7") << "cells after the line's fields keep their text";
  EXPECT_EQ(sheet.RunLength(2), 1);
}

TEST(OrderFile, ReaderLineRules) {
  struct Case {
    const char* what;
    std::string data;
    int rowCount;
    std::vector<std::vector<std::string>> rows;  // fields of rows 1.. (up to the last non-empty)
  };
  const std::string longName(600, 'n');
  const std::string longLine = longName + "\t" + std::string(599, 'o') + "\t";
  const Case cases[] = {
      {"bare LF line ends", "A\t1\t\nB\t\n", 3, {{"A", "1"}, {"B"}}},
      {"a last line without LF", "A\t1\t\nB", 3, {{"A", "1"}, {"B"}}},
      {"a lone CR inside a field vanishes", "A\r\t1\r2\t\r\n", 2, {{"A", "12"}}},
      {"CR only between two LFs gives an empty row", "A\n\r\nB\n", 4, {{"A"}, {}, {"B"}}},
      {"Ctrl-Z ends the data", "A\t\r\nB\x1A\t\r\nC\t\r\n", 3, {{"A"}, {"B"}}},
      {"a NUL ends the text of its line",
       std::string("A\t1\0\t2\t\nB\n", 10),
       3,
       {{"A", "1"}, {"B"}}},
      {"one long line is one row", longLine + "\r\n", 2, {{longName, std::string(599, 'o')}}},
      {"a LF at the very end adds no row", "A\n", 2, {{"A"}}},
  };
  for (const Case& c : cases) {
    Sheet sheet;
    order::LoadOrderText(sheet, c.data);
    EXPECT_EQ(sheet.RowCount(), c.rowCount) << c.what;
    for (size_t r = 0; r < c.rows.size(); ++r) {
      const auto& fields = c.rows[r];
      for (size_t j = 0; j < fields.size(); ++j)
        EXPECT_EQ(sheet.Cell(static_cast<int>(j), static_cast<int>(r + 1)), fields[j]) << c.what;
      EXPECT_EQ(sheet.Cell(static_cast<int>(fields.size()), static_cast<int>(r + 1)), "") << c.what;
    }
  }
}

TEST(OrderFile, NoBytesChangeNothing) {
  for (const std::string& data : {std::string(),
                                  std::string("\x1A"
                                              "A\t\r\n"),
                                  std::string("\r\r")}) {
    Sheet sheet;
    sheet.SetRowCount(7);
    sheet.MoveTo(2, 6);
    order::LoadOrderText(sheet, data);
    EXPECT_EQ(sheet.RowCount(), 7);
    EXPECT_EQ(sheet.Row(), 6);
  }
  Sheet sheet;
  order::LoadOrderText(sheet, std::string_view());  // not even a buffer
  EXPECT_EQ(sheet.RowCount(), 5);
}

TEST(OrderFile, SixtyFieldsComeBackWhole) {
  std::string line;
  for (int j = 0; j < 60; ++j) line.append("f").append(std::to_string(j)).append("\t");
  line += "\r\n";
  Sheet sheet;
  order::LoadOrderText(sheet, line);
  EXPECT_EQ(sheet.Cell(59, 1), "f59");
  EXPECT_EQ(sheet.RunLength(1), 60);
  EXPECT_EQ(order::OrderFileText(sheet), line);
}

TEST(OrderFile, LoadsGrowAndShrinkTheRowsWithoutErasingThem) {
  Sheet sheet;
  std::string ten;
  for (int r = 1; r <= 10; ++r) ten += "old" + std::to_string(r) + "\tx\ty\t\r\n";
  order::LoadOrderText(sheet, ten);
  sheet.SetRowCount(31);
  order::LoadOrderText(sheet, "a\t\r\nb\t\r\nc\t\r\n");
  EXPECT_EQ(sheet.RowCount(), 4);
  order::LoadOrderText(sheet, "n1\r\nn2\r\nn3\r\nn4\r\nn5\r\nn6\r\nn7\r\nn8\r\nn9\r\nn10\r\n");
  EXPECT_EQ(sheet.RowCount(), 11);
  EXPECT_EQ(sheet.Cell(0, 7), "n7");
  EXPECT_EQ(sheet.Cell(1, 7), "x") << "the old cells after the new line's fields show again";
  EXPECT_EQ(sheet.Cell(2, 7), "y");
}

TEST(OrderFile, RoundTripOfAWrittenSheet) {
  Sheet sheet;
  sheet.SetRowCount(5);
  sheet.SetCell(0, 1, Sjis("山田 太郎"));
  for (int c = 1; c < 49; ++c) sheet.SetCell(c, 1, std::to_string(c * 7));
  sheet.SetCell(1, 3, "9");  // nameless row with an order
  sheet.SetCell(0, 4, std::string(2000, 'z'));
  TempDir dir;
  order::WriteOrderFile(sheet, dir / "r.txt");
  Sheet back;
  order::ReadOrderFile(back, dir / "r.txt");
  EXPECT_EQ(order::OrderFileText(back), order::OrderFileText(sheet));
  EXPECT_EQ(back.RowCount(), 5);
  EXPECT_EQ(back.Cell(0, 4), std::string(2000, 'z'));
}

TEST(OrderFile, AFileThatCannotBeOpenedIsReportedAndChangesNothing) {
  TempDir dir;
  Sheet sheet;
  sheet.SetCell(0, 1, "keep");
  try {
    order::ReadOrderFile(sheet, dir / "missing.txt");
    FAIL() << "no error";
  } catch (const rtl::EFOpenError& e) {
    EXPECT_EQ(e.Message, "ﾌｧｲﾙ " + (dir / "missing.txt") + " は開けません");
  }
  EXPECT_THROW(order::ReadOrderFile(sheet, dir.path().string()), rtl::EFOpenError)
      << "a folder is no order file";
  EXPECT_EQ(sheet.Cell(0, 1), "keep");
  EXPECT_EQ(sheet.RowCount(), 5);
}

// A file is read in pieces of 256 KiB. Lines, CR LF pairs and Ctrl-Z that fall on the seams must
// load as they do from the whole text at once.
TEST(OrderFile, AFileReadInPiecesLoadsLikeItsWholeText) {
  constexpr size_t kPiece = 256 << 10;
  // Lines of a few lengths, some with a CR of their own inside, ending at or near each seam.
  const auto filler = [](size_t bytes, char tag) {
    std::string lines;
    for (int r = 0; lines.size() + 40 < bytes; ++r) lines += tag + std::to_string(r) + "\t7\t\r\n";
    return lines + std::string(bytes - lines.size(), tag);  // the last line runs into the seam
  };
  struct Case {
    const char* what;
    std::string data;
  };
  const Case cases[] = {
      {"a CR LF cut by the seam", filler(kPiece - 1, 'a') + "\r\n" + "next\t1\t\r\n"},
      {"a line across the seam", filler(kPiece - 5, 'b') + "0123456789\t\r\nafter\t\r\n"},
      {"a LF right after the seam", filler(kPiece, 'c') + "\nafter\t\r\n"},
      {"a CR inside a field on the seam", filler(kPiece - 2, 'd') + "x\ry\t\r\n"},
      {"Ctrl-Z in the second piece", filler(kPiece + 100, 'e') + "\t2\t\r\nend\x1AZ\t\r\n"},
      {"a last line without LF across the seam", filler(kPiece - 3, 'f') + "tail\t9"},
      {"three pieces of one line", std::string(3 * kPiece, 'g') + "\t5\t\r\n"},
  };
  TempDir dir;
  for (const Case& c : cases) {
    WriteBytes(dir / "o.txt", c.data);
    Sheet read, loaded;
    order::ReadOrderFile(read, dir / "o.txt");
    order::LoadOrderText(loaded, c.data);
    EXPECT_EQ(read.RowCount(), loaded.RowCount()) << c.what;
    EXPECT_EQ(order::OrderFileText(read), order::OrderFileText(loaded)) << c.what;
    EXPECT_GE(loaded.RowCount(), 2) << c.what;
  }
  // And what the whole text gives is right in itself, for the seam cases that matter most.
  Sheet sheet;
  WriteBytes(dir / "o.txt", cases[0].data);
  order::ReadOrderFile(sheet, dir / "o.txt");
  EXPECT_EQ(sheet.Cell(0, sheet.RowCount() - 1), "next");
  EXPECT_EQ(sheet.Cell(1, sheet.RowCount() - 1), "1");
  WriteBytes(dir / "o.txt", cases[4].data);
  order::ReadOrderFile(sheet, dir / "o.txt");
  EXPECT_EQ(sheet.Cell(0, sheet.RowCount() - 1), "end") << "the data ends at the Ctrl-Z";
}

// Records whether a view was told anything.
struct ResetCounter : order::SheetObserver {
  int resets = 0;
  void CellChanged(int, int) override {}
  void RowCountChanged(int, int) override {}
  void CurrentCellChanged(int, int) override {}
  void ColWidthChanged(int) override {}
  void SheetReset() override { ++resets; }
};

TEST(OrderFile, AFailedOpenTellsTheViewNothing) {
  TempDir dir;
  Sheet sheet;
  ResetCounter view;
  sheet.SetObserver(&view);
  EXPECT_THROW(order::ReadOrderFile(sheet, dir / "missing.txt"), rtl::EFOpenError);
  EXPECT_EQ(view.resets, 0);
  WriteBytes(dir / "o.txt", kTwoRows);
  order::ReadOrderFile(sheet, dir / "o.txt");
  EXPECT_EQ(view.resets, 1) << "a load is one reset";
}

}  // namespace
