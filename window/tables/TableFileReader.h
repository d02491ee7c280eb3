// SPDX-License-Identifier: MIT
// A table file from disk, read whole and within the limits before anything of the quiz changes,
// and a file written whole.
#pragma once

#include <PairTable.h>
#include <QString>
#include <Questions.h>
#include <string>
#include <variant>

namespace window {

class TableFileReader final {
public:
    // Folders, devices and other special files are refused unread: a pipe would never answer,
    // and a device such as /dev/zero never ends. Spreadsheets and CSV are told by their bytes,
    // Moodle XML too; GIFT, which is text like CSV, by the name's ".gift". Questions of other
    // kinds than matching ones are counted in the table read.
    [[nodiscard]] static std::variant<exchange::ImportedTable, quiz::TableError>
    Read(const QString& path);
    // What the learner is told of a file that is no table: its name, the line and the fault.
    [[nodiscard]] static QString Message(const QString& path, const quiz::TableError& error);
    // Writes the bytes beside the file and puts them in its place only when whole, so that a
    // failure halfway leaves the old file as it was. Empty, or why it could not.
    [[nodiscard]] static QString WriteWhole(const QString& path, const std::string& bytes);
};

} // namespace window
