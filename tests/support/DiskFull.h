#pragma once
#include <algorithm>
#include <csignal>
#include <sys/resource.h>

namespace quorin::test {

// A full disk for this process, root included (root writes into read-only
// folders, but no process may grow a file past its RLIMIT_FSIZE): while it
// lives, no file grows past `bytes`, and a write past that fails instead of
// raising SIGXFSZ.
class DiskFull {
public:
    explicit DiskFull(rlim_t bytes = 0) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = std::min(bytes, saved_.rlim_max);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~DiskFull() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    DiskFull(const DiskFull&) = delete;
    DiskFull& operator=(const DiskFull&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

} // namespace quorin::test
