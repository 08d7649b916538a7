// The PDF page of velmora-tally, in a module of its own: the tool loads it (and Qt with it) only
// when a PDF is asked for, so that tallies alone start as fast as before and need no display.
#pragma once

#include <cstddef>

// Draws the printed page of the result list into the PDF file `path` (replaced only once the page
// is complete) at `dpi`: "ファイル名:" + `fileName`, today's creation date and `lines` (texts in
// CP932). False when the file cannot be written.
extern "C" bool VelmoraWritePdfPage(const char* path, int dpi, const char* fileName,
                                    const char* const* lines, std::size_t lineCount);
using VelmoraWritePdfPageFn = decltype(&VelmoraWritePdfPage);

inline constexpr const char* kPdfPageModule = "velmora-tally-pdf.so";
