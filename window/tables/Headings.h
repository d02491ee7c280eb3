// SPDX-License-Identifier: MIT
// The window's headings for the table in play, which the quiz, the progress window and the
// report show.
#pragma once

#include <QStringList>

namespace quiz {
class Quiz;
}

namespace window {

// The table's title and its columns' names, capitalised ("селище" heads its list as
// "Селище"), or the window's own for the built-in table.
[[nodiscard]] QStringList Headings(const quiz::Quiz& quiz);

} // namespace window
