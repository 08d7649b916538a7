// Limits a test puts on its own process, so that failures happen for real: a file size limit that
// makes writes stop short, and running a check without root's right to write anywhere.
#pragma once

#include <sys/resource.h>

#include <functional>

namespace testing_support {

// Limits the size of files this process may write while the object lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  void (*previous_)(int) = nullptr;
};

// Limits the size of files this process may write from now on, leaving SIGXFSZ as it is: a
// process that does not ignore it ends at the first write over the limit.
void LimitFileSize(rlim_t bytes);

// Runs `check` as a user without privileges and gives its result. As root it runs in a child
// process that has given up root (uid and gid 65534); otherwise it runs here.
bool AsUnprivilegedUser(const std::function<bool()>& check);

// Runs `check` in a child process that starts with SIGXFSZ at its default (the end of the
// process), as a user without privileges when this process is root. True when `check` returned
// true; false when it returned false, threw, or the child was ended by a signal.
bool InNewChildProcess(const std::function<bool()>& check);

}  // namespace testing_support
