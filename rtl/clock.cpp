#include "rtl/clock.h"

#include <ctime>

#include "rtl/seam.h"

namespace rtl {

namespace {
Hook<DateTime()>& Clock() {
  static Hook<DateTime()> clock;
  return clock;
}
}  // namespace

DateTime Now() {
  if (Clock()) return Clock()();
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

void SetClock(std::function<DateTime()> clock) { Clock().Set(std::move(clock)); }

}  // namespace rtl
