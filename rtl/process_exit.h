// Ending the process through the standard library's exit (exit routines run, streams are flushed),
// with a hook that tests set to record the request instead.
#pragma once

#include <functional>

namespace rtl {

// Ends the process with `status`. With a hook set, calls the hook and returns.
void Exit(int status);

// Replaces the process exit; an empty function restores std::exit.
void SetExitHook(std::function<void(int)> hook);

}  // namespace rtl
