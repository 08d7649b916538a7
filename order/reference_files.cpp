#include "order/reference_files.h"

#include "order/entry.h"
#include "order/file_io.h"
#include "rtl/exception.h"
#include "rtl/file_names.h"

namespace order {

namespace {
std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }
}  // namespace

std::optional<std::string> UnitPriceFromText(std::string_view data) {
  std::optional<std::string> price;
  ForEachTextModeLine(data, [&](std::string_view line, bool endsWithLf) {
    if (price) return;
    price = std::string(UpToNul(line));
    // The LF ends the line's bytes; a NUL before it cuts it off with the rest.
    if (endsWithLf && price->size() == line.size()) *price += '\n';
  });
  return price;
}

std::optional<std::string> ReadUnitPrice() {
  if (!rtl::FileExists(kUnitPriceFile)) return std::nullopt;
  const auto data = ReadWholeFile(kUnitPriceFile);
  if (!data) return std::nullopt;
  return UnitPriceFromText(*data);
}

void WriteUnitPrice(std::string_view price) {
  std::string bytes;
  bytes.reserve(price.size() + 2);
  for (const char c : price) {
    if (c == '\n') bytes += '\r';
    bytes += c;
  }
  WriteWholeFile(kUnitPriceFile, bytes);
}

void LoadNamesText(Sheet& sheet, std::string_view data) {
  sheet.BeginUpdate();
  int row = 1;
  ForEachTextModeLine(data, [&](std::string_view line, bool) {
    sheet.SetCell(0, row, UpToNul(line));
    ++row;
    sheet.SetRowCount(row);
  });
  sheet.EndUpdate();
}

void ReadNames(Sheet& sheet) {
  if (!rtl::FileExists(kNamesFile)) return;
  if (const auto data = ReadWholeFile(kNamesFile)) LoadNamesText(sheet, *data);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> entries;
  text = UpToNul(text);
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = std::min(text.find_first_of("\r\n", at), text.size());
    entries.emplace_back(text.substr(at, end - at));
    at = end;
    if (at < text.size() && text[at] == '\r') ++at;
    if (at < text.size() && text[at] == '\n') ++at;
  }
  return entries;
}

std::vector<std::string> ReadOrderNumbers() {
  const auto data = ReadWholeFile(kOrderNumbersFile);
  if (!data) throw rtl::EFOpenError(kOrderNumbersFile);
  return SplitLines(*data);
}

ReferenceData ReadReferenceFiles(Sheet& sheet) {
  ReferenceData data;
  try {
    if (auto price = ReadUnitPrice()) data.price = std::move(*price);
    SetUpHeader(sheet);
    ReadNames(sheet);
    data.entries = ReadOrderNumbers();
  } catch (const rtl::Exception&) {
    data.error = std::current_exception();
  }
  return data;
}

std::string ListTextFromBytes(std::string_view data) {
  data = UpToNul(data);
  std::string text;
  text.reserve(data.size() + data.size() / 16);
  for (size_t i = 0; i < data.size(); ++i) {
    const char c = data[i];
    if (c == '\r') {
      text += "\r\n";
      if (i + 1 < data.size() && data[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      text += "\r\n";
    } else {
      text += c;
    }
  }
  return text;
}

std::string LoadListText(const std::string& fileName) {
  // One byte over the capacity is enough to tell: without a NUL in them, the text of those bytes
  // is at least as long; a NUL among them ends the text, and nothing after it counts.
  const auto data = ReadWholeFile(fileName, kEditorCapacity + 1);
  if (!data) throw rtl::EFOpenError(fileName);
  std::string text = ListTextFromBytes(*data);
  if (text.size() > kEditorCapacity) throw rtl::EInvalidOperation();
  return text;
}

void SaveListText(const std::string& fileName, std::string_view text) {
  WriteWholeFile(fileName, text);
}

}  // namespace order
