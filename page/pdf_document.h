// The printed page of the result list as a PDF document of its own, for the tally tool.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace page {

// Draws the page (DrawResultPage) on one A4 PDF page with a quarter-inch margin, laid out for a
// printer of `dpi` dots per inch, and gives the document's bytes; nothing when the page could not
// be opened. Texts are CP932. Needs a QGuiApplication; installs the font substitutions itself.
std::optional<std::string> ResultPagePdf(int dpi, const std::string& fileName,
                                         const std::string& dateText,
                                         const std::vector<std::string>& lines);

}  // namespace page
