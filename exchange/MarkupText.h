// SPDX-License-Identifier: MIT
// A text from a file of questions as a list's item: HTML as a browser shows it (tags taken out,
// character references decoded, white space run together and trimmed), plain text as it
// stands but for its line ends, each one space, since a list's item has one line.
#pragma once

#include <string>
#include <string_view>

namespace exchange {

[[nodiscard]] std::string ShownText(std::string_view text, bool html);

} // namespace exchange
