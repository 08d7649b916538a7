#include "rtl/process_exit.h"

#include <cstdlib>

#include "rtl/seam.h"

namespace rtl {

namespace {
Hook<void(int)>& ExitHook() {
  static Hook<void(int)> hook;
  return hook;
}
}  // namespace

void Exit(int status) {
  if (ExitHook()) return ExitHook()(status);
  std::exit(status);
}

void SetExitHook(std::function<void(int)> hook) { ExitHook().Set(std::move(hook)); }

}  // namespace rtl
