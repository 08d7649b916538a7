#include "rtl/clock.h"

#include <ctime>

namespace rtl {

namespace {
std::function<DateTime()>& Hook() {
  static std::function<DateTime()> hook;
  return hook;
}
}  // namespace

DateTime Now() {
  if (Hook()) return Hook()();
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

void SetClock(std::function<DateTime()> clock) { Hook() = std::move(clock); }

}  // namespace rtl
