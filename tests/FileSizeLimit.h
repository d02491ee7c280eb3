// SPDX-License-Identifier: MIT
// A limit on the size of the files this process writes, as a full disk sets one: writes past it
// fail. Lifted when the object goes. FileSizeLimitPosix.cpp sets it; where a system has none,
// FileSizeLimitNone.cpp gives none.
#pragma once

#include <cstddef>
#include <memory>

class FileSizeLimit {
public:
    // Null where the system cannot set one.
    [[nodiscard]] static std::unique_ptr<FileSizeLimit> Set(std::size_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    FileSizeLimit() = default;
    unsigned long long m_before = 0;
};
