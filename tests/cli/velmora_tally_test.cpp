// The command-line tally, run as a real process in a folder of reference files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "rtl/cp932.h"
#include "support/pdf_text.h"
#include "support/process_limits.h"
#include "support/shell.h"
#include "support/temp_dir.h"

using testing_support::FindWord;
using testing_support::PdfPages;
using testing_support::Quote;
using testing_support::ReadBytes;
using testing_support::Sjis;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

struct Result {
  int status;
  std::string out, err;
};

// Runs velmora-tally (or a copy of it at `program`) in the current folder, with no display; `env`
// adds NAME=VALUE settings.
Result Tally(const std::vector<std::string>& args, const std::vector<std::string>& env = {},
             const std::string& program = VELMORA_TALLY) {
  std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM";
  for (const auto& setting : env) command.append(" ").append(Quote(setting));
  command.append(" ").append(Quote(program));
  for (const auto& a : args) command.append(" ").append(Quote(a));
  command += " >stdout.bin 2>stderr.bin </dev/null";
  const int rc = std::system(command.c_str());
  Result result{WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, ReadBytes("stdout.bin"),
                ReadBytes("stderr.bin")};
  std::remove("stdout.bin");
  std::remove("stderr.bin");
  return result;
}

class VelmoraTally : public testing::Test {
 protected:
  void SetUp() override {
    WriteBytes("nedan.txt", "100\r\n");
    WriteBytes("VELMORA_SIMEI.TXT", Sjis("青木\r\n井上\r\n"));
    WriteBytes("VELMORA_CBANGO.TXT", "1\r\n2\r\n3\r\n");
    WriteBytes("order.txt", Sjis("青木\t1\t2\t\r\n井上\t2\t\r\n"));
  }
  TempDir dir;
};

TEST_F(VelmoraTally, StartsLikeTheWindowAndPrintsThePerPersonTallyByDefault) {
  const Result r = Tally({});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, " 青木(0枚 0円)\n 井上(0枚 0円)\n") << "names from the names file";

  const Result withFile = Tally({"order.txt"});
  EXPECT_EQ(withFile.out, " 青木 1 2(2枚 200円)\n 井上 2(1枚 100円)\n")
      << "the price is nedan.txt's first line, LF included";
}

TEST_F(VelmoraTally, TalliesInTheOrderGivenAndEncodings) {
  const Result r = Tally({"--per-order", "--price", "10", "--per-person", "order.txt"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out,
            "1=1枚  [1]青木\n2=2枚  [1]青木 [2]井上\n3=0枚 \n合計 30円(3枚)\n"
            " 青木 1 2(2枚 20円)\n 井上 2(1枚 10円)\n");

  const Result cp932 = Tally({"--encoding", "cp932", "--per-person", "order.txt"});
  EXPECT_EQ(cp932.out, Sjis(" 青木 1 2(2枚 200円)\n 井上 2(1枚 100円)\n"));

  const Result typed = Tally({"--price", "２０", "order.txt"});
  EXPECT_EQ(typed.out, " 青木 1 2(2枚 0円)\n 井上 2(1枚 0円)\n")
      << "a full-width price is typed text, read as 0";
}

TEST_F(VelmoraTally, MissingReferenceFilesAreReportedAndTheRunGoesOn) {
  std::remove("VELMORA_CBANGO.TXT");
  std::remove("nedan.txt");
  const Result r = Tally({"--per-order", "--per-person", "order.txt"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "velmora-tally: ﾌｧｲﾙ VELMORA_CBANGO.TXT は開けません\n");
  EXPECT_EQ(r.out, "合計 0円(0枚)\n 青木 1 2(2枚 100円)\n 井上 2(1枚 50円)\n")
      << "an empty picker, and the price \"50\"";
}

TEST_F(VelmoraTally, SavesTheSheet) {
  const Result r = Tally({"--save", "copy.txt", "order.txt"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(ReadBytes("copy.txt"), Sjis("青木\t1\t2\t\r\n井上\t2\t\r\n"));
  const Result names = Tally({"--save", "names-only.txt"});
  EXPECT_EQ(ReadBytes("names-only.txt"), Sjis("青木\t\r\n井上\t\r\n"));
}

// A folder that takes no new file (mode 555) holding a file the user may write (mode 666): --save
// writes the file itself. Under a file-size limit a save that does not fit is a write error the
// tool reports, through a temporary file or in place; the old file stays whole and nothing is left
// behind. The tool runs as a user without privileges, SIGXFSZ as a new process has it.
TEST_F(VelmoraTally, SavesWhereOnlyTheFileIsWritableAndReportsAWriteOverTheSizeLimit) {
  namespace fs = std::filesystem;
  std::string rows;
  for (int i = 0; i < 500; ++i) rows += Sjis("青木\t1\t2\t\r\n");
  WriteBytes("big.txt", rows);
  fs::create_directory("locked");
  for (const char* path : {"kept.txt", "locked/kept.txt", "locked/copy.txt"}) {
    WriteBytes(path, "the old file");
    fs::permissions(path, fs::perms(0666));
  }
  fs::permissions("locked", fs::perms(0555));
  fs::permissions(dir.path(), fs::perms::all);  // the tool's output files go here
  // A copy of the tool that the user can reach, wherever the build folder lies.
  const std::string tool = (dir.path() / "velmora-tally").string();
  fs::copy_file(VELMORA_TALLY, tool);
  fs::permissions(tool, fs::perms(0755));
  struct Case {
    std::string target;
    rlim_t limit;
    int status;
    std::string err, bytes;
  };
  const std::string writeError = "velmora-tally: ｽﾄﾘｰﾑへの書き込みｴﾗｰ\n";
  const Case cases[] = {
      {"locked/copy.txt", RLIM_INFINITY, 0, "", Sjis("青木\t1\t2\t\r\n井上\t2\t\r\n")},
      {"locked/kept.txt", 4096, 1, writeError, "the old file"},
      {"kept.txt", 4096, 1, writeError, "the old file"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(testing_support::InNewChildProcess([&] {
      testing_support::LimitFileSize(c.limit);
      const Result r =
          Tally({"--save", c.target, c.status == 0 ? "order.txt" : "big.txt"}, {}, tool);
      EXPECT_EQ(r.status, c.status) << c.target;
      EXPECT_EQ(r.err, c.err) << c.target;
      return r.status == c.status && r.err == c.err;
    })) << c.target;
    EXPECT_EQ(ReadBytes(c.target), c.bytes) << c.target;
  }
  for (const char* folder : {".", "locked"})
    for (const auto& entry : fs::directory_iterator(folder))
      EXPECT_FALSE(entry.path().filename().string().starts_with(".")) << entry.path();
}

TEST_F(VelmoraTally, ExitStatuses) {
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{"missing.txt"}, 1, "velmora-tally: ﾌｧｲﾙ missing.txt は開けません\n"},
      {{"--save", "/dev/full", "order.txt"}, 1, "velmora-tally: ｽﾄﾘｰﾑへの書き込みｴﾗｰ\n"},
      {{"--save", "no/folder/x.txt"}, 1, "velmora-tally: ﾌｧｲﾙ no/folder/x.txt を作成できません\n"},
      {{"--bogus"}, 2, "velmora-tally: unknown option '--bogus' (see --help)\n"},
      {{"--price"}, 2, "velmora-tally: --price needs a value (see --help)\n"},
      {{"--encoding", "latin1"},
       2,
       "velmora-tally: unknown encoding 'latin1' (utf-8 or cp932) (see --help)\n"},
      {{"a.txt", "b.txt"}, 2, "velmora-tally: more than one order file (see --help)\n"},
      {{"--dpi", "300"}, 2, "velmora-tally: --dpi needs --pdf (see --help)\n"},
      {{"--pdf", "o.pdf", "--dpi", "71"},
       2,
       "velmora-tally: --dpi needs a number from 72 to 2400 (see --help)\n"},
      {{"--pdf", "o.pdf", "--dpi", "3e2"},
       2,
       "velmora-tally: --dpi needs a number from 72 to 2400 (see --help)\n"},
  };
  for (const Case& c : cases) {
    const Result r = Tally(c.args);
    EXPECT_EQ(r.status, c.status) << c.args[0];
    EXPECT_EQ(r.err, c.err) << c.args[0];
    EXPECT_EQ(r.out, "") << c.args[0];
  }
  const Result help = Tally({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--per-order"), std::string::npos);
  EXPECT_NE(help.out.find("Exit status"), std::string::npos);
  EXPECT_NE(help.out.find("[--pdf FILE [--dpi N]]"), std::string::npos);
}

// Today's creation-date text, as the program's label shows it.
std::string Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char text[64];
  std::strftime(text, sizeof text, "作成日%Y年%m月%d日", &local);
  return text;
}

// The page in points: A4 with a quarter-inch margin, the layout's units 1/300 inch whatever the
// resolution, 12-point text.
TEST_F(VelmoraTally, DrawsThePrintedPageOfTheLastTallyIntoAPdf) {
  struct Case {
    std::vector<std::string> args;
    std::string heading;
    std::vector<std::string> lineWords;  // the first word of each result line
    std::string absent;                  // a word of another tally
  };
  const std::string path = (dir.path() / "order.txt").string();
  const Case cases[] = {
      {{"--pdf", "page.pdf"}, "ファイル名:", {"青木(0枚", "井上(0枚"}, "1=0枚"},
      {{"--per-person", "--per-order", "--pdf", "page.pdf", "--dpi", "600", "order.txt"},
       "ファイル名:" + path,
       {"1=1枚", "2=2枚", "3=0枚", "合計"},
       "200円)"},
      {{"--pdf=page.pdf", "--dpi=150", "--per-person", "order.txt"},
       "ファイル名:" + path,
       {"青木", "井上"},
       "[1]青木"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    std::remove("page.pdf");
    const std::string before = Today();
    const Result r = Tally(c.args);
    const std::string after = Today();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_FALSE(r.out.empty()) << "the tallies print as ever";

    const auto pages = PdfPages("page.pdf");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].width, 595);
    EXPECT_EQ(pages[0].height, 842);
    const auto expectAt = [&](const testing_support::PdfWord* word, double x, double y) {
      ASSERT_TRUE(word);
      EXPECT_NEAR(word->xMin, 18 + x * 72 / 300, 0.3) << word->text;
      EXPECT_NEAR(word->yMin, 18 + y * 72 / 300, 0.3) << word->text;
      EXPECT_NEAR(word->yMax - word->yMin, 12, 0.3) << word->text;
    };
    expectAt(FindWord(pages[0], c.heading), 0, 0);
    const auto* date = FindWord(pages[0], before);
    expectAt(date ? date : FindWord(pages[0], after), 1000, 0);
    for (size_t i = 0; i < c.lineWords.size(); ++i) {
      const auto* word = FindWord(pages[0], c.lineWords[i]);
      ASSERT_TRUE(word) << c.lineWords[i];
      EXPECT_NEAR(word->yMin, 18 + (70 + 50 * static_cast<double>(i)) * 72 / 300, 0.3);
    }
    EXPECT_FALSE(FindWord(pages[0], c.absent));
  }

  // The PDF is written like every other file: the same errors, and a device is never replaced.
  const Result unwritable = Tally({"--pdf", "no/folder/page.pdf"});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_EQ(unwritable.err, "velmora-tally: ﾌｧｲﾙ no/folder/page.pdf を作成できません\n");
  const Result full = Tally({"--pdf", "/dev/full"});
  EXPECT_EQ(full.status, 1);
  EXPECT_EQ(full.err, "velmora-tally: ｽﾄﾘｰﾑへの書き込みｴﾗｰ\n");
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// The PDF module brings Qt into the process at run time. However the environment shifts the heap,
// a failed --pdf ends with its one message and status 1, and nothing else runs into stderr at exit
// (in the sanitizer build this covers the leak check over the module's thread-local storage).
TEST_F(VelmoraTally, APdfThatCannotBeWrittenEndsWithItsMessageWhateverTheEnvironment) {
  for (const size_t padding : {1, 7, 16, 33, 64, 200}) {
    SCOPED_TRACE(padding);
    const Result r = Tally({"--pdf", "no/folder/page.pdf"},
                           {"VELMORA_TEST_PADDING=" + std::string(padding, 'x')});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "velmora-tally: ﾌｧｲﾙ no/folder/page.pdf を作成できません\n");
  }
}

}  // namespace
