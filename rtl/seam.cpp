#include "rtl/seam.h"

#include <algorithm>
#include <vector>

namespace rtl {

namespace {
struct Enrolled {
  const void* seam;
  std::function<void()> reset;
};

// Made by the first seam's constructor, so it outlives every seam, function-local statics too.
std::vector<Enrolled>& Seams() {
  static std::vector<Enrolled> seams;
  return seams;
}
}  // namespace

namespace detail {
void EnrolSeam(const void* seam, std::function<void()> reset) {
  Seams().push_back({seam, std::move(reset)});
}

void WithdrawSeam(const void* seam) {
  std::erase_if(Seams(), [seam](const Enrolled& enrolled) { return enrolled.seam == seam; });
}
}  // namespace detail

void ResetSeams() {
  for (const Enrolled& enrolled : Seams()) enrolled.reset();
}

}  // namespace rtl
