#include "support/process_limits.h"

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

namespace testing_support {

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  getrlimit(RLIMIT_FSIZE, &old_);
  previous_ = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit = old_;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &old_);
  std::signal(SIGXFSZ, previous_);
}

void LimitFileSize(rlim_t bytes) {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

namespace {

bool InChild(const std::function<bool()>& check, bool defaultSignals) {
  const pid_t child = fork();
  if (child == 0) {
    alarm(30);  // a child stuck on something its parent held must not hang the suite
    bool ok = false;
    try {
      if (defaultSignals) std::signal(SIGXFSZ, SIG_DFL);
      const bool unprivileged = geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0);
      ok = unprivileged && check();
    } catch (...) {
      // Nothing may leave the child but its status: the parent's tests must not run on here.
    }
    _exit(ok ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

bool AsUnprivilegedUser(const std::function<bool()>& check) {
  if (geteuid() != 0) return check();
  return InChild(check, false);
}

bool InNewChildProcess(const std::function<bool()>& check) { return InChild(check, true); }

}  // namespace testing_support
