// The PDF page of velmora-tally, in a module of its own: the tool loads it (and Qt with it) only
// when a PDF is asked for, so that tallies alone start as fast as before and need no display.
#pragma once

#include <cstddef>

// Receives the bytes of the finished PDF document.
using VelmoraPdfSink = void (*)(const char* bytes, std::size_t size, void* context);

// Draws the printed page of the result list as a PDF document at `dpi`: "ファイル名:" + `fileName`,
// today's creation date and `lines` (texts in CP932), and hands its bytes to `sink`; the tool
// writes them to the file as every other file is written. False when the page could not be drawn.
extern "C" bool VelmoraDrawPdfPage(int dpi, const char* fileName, const char* const* lines,
                                   std::size_t lineCount, VelmoraPdfSink sink, void* context);
using VelmoraDrawPdfPageFn = decltype(&VelmoraDrawPdfPage);

inline constexpr const char* kPdfPageModule = "velmora-tally-pdf.so";
