// SPDX-License-Identifier: MIT
// Statements read back, from an exported file or a learning record store's answer, within
// limits, as the class's figures need them.
#pragma once

#include <ClassFigures.h>
#include <QByteArray>
#include <QString>
#include <vector>

namespace window {

// What one file or answer may hold, and all of them together.
inline constexpr qsizetype kLongestStatements = 64 << 20;
inline constexpr std::size_t kMostStatements = 1'000'000;

struct ReadStatements {
    std::vector<statements::Record> records;
    QString more;  // an LRS's answer: where the next page is, or empty
    QString fault; // in Bulgarian, naming the source, the line and the fault; empty when read
};

// An array of statements, as a file holds them, or an LRS's {"statements": [...], "more": ...};
// a statement of another verb or another program's form is passed over. At most room more
// statements are taken; past them, a fault.
[[nodiscard]] ReadStatements ReadStatementsFrom(const QByteArray& json, const QString& source,
                                                std::size_t room);

} // namespace window
