// SPDX-License-Identifier: MIT
// Reading a pick list whole, and finding a text in it, for tests and benchmarks.
#pragma once

#include <PickList.h>
#include <string>
#include <string_view>
#include <vector>

namespace quiztest {

inline std::vector<std::string> Items(const quiz::PickList& list) {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(list.ListCount()));
    for (int index = 0; index < list.ListCount(); ++index) {
        items.push_back(list.List(index));
    }
    return items;
}

// The position of the text in the list, or -1.
inline int IndexOf(const quiz::PickList& list, std::string_view text) {
    for (int index = 0; index < list.ListCount(); ++index) {
        if (list.List(index) == text) {
            return index;
        }
    }
    return -1;
}

} // namespace quiztest
