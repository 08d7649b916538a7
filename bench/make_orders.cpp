// make-orders DIR ROWS CELLS ENTRIES: writes a large order file DIR/big.txt of ROWS rows with CELLS
// order numbers each, drawn from 1 to ENTRIES, and the order-number file DIR/VELMORA_CBANGO.TXT
// holding "1" to ENTRIES. The data of bench/run's race; the same bytes on every run.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_data.h"

namespace {

bool Write(const std::filesystem::path& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// A whole number from 1 to 100,000,000, or 0.
int Count(const char* text) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  return *text && !*end && value >= 1 && value <= 100'000'000 ? static_cast<int>(value) : 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int rows = argc == 5 ? Count(argv[2]) : 0;
  const int cells = argc == 5 ? Count(argv[3]) : 0;
  const int entries = argc == 5 ? Count(argv[4]) : 0;
  if (!rows || !cells || !entries) {
    std::fprintf(stderr, "usage: make-orders DIR ROWS CELLS ENTRIES\n");
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (!Write(dir / "VELMORA_CBANGO.TXT", bench::OrderNumberBytes(entries)) ||
      !Write(dir / "big.txt", bench::OrderFileBytes(rows, cells, entries))) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
