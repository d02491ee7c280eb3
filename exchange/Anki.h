// SPDX-License-Identifier: MIT
// Anki's text notes: a table goes out as one note a pair, tab-separated, with the header lines
// that Anki's importer reads (separator, no HTML, the columns, the deck named after the table,
// and the table's third column as each note's tag).
#pragma once

#include <PairTable.h>
#include <string>

namespace exchange {

// A text with a tab, a quote or a line end, or beginning with "#", is quoted, a quote in it
// written twice, as Anki reads it. A tag cannot hold a space: each becomes "_".
[[nodiscard]] std::string WriteAnki(const quiz::PairTable& table);

} // namespace exchange
