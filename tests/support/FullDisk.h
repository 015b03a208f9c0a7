#pragma once

#include <sys/resource.h>

#include <csignal>

// While it lives, this process writes as on a full disk: a write that
// would make a file longer than `bytes` fails with EFBIG, part written.
// A file-size limit needs no privileges and no mount, so it works in CI;
// SIGXFSZ is ignored so that the write fails instead of ending the test.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes = 8) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FullDisk() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = SIG_DFL;
};
