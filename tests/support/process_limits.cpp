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

bool AsUnprivilegedUser(const std::function<bool()>& check) {
  if (geteuid() != 0) return check();
  const pid_t child = fork();
  if (child == 0) {
    alarm(30);  // a child stuck on something its parent held must not hang the suite
    _exit(setgid(65534) == 0 && setuid(65534) == 0 && check() ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace testing_support
