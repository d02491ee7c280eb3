// SPDX-License-Identifier: MIT
// The message box: the task, then each verdict, for reading and copying only.
#pragma once

#include <QPlainTextEdit>

namespace window {

// Read-only, yet reached by Tab and selected and copied by keyboard; a file dropped on it is
// for the window to open.
class MessageView final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit MessageView(QWidget* parent);
};

} // namespace window
