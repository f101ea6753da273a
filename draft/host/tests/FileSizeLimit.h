// A file-size limit for the scope of a test: writes past `bytes` fail (with
// EFBIG, SIGXFSZ ignored), as on a full disk. The old limit and signal
// action come back when the scope ends.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

namespace drafttest {

class ScopedFileSizeLimit {
 public:
  explicit ScopedFileSizeLimit(rlim_t bytes) {
    EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &old_), 0);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    EXPECT_EQ(::sigaction(SIGXFSZ, &ignore, &previous_), 0);
    struct rlimit small = old_;
    small.rlim_cur = bytes;
    EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  }
  ~ScopedFileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::sigaction(SIGXFSZ, &previous_, nullptr);
  }
  ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
  ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

 private:
  struct rlimit old_ {};
  struct sigaction previous_ {};
};

}  // namespace drafttest
