// The generated data of the benchmarks: person rows with a CP932 name and ten order numbers each,
// and a picker of order numbers. The same on every run.
#pragma once

#include <filesystem>
#include <string>

namespace bench {

inline constexpr int kOrderCells = 10;
inline constexpr int kPickerEntries = 1000;
inline constexpr const char* kPrice = "50";

// An order file's bytes: per row r (from 0) the name "生徒" and r in six digits, then `cells`
// order numbers drawn evenly from 1 to `entries`, each field ended by TAB, the line by CR LF.
// The numbers come from a Mersenne Twister seeded with 7, drawn by rejection from the fewest
// bits that hold entries - 1, so the same arguments give the same bytes on any machine.
std::string OrderFileBytes(int rows, int cells = kOrderCells, int entries = kPickerEntries);

// The order numbers "1" to "count", one a line, as in the order-number file.
std::string OrderNumberBytes(int count);

// A folder of scratch files, removed at exit.
const std::filesystem::path& ScratchDir();

// The order file of `rows` rows in ScratchDir(), written once.
const std::string& OrderFilePath(int rows);

}  // namespace bench
