// What poppler reads back from a PDF file: the words with their boxes (pdftotext -bbox) and the
// document's information (pdfinfo).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct PdfWord {
  std::string text;               // UTF-8
  double xMin, yMin, xMax, yMax;  // points from the page's top-left corner
};

struct PdfPage {
  double width, height;  // points
  std::vector<PdfWord> words;
};

// The pages of `path`, each with its words in reading order. Empty when poppler cannot read it.
std::vector<PdfPage> PdfPages(const std::string& path);

// pdfinfo's fields ("Title", "Pages", ...), values without leading blanks.
std::map<std::string, std::string> PdfInfo(const std::string& path);

// The first word of a page whose text is `text`, or null.
const PdfWord* FindWord(const PdfPage& page, const std::string& text);

}  // namespace testing_support
