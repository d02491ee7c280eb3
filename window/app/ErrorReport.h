// SPDX-License-Identifier: MIT
// The final error report: tells the user what went wrong, then ends the program.
#pragma once

class QString;
class QWidget;

namespace window {

inline constexpr const char* kFatalErrorHeadline = "Тревика спря поради грешка.";

// Shows the headline and, below it, the error in a critical message box, and makes the event
// loop end with a failure status once the user has read it.
void ReportFatalError(QWidget* parent, const QString& error);

} // namespace window
