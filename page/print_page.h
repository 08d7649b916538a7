// The printed page of the result list: the heading "ファイル名:" with the last loaded file name and
// the creation date, then the result lines one below the other. The print command and the tally
// tool both draw it through this one function.
#pragma once

#include <string>
#include <vector>

#include "rtl/date_time.h"
#include "vcl/printer_canvas.h"

namespace page {

// The layout's positions, in dots of a 300 dpi printer. On a printer of another resolution they
// are scaled to its dots, so the page looks the same on every printer and the 12-point lines never
// overlap.
inline constexpr int kLayoutDpi = 300;
inline constexpr int kDateX = 1000;
inline constexpr int kFirstLineY = 70;
inline constexpr int kLinePitch = 50;
inline constexpr int kFontSize = 12;  // points

// Sets the canvas font to 12 points and draws the page: "ファイル名:" + `fileName` at (0, 0),
// `dateText` at (1000, 0), line i of `lines` at (0, 70 + 50 × i). Texts are CP932.
void DrawResultPage(vcl::TPrinterCanvas& canvas, const std::string& fileName,
                    const std::string& dateText, const std::vector<std::string>& lines);

// The creation-date text of the main window for `when`: "作成日2024年03月07日" (CP932).
std::string CreationDateText(const rtl::DateTime& when);

}  // namespace page
