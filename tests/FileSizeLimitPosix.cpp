// SPDX-License-Identifier: MIT
#include "FileSizeLimit.h"

#include <csignal>
#include <sys/resource.h>

std::unique_ptr<FileSizeLimit> FileSizeLimit::Set(std::size_t bytes) {
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return nullptr;
    }
    std::unique_ptr<FileSizeLimit> set(new FileSizeLimit);
    set->m_before = limit.rlim_cur;
    // A write past the limit fails with EFBIG, as on a full disk, instead of ending the process.
    std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    return setrlimit(RLIMIT_FSIZE, &limit) == 0 ? std::move(set) : nullptr;
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = m_before;
    setrlimit(RLIMIT_FSIZE, &limit);
}
