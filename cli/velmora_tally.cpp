// velmora-tally: the order book without windows. Reads the reference files of the current folder
// as the main window does at start, optionally an order file, and prints the tallies; on request
// it also draws the printed page of the last tally into a PDF file.

#include <dlfcn.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/pdf_page.h"
#include "order/file_io.h"
#include "order/order_file.h"
#include "order/reference_files.h"
#include "order/sheet.h"
#include "order/tally.h"
#include "rtl/cp932.h"
#include "rtl/exception.h"
#include "rtl/file_names.h"

namespace {

constexpr const char* kProgram = "velmora-tally";

constexpr const char* kUsage =
    "usage: velmora-tally [--per-person] [--per-order] [--price TEXT] "
    "[--save FILE] [--encoding utf-8|cp932] [--pdf FILE [--dpi N]] "
    "[ORDER_FILE]";

constexpr const char* kHelp = R"HELP(
Tallies a photo order sheet without opening a window.

In the current folder it reads the reference files as the program does at start: the unit price
from nedan.txt (else "50"), the names from VELMORA_SIMEI.TXT into the sheet and the order numbers
from VELMORA_CBANGO.TXT. A missing order-number file is reported on stderr and the run goes on
with no order numbers. Then, in this order:

  ORDER_FILE           load this order file into the sheet (tab-separated CP932 text)
  --price TEXT         use TEXT as the unit price, as if typed into the price box
  --save FILE          write the sheet to FILE as an order file
  --per-person         print the per-person tally: " name orders(N枚 A円)"
  --per-order          print the per-order-number tally and the total line
                       (both may be given; they print in the order given; with neither, the
                       per-person tally is printed)
  --encoding ENC       utf-8 (default): lines are converted for a terminal, --price TEXT is
                       taken as UTF-8; cp932: lines are printed and TEXT taken as raw bytes
  --pdf FILE           also draw the page the program prints into the PDF file FILE (A4, a
                       quarter-inch margin): "ファイル名:" with ORDER_FILE's full path, today's
                       creation date ("作成日yyyy年mm月dd日") and the lines of the last tally
                       printed; lines below the page are left out
  --dpi N              the printer resolution the page is laid out for, 72 to 2400 (default 300)
  --help               show this help

One result line per output line, ended by LF.
Exit status: 0 success, 1 a file could not be read or written, 2 wrong usage.
)HELP";

enum class Tally { PerPerson, PerOrder };

struct Options {
  std::vector<Tally> tallies;
  std::optional<std::string> price;
  std::optional<std::string> save;
  std::optional<std::string> orderFile;
  std::optional<std::string> pdf;
  std::optional<int> dpi;
  bool utf8 = true;
};

constexpr int kDefaultDpi = 300;

struct UsageError {
  std::string message;
};

void Fail(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", kProgram, message.c_str());
}

// Parses the arguments; throws UsageError. Returns nothing when --help was asked for.
std::optional<Options> Parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    std::optional<std::string_view> inlineValue;
    if (arg.starts_with("--")) {
      if (const size_t eq = arg.find('='); eq != std::string_view::npos) {
        inlineValue = arg.substr(eq + 1);
        arg = arg.substr(0, eq);
      }
    }
    const auto value = [&]() -> std::string {
      if (inlineValue) return std::string(*inlineValue);
      if (i + 1 >= argc) throw UsageError{std::string(arg) + " needs a value"};
      return argv[++i];
    };
    const auto flag = [&] {
      if (inlineValue) throw UsageError{std::string(arg) + " takes no value"};
    };
    if (arg == "--help" || arg == "-h") {
      return std::nullopt;
    } else if (arg == "--per-person") {
      flag();
      options.tallies.push_back(Tally::PerPerson);
    } else if (arg == "--per-order") {
      flag();
      options.tallies.push_back(Tally::PerOrder);
    } else if (arg == "--price") {
      options.price = value();
    } else if (arg == "--save") {
      options.save = value();
    } else if (arg == "--encoding") {
      const std::string encoding = value();
      if (encoding == "utf-8" || encoding == "UTF-8")
        options.utf8 = true;
      else if (encoding == "cp932" || encoding == "CP932")
        options.utf8 = false;
      else
        throw UsageError{"unknown encoding '" + encoding + "' (utf-8 or cp932)"};
    } else if (arg == "--pdf") {
      options.pdf = value();
    } else if (arg == "--dpi") {
      const std::string text = value();
      int dpi = 0;
      const bool digits = !text.empty() && text.size() <= 4 &&
                          text.find_first_not_of("0123456789") == std::string::npos;
      if (digits) dpi = std::stoi(text);
      if (dpi < 72 || dpi > 2400) throw UsageError{"--dpi needs a number from 72 to 2400"};
      options.dpi = dpi;
    } else if (arg == "--") {
      if (i + 1 < argc) {
        if (options.orderFile || i + 2 < argc) throw UsageError{"more than one order file"};
        options.orderFile = argv[++i];
      }
    } else if (arg.starts_with("-") && arg != "-") {
      throw UsageError{"unknown option '" + std::string(arg) + "'"};
    } else {
      if (options.orderFile) throw UsageError{"more than one order file"};
      options.orderFile = std::string(arg);
    }
  }
  if (options.dpi && !options.pdf) throw UsageError{"--dpi needs --pdf"};
  if (options.tallies.empty()) options.tallies.push_back(Tally::PerPerson);
  return options;
}

// The folder of the running program.
std::filesystem::path ProgramFolder() {
  std::error_code ec;
  return std::filesystem::read_symlink("/proc/self/exe", ec).parent_path();
}

// Draws the printed page into the PDF file `path` through the PDF module, found next to the
// program (a build), in the library folder of the tree the program lies in (an installed or
// unpacked package), or in the library folder it was built for.
bool WritePdf(const std::string& path, int dpi, const std::string& fileName,
              const std::vector<std::string>& lines) {
  std::vector<std::filesystem::path> folders;
  // Without the program's own path, never a folder relative to the current one.
  if (const std::filesystem::path program = ProgramFolder(); program.is_absolute())
    folders = {program, (program / VELMORA_PDF_MODULE_FROM_BINDIR).lexically_normal()};
  folders.emplace_back(VELMORA_PDF_MODULE_DIR);
  void* module = nullptr;
  for (const std::filesystem::path& folder : folders) {
    if ((module = dlopen((folder / kPdfPageModule).c_str(), RTLD_NOW | RTLD_LOCAL))) break;
  }
  if (!module) {
    Fail(std::string("cannot load ") + kPdfPageModule + ": " + dlerror());
    return false;
  }
  const auto draw = reinterpret_cast<VelmoraDrawPdfPageFn>(dlsym(module, "VelmoraDrawPdfPage"));
  if (!draw) {
    Fail(std::string("cannot load ") + kPdfPageModule + ": " + dlerror());
    return false;
  }
  std::vector<const char*> texts;
  for (const std::string& line : lines) texts.push_back(line.c_str());
  std::string document;
  const VelmoraPdfSink keep = [](const char* bytes, std::size_t size, void* context) {
    static_cast<std::string*>(context)->assign(bytes, size);
  };
  if (!draw(dpi, fileName.c_str(), texts.data(), texts.size(), keep, &document)) {
    Fail("cannot draw the page of " + path);
    return false;
  }
  try {
    order::WriteWholeFile(path, document);
  } catch (const rtl::Exception& e) {
    Fail(e.Message);
    return false;
  }
  return true;
}

int Run(const Options& options) {
  order::Sheet sheet;
  // The main window's start-up; an error there is reported and the run goes on.
  order::ReferenceData reference = order::ReadReferenceFiles(sheet);
  if (reference.error) {
    try {
      std::rethrow_exception(reference.error);
    } catch (const rtl::Exception& e) {
      Fail(e.Message);
    }
  }
  std::string& price = reference.price;
  const std::vector<std::string>& entries = reference.entries;

  try {
    if (options.orderFile) order::ReadOrderFile(sheet, *options.orderFile);
    if (options.price) price = options.utf8 ? rtl::Utf8ToCp932(*options.price) : *options.price;
    if (options.save) order::WriteOrderFile(sheet, *options.save);
  } catch (const rtl::Exception& e) {
    Fail(e.Message);
    return 1;
  }

  // Into a file or a pipe the lines go out through one large buffer; a terminal sees each line.
  static char outputBuffer[1 << 20];
  if (!isatty(fileno(stdout))) std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

  bool written = true;
  std::vector<std::string> lastLines;  // the last tally's lines, for the PDF page
  for (const Tally tally : options.tallies) {
    lastLines.clear();
    const auto print = [&](std::string_view line) {
      if (options.pdf) lastLines.emplace_back(line);
      const std::string converted = options.utf8 ? rtl::Cp932ToUtf8(line) : std::string();
      const std::string_view text = options.utf8 ? std::string_view(converted) : line;
      written = written && std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
                std::fputc('\n', stdout) != EOF;
    };
    if (tally == Tally::PerPerson)
      order::PerPersonTally(sheet, price, print);
    else
      order::PerOrderTally(sheet, entries, price, print);
  }
  if (!written || std::fflush(stdout) != 0) {
    Fail(std::string("cannot write the output: ") + std::strerror(errno));
    return 1;
  }

  if (options.pdf) {
    // The full path, as the load dialog gives it.
    std::string fileName;
    if (options.orderFile) fileName = rtl::Utf8ToCp932(rtl::ExpandFileName(*options.orderFile));
    if (!WritePdf(*options.pdf, options.dpi.value_or(kDefaultDpi), fileName, lastLines)) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // A write over the file-size limit is then an error the writer reports and cleans up after (no
  // temporary file left, the old file whole), not the end of the process.
  std::signal(SIGXFSZ, SIG_IGN);
  std::optional<Options> options;
  try {
    options = Parse(argc, argv);
  } catch (const UsageError& e) {
    Fail(e.message + " (see --help)");
    return 2;
  }
  if (!options) {
    std::printf("%s\n%s", kUsage, kHelp);
    return 0;
  }
  return Run(*options);
}
