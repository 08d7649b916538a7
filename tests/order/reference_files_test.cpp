#include "order/reference_files.h"

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

TEST(UnitPrice, ReadsTheFirstLineWithItsLf) {
  struct Case {
    std::string file;
    std::optional<std::string> price;
  };
  const Case cases[] = {
      {"50", "50"},
      {"80\r\n", "80\n"},
      {"1234567890", "1234567890"},  // no 9-byte cut
      {"123456789012345\r\nsecond line\r\n", "123456789012345\n"},
      {"", std::nullopt},
      {"\x1A"
       "50",
       std::nullopt},
      {"\r", std::nullopt},
      {std::string("5\0"
                   "0\n",
                   4),
       "5"},
      {"\n50", "\n"},
      {" 50\xE1\x84 \r\n", " 50\xE1\x84 \n"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteBytes("nedan.txt", c.file);
    EXPECT_EQ(order::ReadUnitPrice(), c.price) << testing::PrintToString(c.file);
  }
}

TEST(UnitPrice, MissingOrAFolderGivesNothing) {
  TempDir dir;
  EXPECT_EQ(order::ReadUnitPrice(), std::nullopt);
  std::filesystem::create_directory("nedan.txt");
  EXPECT_EQ(order::ReadUnitPrice(), std::nullopt);
}

TEST(UnitPrice, WriteThenReadGivesTheSameText) {
  TempDir dir;
  for (const std::string price : {"50", "80\n", "1234567890123", "", "a\nb"}) {
    order::WriteUnitPrice(price);
    std::string expected;
    for (char c : price) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ReadBytes("nedan.txt"), expected);
    if (price.find('\n') == std::string::npos || price.back() == '\n') {
      EXPECT_EQ(order::ReadUnitPrice(), price.empty() ? std::nullopt : std::optional(price));
    }
  }
}

TEST(Names, OneLineOneRow) {
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::string> names;
  };
  const std::string long60(60, 'L');
  const std::string kanji25 = Sjis("一二三四五六七八九十一二三四五六七八九十一二三四五");
  const Case cases[] = {
      {"CR LF", "A\r\nB\r\nC\r\n", {"A", "B", "C"}},
      {"no final line end", "A\r\nB\r\nC", {"A", "B", "C"}},
      {"an empty line", "A\r\n\r\nC\r\n", {"A", "", "C"}},
      {"a long name stays whole",
       long60 + "\r\n" + std::string(49, 'x') + "\r\n",
       {long60, std::string(49, 'x')}},
      {"double-byte names are never cut", kanji25 + "\r\nB", {kanji25, "B"}},
      {"Ctrl-Z ends the data", "A\r\nB\x1A\r\nC\r\n", {"A", "B"}},
      {"a CR in a line is dropped", "A\rB\r\n", {"AB"}},
      {"a NUL ends the name", std::string("A\0B\r\nC", 6), {"A", "C"}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteBytes("VELMORA_SIMEI.TXT", c.file);
    Sheet sheet;
    sheet.SetCell(1, 1, "order");
    order::ReadNames(sheet);
    EXPECT_EQ(sheet.RowCount(), static_cast<int>(c.names.size()) + 1) << c.what;
    for (size_t i = 0; i < c.names.size(); ++i)
      EXPECT_EQ(sheet.Cell(0, static_cast<int>(i) + 1), c.names[i]) << c.what;
    EXPECT_EQ(sheet.Cell(1, 1), "order") << "no other cell is touched";
  }
}

TEST(Names, EmptyOrMissingFileLeavesTheRowCount) {
  TempDir dir;
  Sheet sheet;
  order::ReadNames(sheet);
  EXPECT_EQ(sheet.RowCount(), 5);
  WriteBytes("VELMORA_SIMEI.TXT", "");
  order::ReadNames(sheet);
  EXPECT_EQ(sheet.RowCount(), 5);
}

TEST(SplitLines, LineEnds) {
  struct Case {
    std::string text;
    std::vector<std::string> entries;
  };
  const Case cases[] = {
      {"A\r\nB\r\n", {"A", "B"}},
      {"A\nB", {"A", "B"}},
      {"A\rB\r", {"A", "B"}},
      {"A\r\n\r\nB", {"A", "", "B"}},
      {"A\n\rB", {"A", "", "B"}},
      {"\r\n", {""}},
      {"", {}},
      {std::string("A\0B\r\n", 5), {"A"}},
      {std::string("\0A\r\n", 4), {}},
      {"12\r\n12\r\n \t\x1A\r\n", {"12", "12", " \t\x1A"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(order::SplitLines(c.text), c.entries) << testing::PrintToString(c.text);
}

TEST(OrderNumbers, ReadFromTheFileOrReportedMissing) {
  TempDir dir;
  try {
    order::ReadOrderNumbers();
    FAIL() << "no error";
  } catch (const rtl::EFOpenError& e) {
    EXPECT_EQ(e.Message, "ﾌｧｲﾙ VELMORA_CBANGO.TXT は開けません");
  }

  WriteBytes("VELMORA_CBANGO.TXT", "1\r2\r3\r");
  EXPECT_EQ(order::ReadOrderNumbers(), (std::vector<std::string>{"1", "2", "3"}));
  WriteBytes("VELMORA_CBANGO.TXT", "");
  EXPECT_TRUE(order::ReadOrderNumbers().empty());
}

TEST(ReferenceFiles, StartUpReadsEachFileAndStopsAtTheFirstError) {
  struct Case {
    const char* name;
    std::optional<std::string> price, names, numbers;
    std::string shownPrice;
    int rowCount;
    std::vector<std::string> entries;
    const char* error;
  };
  const Case cases[] = {
      {"all three", "80\r\n", "A\r\nB\r\n", "12\r\n15\r\n", "80\n", 3, {"12", "15"}, nullptr},
      {"no price file", std::nullopt, "A\r\n", "12\r\n", "50", 2, {"12"}, nullptr},
      {"no names file", "70", std::nullopt, "12\r\n", "70", 5, {"12"}, nullptr},
      // Price, header and names come before the order numbers and stay.
      {"no order numbers",
       "70",
       "A\r\n",
       std::nullopt,
       "70",
       2,
       {},
       "ﾌｧｲﾙ VELMORA_CBANGO.TXT は開けません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    if (c.price) WriteBytes("nedan.txt", *c.price);
    if (c.names) WriteBytes("VELMORA_SIMEI.TXT", *c.names);
    if (c.numbers) WriteBytes("VELMORA_CBANGO.TXT", *c.numbers);
    order::Sheet sheet;
    const order::ReferenceData data = order::ReadReferenceFiles(sheet);
    EXPECT_EQ(data.price, c.shownPrice);
    EXPECT_EQ(data.entries, c.entries);
    EXPECT_EQ(sheet.Cell(49, 0), "49") << "the header";
    EXPECT_EQ(sheet.RowCount(), c.rowCount);
    if (c.names) {
      EXPECT_EQ(sheet.Cell(0, 1), "A");
    }
    if (!c.error) {
      EXPECT_FALSE(data.error);
      continue;
    }
    ASSERT_TRUE(data.error);
    try {
      std::rethrow_exception(data.error);
    } catch (const rtl::EFOpenError& e) {
      EXPECT_EQ(e.Message, c.error);
    }
  }
}

TEST(ListText, LoadMakesEveryLineEndCrLf) {
  struct Case {
    std::string file, text;
  };
  const Case cases[] = {
      {"A\nB", "A\r\nB"},
      {"A\r\nB\r\n", "A\r\nB\r\n"},
      {"A\rB", "A\r\nB"},
      {"A\n\rB", "A\r\n\r\nB"},
      {std::string("A\nB\0C\n", 6), "A\r\nB"},
      {"", ""},
  };
  TempDir dir;
  for (const Case& c : cases) {
    WriteBytes("list.txt", c.file);
    EXPECT_EQ(order::LoadListText("list.txt"), c.text) << testing::PrintToString(c.file);
  }
}

TEST(ListText, LoadRefusesMissingFilesAndTextBeyondTheCapacity) {
  TempDir dir;
  try {
    order::LoadListText("VELMORA_SIMEI.TXT");
    FAIL() << "no error";
  } catch (const rtl::EFOpenError& e) {
    EXPECT_EQ(e.Message, "ﾌｧｲﾙ VELMORA_SIMEI.TXT は開けません");
  }
  // At the capacity it loads; one byte more, counted after the line ends became CR LF, it fails.
  std::string text(order::kEditorCapacity - 2, 'a');
  text += "\n";
  WriteBytes("full.txt", text);
  EXPECT_EQ(order::LoadListText("full.txt").size(), order::kEditorCapacity);
  text.insert(0, "b");
  WriteBytes("over.txt", text);
  try {
    order::LoadListText("over.txt");
    FAIL() << "no error";
  } catch (const rtl::EInvalidOperation& e) {
    EXPECT_EQ(e.Message, "文字列の大きさが ﾒﾓ の制限を越えました");
  }
  // A NUL ends the text: what follows it, however much, does not count.
  text.replace(10, 1, 1, '\0');
  text += std::string(1000, 'c');
  WriteBytes("nul.txt", text);
  EXPECT_EQ(order::LoadListText("nul.txt"), "b" + std::string(9, 'a'));
  // A device that never ends is read no further than the text can go.
  EXPECT_EQ(order::LoadListText("/dev/zero"), "");
}

TEST(ListText, SaveWritesTheBytesUnchanged) {
  TempDir dir;
  for (const std::string text : {"A\r\nB", "A\r\nB\r\n", "", "\x82\xA0\r\n"}) {
    order::SaveListText("VELMORA_CBANGO.TXT", text);
    EXPECT_EQ(ReadBytes("VELMORA_CBANGO.TXT"), text);
  }
  order::SaveListText("VELMORA_CBANGO.TXT", "1\r\n2\r\n\r\n3\r\n");
  EXPECT_EQ(order::ReadOrderNumbers(), (std::vector<std::string>{"1", "2", "", "3"}))
      << "one entry per editor line";
}

}  // namespace
