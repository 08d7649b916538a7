#include "bench_data.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace bench {

namespace fs = std::filesystem;

namespace {

// MT19937, seeded from the key {7} by the generator's own key schedule.
class MersenneTwister {
 public:
  explicit MersenneTwister(uint32_t key) {
    Seed(19650218u);
    size_t i = 1;
    for (size_t k = kN; k > 0; --k) {
      state_[i] = (state_[i] ^ ((state_[i - 1] ^ (state_[i - 1] >> 30)) * 1664525u)) + key;
      if (++i >= kN) {
        state_[0] = state_[kN - 1];
        i = 1;
      }
    }
    for (size_t k = kN - 1; k > 0; --k) {
      state_[i] = (state_[i] ^ ((state_[i - 1] ^ (state_[i - 1] >> 30)) * 1566083941u)) - i;
      if (++i >= kN) {
        state_[0] = state_[kN - 1];
        i = 1;
      }
    }
    state_[0] = 0x80000000u;
  }

  uint32_t Next() {
    if (index_ >= kN) Twist();
    uint32_t y = state_[index_++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    return y ^ (y >> 18);
  }

  // A number from 0 to n - 1 (n > 0), each as likely.
  uint32_t Below(uint32_t n) {
    int bits = 0;
    while (bits < 32 && (n >> bits) != 0) ++bits;
    for (;;) {
      const uint32_t r = Next() >> (32 - bits);
      if (r < n) return r;
    }
  }

 private:
  static constexpr size_t kN = 624, kM = 397;

  void Seed(uint32_t seed) {
    state_[0] = seed;
    for (size_t i = 1; i < kN; ++i)
      state_[i] = 1812433253u * (state_[i - 1] ^ (state_[i - 1] >> 30)) + static_cast<uint32_t>(i);
    index_ = kN;
  }
  void Twist() {
    for (size_t i = 0; i < kN; ++i) {
      const uint32_t y = (state_[i] & 0x80000000u) | (state_[(i + 1) % kN] & 0x7FFFFFFFu);
      state_[i] = state_[(i + kM) % kN] ^ (y >> 1) ^ ((y & 1u) ? 0x9908B0DFu : 0u);
    }
    index_ = 0;
  }

  uint32_t state_[kN];
  size_t index_ = kN;
};

}  // namespace

std::string OrderFileBytes(int rows, int cells, int entries) {
  MersenneTwister random(7);
  std::string text;
  text.reserve(static_cast<size_t>(rows) * static_cast<size_t>(8 + 5 * cells));
  char number[24];
  for (int r = 0; r < rows; ++r) {
    text += "\x90\xB6\x93\x6B";  // "生徒"
    std::snprintf(number, sizeof number, "%06d\t", r);
    text += number;
    for (int c = 0; c < cells; ++c) {
      std::snprintf(number, sizeof number, "%u\t",
                    random.Below(static_cast<uint32_t>(entries)) + 1);
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
