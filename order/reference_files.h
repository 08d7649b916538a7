// The three reference files of the current folder: the unit price, the names and the order
// numbers, and the editor text of the two list files.
#pragma once

#include <cstddef>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "order/sheet.h"

namespace order {

inline constexpr const char* kUnitPriceFile = "nedan.txt";
inline constexpr const char* kNamesFile = "VELMORA_SIMEI.TXT";
inline constexpr const char* kOrderNumbersFile = "VELMORA_CBANGO.TXT";

// The unit price when nedan.txt gives none.
inline constexpr const char* kDefaultUnitPrice = "50";

// The most bytes an editor's text may hold; LoadListText refuses more.
inline constexpr size_t kEditorCapacity = 16 * 1024 * 1024;

// The unit price text of a price file's bytes: its first line in text mode, LF included, up to
// its first NUL byte; nothing for a file without a byte to read.
std::optional<std::string> UnitPriceFromText(std::string_view data);
// UnitPriceFromText of nedan.txt; nothing when it is missing or cannot be read.
std::optional<std::string> ReadUnitPrice();
// Writes the price text to nedan.txt in text mode (each LF as CR LF, nothing added).
// Throws rtl::EFCreateError or rtl::EWriteError.
void WriteUnitPrice(std::string_view price);

// Puts the lines of a names file's bytes (text mode) into column 0 from row 1 on, one line one
// row, each name up to its first NUL; after k lines the row count is k + 1. No line, no change.
void LoadNamesText(Sheet& sheet, std::string_view data);
// LoadNamesText of VELMORA_SIMEI.TXT; a missing or unreadable file changes nothing.
void ReadNames(Sheet& sheet);

// The entries of a whole text: lines ended by CR LF, a lone CR or a lone LF; a NUL ends the list.
std::vector<std::string> SplitLines(std::string_view text);
// SplitLines of VELMORA_CBANGO.TXT. Throws rtl::EFOpenError when the file cannot be opened.
std::vector<std::string> ReadOrderNumbers();

// What the start-up reads besides the names, which go into the sheet.
struct ReferenceData {
  std::string price = kDefaultUnitPrice;  // nedan.txt's price text
  std::vector<std::string> entries;       // the order numbers
  std::exception_ptr error;               // the error that ended the reading early, if one did
};

// The start-up of the main window and the tally tool, in this order: the unit price, the sheet's
// header, the names into the sheet, the order numbers. A runtime error (rtl::Exception) skips the
// steps after it and is kept in `error`; what was read before it stays.
ReferenceData ReadReferenceFiles(Sheet& sheet);

// An editor's text for a list file's bytes: up to the first NUL, every line end made CR LF.
std::string ListTextFromBytes(std::string_view data);
// ListTextFromBytes of the file. Throws rtl::EFOpenError when it cannot be opened and
// rtl::EInvalidOperation when the text exceeds kEditorCapacity.
std::string LoadListText(const std::string& fileName);
// Writes the editor text's bytes unchanged. Throws rtl::EFCreateError or rtl::EWriteError.
void SaveListText(const std::string& fileName, std::string_view text);

}  // namespace order
