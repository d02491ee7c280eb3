// SPDX-License-Identifier: MIT
// How a sheet's rows fall onto pages, what a page's foot says, and the language a PDF declares.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace paper {

// The first row of each page, for rows of these heights on pages whose room for rows is
// `first` on the first page and `rest` on the others: a row goes whole onto the page where it
// begins, and a row taller than a page's room stands alone on its page. No rows, one page.
[[nodiscard]] std::vector<std::size_t> PageStarts(const std::vector<double>& heights, double first,
                                                  double rest);

// "стр. 1 от 2"
[[nodiscard]] std::string PageText(int page, int pages);

// The PDF with its language ("bg") named in its catalogue, for screen readers and for search:
// the catalogue gains the entry and the cross-reference table's offsets after it move with it.
// The PDF as it came where it is not one that this can follow (one without a plain
// cross-reference table, or whose catalogue names a language already).
[[nodiscard]] std::string WithLanguage(std::string pdf, std::string_view language);

} // namespace paper
