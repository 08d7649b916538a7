#include "rtl/process_exit.h"

#include <cstdlib>

namespace rtl {

namespace {
std::function<void(int)>& Hook() {
  static std::function<void(int)> hook;
  return hook;
}
}  // namespace

void Exit(int status) {
  if (Hook()) return Hook()(status);
  std::exit(status);
}

void SetExitHook(std::function<void(int)> hook) { Hook() = std::move(hook); }

}  // namespace rtl
