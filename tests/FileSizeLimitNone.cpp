// SPDX-License-Identifier: MIT
#include "FileSizeLimit.h"

std::unique_ptr<FileSizeLimit> FileSizeLimit::Set(std::size_t /*bytes*/) {
    return nullptr;
}

FileSizeLimit::~FileSizeLimit() = default;
