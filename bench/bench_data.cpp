#include "bench_data.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace bench {

namespace fs = std::filesystem;

namespace {

// A small fixed generator, so the data does not depend on the standard library's distributions.
class Random {
 public:
  uint32_t Next() {
    state_ = state_ * 6364136223846793005u + 1442695040888963407u;
    return static_cast<uint32_t>(state_ >> 33);
  }

 private:
  uint64_t state_ = 7;
};

}  // namespace

std::string OrderFileBytes(int rows) {
  Random random;
  std::string text;
  text.reserve(static_cast<size_t>(rows) * 50);
  char number[16];
  for (int r = 0; r < rows; ++r) {
    text += "\x90\xB6\x93\x6B";  // "生徒"
    std::snprintf(number, sizeof number, "%06d\t", r);
    text += number;
    for (int c = 0; c < kOrderCells; ++c) {
      std::snprintf(number, sizeof number, "%u\t", random.Next() % kPickerEntries + 1);
      text += number;
    }
    text += "\r\n";
  }
  return text;
}

std::string OrderNumberBytes(int count) {
  std::string text;
  for (int i = 1; i <= count; ++i) text += std::to_string(i) + "\r\n";
  return text;
}

const fs::path& ScratchDir() {
  static const struct Dir {
    fs::path path;
    Dir() {
      std::string pattern = (fs::temp_directory_path() / "velmora-bench-XXXXXX").string();
      if (!mkdtemp(pattern.data())) std::abort();
      path = pattern;
    }
    ~Dir() {
      std::error_code ignored;
      fs::remove_all(path, ignored);
    }
  } dir;
  return dir.path;
}

const std::string& OrderFilePath(int rows) {
  static std::map<int, std::string> paths;
  auto [it, added] = paths.try_emplace(rows);
  if (added) {
    it->second = (ScratchDir() / ("order-" + std::to_string(rows) + ".txt")).string();
    std::FILE* f = std::fopen(it->second.c_str(), "wb");
    const std::string bytes = OrderFileBytes(rows);
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f))
      std::abort();
  }
  return it->second;
}

}  // namespace bench
