// SPDX-License-Identifier: MIT
#include "TextCollation.h"

#include <stdexcept>
#include <string>
#include <windows.h>

namespace quiz {
namespace {

// Broken UTF-8 becomes U+FFFD, as ICU reads it, rather than failing the comparison.
std::wstring Wide(std::string_view text) {
    if (text.empty()) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), size, wide.data(), length);
    return wide;
}

} // namespace

struct TextCollation::Platform {};

TextCollation::TextCollation() = default;

TextCollation::~TextCollation() = default;

bool TextCollation::Less(std::string_view a, std::string_view b) const {
    const std::wstring wideA = Wide(a);
    const std::wstring wideB = Wide(b);
    // Ignoring case and symbols is what ICU's secondary strength with shifted punctuation
    // does: spaces, hyphens and quotation marks weigh nothing.
    const int result = CompareStringEx(L"bg-BG", NORM_IGNORECASE | NORM_IGNORESYMBOLS,
                                       wideA.c_str(), static_cast<int>(wideA.size()), wideB.c_str(),
                                       static_cast<int>(wideB.size()), nullptr, nullptr, 0);
    if (result == 0) {
        throw std::runtime_error("Bulgarian collation: CompareStringEx failed with error " +
                                 std::to_string(GetLastError()));
    }
    if (result != CSTR_EQUAL) {
        return result == CSTR_LESS_THAN;
    }
    return a < b;
}

} // namespace quiz
