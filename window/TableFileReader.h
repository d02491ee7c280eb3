// SPDX-License-Identifier: MIT
// A table file from disk, read whole and within the limits before anything of the quiz changes.
#pragma once

#include <PairTable.h>
#include <QString>
#include <variant>

namespace window {

class TableFileReader final {
public:
    // Folders, devices and other special files are refused unread: a pipe would never answer,
    // and a device such as /dev/zero never ends.
    [[nodiscard]] static std::variant<quiz::PairTable, quiz::TableError> Read(const QString& path);
    // What the learner is told of a file that is no table: its name, the line and the fault.
    [[nodiscard]] static QString Message(const QString& path, const quiz::TableError& error);
};

} // namespace window
