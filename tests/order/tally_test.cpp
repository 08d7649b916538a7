#include "order/tally.h"

#include <gtest/gtest.h>

#include <set>

#include "rtl/cp932.h"
#include "support/temp_dir.h"

using order::Sheet;
using testing_support::Sjis;

namespace {

std::vector<std::string> SjisLines(const std::vector<std::string>& utf8) {
  std::vector<std::string> out;
  for (const auto& s : utf8) out.push_back(Sjis(s));
  return out;
}

// Kiwi 12 15 / Mango 15 15 _ 12 / Fig
Sheet Example() {
  Sheet sheet;
  sheet.SetRowCount(4);
  sheet.SetCell(0, 1, "Kiwi");
  sheet.SetCell(1, 1, "12");
  sheet.SetCell(2, 1, "15");
  sheet.SetCell(0, 2, "Mango");
  sheet.SetCell(1, 2, "15");
  sheet.SetCell(2, 2, "15");
  sheet.SetCell(4, 2, "12");
  sheet.SetCell(0, 3, "Fig");
  return sheet;
}
const std::vector<std::string> kPicker = {"12", "15", "20"};

TEST(Tally, WorkedExample) {
  EXPECT_EQ(order::PerPersonTally(Example(), "50"),
            SjisLines({" Kiwi 12 15(2枚 100円)", " Mango 15 15(2枚 100円)", " Fig(0枚 0円)"}));
  EXPECT_EQ(order::PerOrderTally(Example(), kPicker, "50"),
            SjisLines({"12=1枚  [1]Kiwi", "15=3枚  [1]Kiwi [2]Mang [2]Mang", "20=0枚 ",
                       "合計 200円(4枚)"}));
}

TEST(Tally, LiteralPiecesAreTheseBytes) {
  Sheet sheet;
  sheet.SetRowCount(2);
  sheet.SetCell(0, 1, "A");
  sheet.SetCell(1, 1, "1");
  EXPECT_EQ(order::PerPersonTally(sheet, "7"),
            std::vector<std::string>{" A 1(1\x96\x87 7\x89\x7E)"});
  EXPECT_EQ(
      order::PerOrderTally(sheet, {"1"}, "7"),
      (std::vector<std::string>{"1=1\x96\x87  [1]A", "\x8D\x87\x8C\x76 7\x89\x7E(1\x96\x87)"}));
}

TEST(Tally, PriceTextChangesTheAmounts) {
  EXPECT_EQ(order::PerPersonTally(Example(), "abc")[0], Sjis(" Kiwi 12 15(2枚 0円)"));
  EXPECT_EQ(order::PerOrderTally(Example(), kPicker, "abc").back(), Sjis("合計 0円(4枚)"));
  EXPECT_EQ(order::PerPersonTally(Example(), "-50")[0], Sjis(" Kiwi 12 15(2枚 -100円)"));
  // The per-order-number tally reads the whole text too, not its first 7 bytes.
  EXPECT_EQ(order::PerOrderTally(Example(), kPicker, "    1000").back(), Sjis("合計 4000円(4枚)"));
}

TEST(Tally, NoPersonRowsOrNoPicker) {
  Sheet empty;
  empty.SetRowCount(1);
  EXPECT_TRUE(order::PerPersonTally(empty, "50").empty());
  EXPECT_EQ(order::PerOrderTally(empty, kPicker, "50"),
            SjisLines({"12=0枚 ", "15=0枚 ", "20=0枚 ", "合計 0円(0枚)"}));
  EXPECT_EQ(order::PerOrderTally(Example(), {}, "50"), SjisLines({"合計 0円(0枚)"}));
}

TEST(Tally, MatchingIsByteForByteAndCountsRepeats) {
  Sheet sheet;
  sheet.SetRowCount(12);
  sheet.SetCell(0, 1, "A");
  sheet.SetCell(1, 1, "012");
  sheet.SetCell(2, 1, "12 ");
  sheet.SetCell(3, 1, Sjis("１２"));
  sheet.SetCell(4, 1, "12");
  sheet.SetCell(5, 1, "12");
  sheet.SetCell(1, 2, "12");  // nameless row: ignored by both tallies
  sheet.SetCell(0, 10, "Ten");
  sheet.SetCell(1, 10, "12");
  const std::vector<std::string> picker = {"12", "", "12", "99"};
  EXPECT_EQ(order::PerOrderTally(sheet, picker, "10"),
            SjisLines({"12=3枚  [1]A [1]A [10]Ten", "=0枚 ", "12=3枚  [1]A [1]A [10]Ten", "99=0枚 ",
                       "合計 60円(6枚)"}));
  EXPECT_EQ(order::PerPersonTally(sheet, "10"),
            SjisLines({" A 012 12  １２ 12 12(5枚 50円)", " Ten 12(1枚 10円)"}))
      << "every order cell counts per person; the nameless row yields no line";
}

TEST(Tally, ShortNameCutsBytes) {
  struct Case {
    std::string name, shortName;
  };
  const Case cases[] = {
      {"Kiwi", "Kiwi"},
      {"Mango", "Mang"},
      {"Fig", "Fig"},
      {"", ""},
      {Sjis("一二三四"), Sjis("一二")},
      {Sjis("A一二"), Sjis("A一") + Sjis("二").substr(0, 1)},
  };
  for (const Case& c : cases) EXPECT_EQ(order::ShortName(c.name), c.shortName);
}

TEST(Tally, PriceValue) {
  struct Case {
    std::string text;
    int32_t value;
  };
  const Case cases[] = {
      {"50", 50},
      {" 50\x89\x7E", 50},
      {"+8", 8},
      {"-20", -20},
      {"1,000", 1},
      {"", 0},
      {"abc", 0},
      {Sjis("５０"), 0},
      {Sjis("　50"), 0},  // a full-width space is no blank
      {"\t\n\v\f\r 7x", 7},
      {"+-3", 0},
      {"-", 0},
      {"2147483647", 2147483647},
      {"2147483648", 2147483647},
      {"99999999999999999999999", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"-2147483649", -2147483647 - 1},
      {"-99999999999999999999999", -2147483647 - 1},
      {"0000000000000000000000042", 42},
  };
  for (const Case& c : cases) EXPECT_EQ(order::PriceValue(c.text), c.value) << c.text;
}

TEST(Tally, LargeNumbersArePrintedWholeWithoutWrapping) {
  Sheet sheet;
  sheet.SetRowCount(2);
  sheet.SetCell(0, 1, "Big");
  for (int c = 1; c <= 60; ++c) sheet.SetCell(c, 1, "7");
  const std::string line = order::PerPersonTally(sheet, "2147483647")[0];
  EXPECT_NE(line.find("(60\x96\x87 128849018820\x89\x7E)"), std::string::npos) << line;
  const auto lines = order::PerOrderTally(sheet, {"7", "7"}, "-2147483648");
  EXPECT_EQ(lines.back(), Sjis("合計 -257698037760円(120枚)"));
}

// A match list grows in blocks; a long one must come back whole and in order, with row numbers
// of every width and short names cut from longer ones.
TEST(Tally, LongMatchListsComeBackWholeAndInOrder) {
  Sheet sheet;
  sheet.SetRowCount(120'001);
  std::string list7, list8;
  int count7 = 0, count8 = 0;
  for (int r = 1; r <= 120'000; r += r < 1000 ? 1 : 97) {
    const std::string name = "N" + std::to_string(r % 10'000);
    const std::string piece = " [" + std::to_string(r) + "]" + name.substr(0, 4);
    const bool twice = r % 3 == 0;  // "7" in both order cells
    sheet.SetCell(0, r, name);
    sheet.SetCell(1, r, "7");
    sheet.SetCell(2, r, twice ? "7" : "8");
    list7 += twice ? piece + piece : piece;
    count7 += twice ? 2 : 1;
    if (!twice) {
      list8 += piece;
      ++count8;
    }
  }
  const auto lines = order::PerOrderTally(sheet, {"7", "8"}, "1");
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "7=" + std::to_string(count7) + "\x96\x87 " + list7);
  EXPECT_EQ(lines[1], "8=" + std::to_string(count8) + "\x96\x87 " + list8);
}

// Order numbers are looked up by a hash of their bytes; texts of up to 8 bytes are told apart by
// the hash alone. Texts that differ in one byte anywhere, of every length around that limit, must
// each count only their own cells.
TEST(Tally, EntriesThatDifferInOneByteCountOnlyTheirOwnCells) {
  std::set<std::string> distinct;
  for (size_t n = 0; n <= 12; ++n) {
    const std::string base = std::string("0123456789AB").substr(0, n);
    distinct.insert(base);
    for (size_t i = 0; i < n; ++i)
      for (const char b : {'\0', '\x01', '\x7F', '\x80', '\xFF', static_cast<char>(base[i] + 1)}) {
        std::string variant = base;
        variant[i] = b;
        distinct.insert(variant);
      }
  }
  const std::vector<std::string> picker(distinct.begin(), distinct.end());
  // Every third text is ordered, the others never are; row r orders ten of them.
  std::vector<std::string> ordered;
  for (size_t i = 0; i < picker.size(); i += 3)
    if (!picker[i].empty()) ordered.push_back(picker[i]);
  Sheet sheet;
  sheet.SetRowCount(static_cast<int>(ordered.size() / 10 + 2));
  for (size_t k = 0; k < ordered.size(); ++k) {
    const int row = static_cast<int>(k / 10 + 1);
    sheet.SetCell(0, row, "R" + std::to_string(row));
    sheet.SetCell(static_cast<int>(k % 10 + 1), row, ordered[k]);
  }
  const auto lines = order::PerOrderTally(sheet, picker, "1");
  ASSERT_EQ(lines.size(), picker.size() + 1);
  for (size_t i = 0; i < picker.size(); ++i) {
    const bool isOrdered = i % 3 == 0 && !picker[i].empty();
    const std::string count = picker[i] + "=" + (isOrdered ? "1" : "0") + "\x96\x87 ";
    EXPECT_EQ(lines[i].substr(0, count.size()), count) << "entry " << i;
  }
  EXPECT_EQ(lines.back(), "\x8D\x87\x8C\x76 " + std::to_string(ordered.size()) + "\x89\x7E(" +
                              std::to_string(ordered.size()) + "\x96\x87)");
}

// The per-order-number tally keeps per match the row and the number of the row's short name;
// rows without a match, far row numbers and short names alike but for their length or a NUL
// byte must not be mixed up.
TEST(Tally, MatchesKeepTheirRowsAndShortNames) {
  Sheet sheet;
  sheet.SetRowCount(300'001);
  const std::pair<int, std::vector<std::string>> rows[] = {
      {1, {"First", "5"}},
      {2, {"NoMatch", "6"}},
      {3, {std::string("Mi\0d", 4), "9"}},
      {4, {"Mi", "5", "9"}},
      {70'000, {"Mid", "5", "5", "9"}},
      {300'000, {"Firstly", "9"}},
  };
  for (const auto& [row, cells] : rows)
    for (size_t c = 0; c < cells.size(); ++c) sheet.SetCell(static_cast<int>(c), row, cells[c]);
  EXPECT_EQ(order::PerOrderTally(sheet, {"9", "5"}, "1"),
            (std::vector<std::string>{
                std::string("9=4\x96\x87  [3]Mi\0d [4]Mi [70000]Mid [300000]Firs", 44),
                "5=4\x96\x87  [1]Firs [4]Mi [70000]Mid [70000]Mid",
                "\x8D\x87\x8C\x76 8\x89\x7E(8\x96\x87)"}));
}

}  // namespace
